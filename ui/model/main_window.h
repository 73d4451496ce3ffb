#pragma once
#include "acquisition/poll_cycle.h"
#include "acquisition/sensor_library.h"
#include "platform/scheduler.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::ui {

// The main window `Form1`: its frame, pages and tray menu, composed with the
// subsystems that own the controls on it.
class MainWindow {
public:
    MainWindow(platform::Scheduler& scheduler, acquisition::SensorLibrary& library);

    Window& form() { return form_; }
    acquisition::PollCycle& poll() { return poll_; }
    MenuItem& popupMenu() { return popupMenu_; }

    // Runs when the user chooses Exit from the tray menu.
    Handler onExit;

    static constexpr int kExpandedWidth = 572;
    static constexpr int kExpandedHeight = 314;

private:
    Window form_{"Form1"};
    PageControl& pageControl_;
    Page& generalPage_;
    Panel& general1Panel_;
    MenuItem& popupMenu_;
    MenuItem& exitItem_;
    acquisition::PollCycle poll_;
};

}  // namespace kvx::ui
