#pragma once
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "ui/model/controls.h"
#include "ui/model/window.h"

class QTabWidget;

namespace kvx::ui::qt {

// The Qt view of one window model: one widget per control, each with the
// control's name as its objectName, bound both ways. A change of the model
// redraws its widget; a user's action on a widget goes to the model's handler.
//
// A window manager that is sent "map, unmap, map" in quick succession can lose
// the second map (it is still withdrawing the window), leaving a window that
// the program believes shown and nobody sees. So a view takes its window type
// and modality before it is first shown, changes "stay on top" on a shown
// window without hiding it, and applies the model's visibility once per turn
// of the event loop (a hide and show in one handler leave the window mapped).
//
// A view made with Refresh::WhenSeen leaves the widgets of a hidden window, or
// of a page that is not the current one, as they are when their control
// changes, and brings them up to the model's state when they come into sight:
// a window parked in the tray then costs nothing per poll. Such a view also
// makes the widgets of a control of the window, and of a page, only when they
// first come into sight (the window shown; the control shown and inside the
// window's area; the page in front): a window shown small, or with one page
// open, carries none of the others. widgetFor() makes what the control it is
// asked for needs, so anything that reads a control's widget finds it whether
// or not it was seen.
class WindowView : public QWidget {
    Q_OBJECT
public:
    enum class Refresh { Always, WhenSeen };

    explicit WindowView(Window& model, Qt::WindowFlags type = Qt::Window, Qt::WindowModality modality = Qt::NonModal,
                        Refresh refresh = Refresh::Always);
    ~WindowView() override;

    Window& model() { return model_; }
    // The widget that shows a control, or nullptr for controls without one (timers, menus).
    // A control on a page not made yet has its page made first.
    QWidget* widgetFor(const Control& control);
    // Makes every control and page not made yet (a picture of the whole window, a test reading widgets).
    void buildAll();
    // How many pages wait to be made the first time they come into sight.
    std::size_t pagesNotBuilt() const { return pendingPages_.size(); }
    // How many controls of the window itself wait until they are shown inside its area.
    std::size_t windowControlsNotBuilt() const { return pendingControls_.size(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build(Control* parent, QWidget* container);
    void buildControl(Control& control, QWidget* container);
    void buildPage(Page& page, QWidget* tab);
    // Shown and at least partly inside the window's area, by the models' bounds.
    bool controlInArea(const Control& control) const;
    // Makes the waiting control of the window at `pendingIndex`, in its place in the stacking order.
    void buildWindowControl(std::size_t pendingIndex);
    // Makes the controls and pages that have come into sight; one made may bring others into sight.
    void buildInSight();
    QWidget* createWidget(Control& control, QWidget* container);
    QWidget* createGlyphButton(Button& model, QWidget* container);
    // Enter presses the default button, Escape the cancel button.
    void bindDialogKeys();
    void bindCommon(Control& control, QWidget* widget);
    // Calls `refresh` when the control changes (or, WhenSeen, once it is in sight).
    void watch(Control& control, std::function<void()> refresh);
    void controlChanged(std::size_t binding);
    bool inSight(const QWidget* page) const;
    // Runs the refreshes held back for widgets that are now in sight.
    void refreshHeldBack();
    void refreshWindow();
    void setStayOnTop(bool stayOnTop);
    void applyVisibility();

    struct Binding {
        Control* control;
        int observation;
        std::function<void()> refresh;
        QWidget* page;  // the tab page the widget sits on, or nullptr
        bool heldBack = false;
    };

    struct PendingPage {
        Page* page;
        QWidget* tab;
        QTabWidget* pages;
    };
    bool pageInSight(const PendingPage& pending) const;

    Window& model_;
    Refresh refreshMode_;
    std::vector<PendingPage> pendingPages_;
    struct PendingControl {
        Control* control;
        int observation;
    };
    std::vector<PendingControl> pendingControls_;
    bool buildingPages_ = false;
    std::map<const Control*, QWidget*> widgets_;
    std::vector<Binding> bindings_;
    int windowObservation_ = 0;
    QWidget* buildingPage_ = nullptr;
    bool visibilityPending_ = false;
};

}  // namespace kvx::ui::qt
