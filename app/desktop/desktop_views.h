#pragma once
#include <QTimer>

#include <memory>

#include "app/application.h"
#include "app/program.h"
#include "ui/qt/minimise_to_tray.h"
#include "ui/qt/tray_icons_view.h"
#include "ui/qt/tray_view.h"
#include "ui/qt/window_view.h"

namespace kvx::ui::qt {

// The desktop's lasting views of one run: the splash, the main window and the
// tray icons. The run owns them (see app::ProgramViews) and destroys them before
// the models; members die in reverse order, so the tray goes first. The splash
// is shown once: its view, with its backing store, is destroyed when it closes.
// The main window's widgets are made the first time its model is shown (a run
// that starts in the tray may never need them), and each of its pages when that
// page is first seen; its model exists throughout. The tray menu is made the
// first time it opens.
class DesktopViews final : public app::ProgramViews {
public:
    explicit DesktopViews(app::Application& app);
    ~DesktopViews() override;

    bool splashViewAlive() const { return splash_ != nullptr; }
    bool mainViewBuilt() const { return main_ != nullptr; }
    // The main window's view once made, else nullptr.
    WindowView* mainView() { return main_.get(); }
    WindowView* splashView() { return splash_.get(); }
    TrayView& trayView() { return tray_; }

private:
    void splashChanged();
    void mainChanged();

    ui::Window& splashModel_;
    std::unique_ptr<WindowView> splash_;
    int splashObservation_ = 0;
    bool splashShown_ = false;
    // Destroys the closed splash from the event loop: not inside the model's
    // change notification, whose observers the view's destructor removes.
    QTimer splashDisposal_;
    app::Application& app_;
    ui::Window& mainModel_;
    int mainObservation_ = 0;
    std::unique_ptr<WindowView> main_;
    std::unique_ptr<MinimiseToTray> minimise_;
    TrayView tray_;
    TrayIconsView trayIcons_;
};

}  // namespace kvx::ui::qt
