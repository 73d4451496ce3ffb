#pragma once
#include <QTimer>

#include <memory>

#include "app/application.h"
#include "app/program.h"
#include "ui/qt/tray_view.h"
#include "ui/qt/window_view.h"

namespace kvx::ui::qt {

// The desktop's lasting views of one run: the splash, the main window and the
// tray icon. The run owns them (see app::ProgramViews) and destroys them before
// the models; members die in reverse order, so the tray goes first. The splash
// is shown once: its view, with its backing store, is destroyed when it closes.
class DesktopViews final : public app::ProgramViews {
public:
    explicit DesktopViews(app::Application& app);
    ~DesktopViews() override;

    bool splashViewAlive() const { return splash_ != nullptr; }

private:
    void splashChanged();

    ui::Window& splashModel_;
    std::unique_ptr<WindowView> splash_;
    int splashObservation_ = 0;
    bool splashShown_ = false;
    // Destroys the closed splash from the event loop: not inside the model's
    // change notification, whose observers the view's destructor removes.
    QTimer splashDisposal_;
    WindowView main_;
    TrayView tray_;
};

}  // namespace kvx::ui::qt
