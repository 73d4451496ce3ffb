#pragma once
#include "app/application.h"
#include "app/program.h"
#include "ui/qt/minimise_to_tray.h"
#include "ui/qt/tray_icons_view.h"
#include "ui/qt/tray_view.h"
#include "ui/qt/window_view.h"

namespace kvx::ui::qt {

// The desktop's lasting views of one run: the splash, the main window and the
// tray icons. The run owns them (see app::ProgramViews) and destroys them before
// the models; members die in reverse order, so the tray goes first.
class DesktopViews final : public app::ProgramViews {
public:
    explicit DesktopViews(app::Application& app);

private:
    WindowView splash_;
    WindowView main_;
    TrayView tray_;
    TrayIconsView trayIcons_;
    MinimiseToTray minimise_;
};

}  // namespace kvx::ui::qt
