#pragma once
#include <memory>
#include <string>

#include "acquisition/sensor_library.h"
#include "app/message_log.h"
#include "platform/folders.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/scheduler.h"
#include "ui/model/main_window.h"
#include "ui/model/window_set.h"

namespace kvx::app {

// The platform services the program runs on, chosen by the program entry.
struct Services {
    platform::Scheduler& scheduler;
    platform::Locale& locale;
    platform::MessageBoxes& messageBoxes;
    ui::ModalHost& modalHost;
    platform::Folders folders;
};

// The running program: every window model and the state behind them, its
// start-up and its end.
class Application {
public:
    Application(Services services, std::unique_ptr<acquisition::SensorLibrary> library);

    // The start-up sequence; polling runs from its end on.
    void start();
    // The end of the session, as a system shut-down asks it: no question; then the loops end.
    void endSession();
    bool ended() const { return ended_; }

    ui::MainWindow& mainWindow() { return *mainWindow_; }
    const ui::WindowSet& windows() const { return windows_; }
    const MessageLog& messages() const { return messages_; }
    platform::MessageBoxes& messageBoxes() { return messages_; }
    acquisition::SensorLibrary& sensorLibrary() { return *library_; }
    platform::Scheduler& scheduler() { return services_.scheduler; }

    // ms the program waits after asking the processor's clock rate at start.
    static constexpr int kClockSettleMs = 200;
    static constexpr const char* kNoChipMessage =
        "No LM78 Detected. There will be no Motherboard Temperature, Voltage or Fan readouts";

private:
    Services services_;
    std::unique_ptr<acquisition::SensorLibrary> library_;
    MessageLog messages_;
    std::unique_ptr<ui::MainWindow> mainWindow_;
    ui::WindowSet windows_;
    bool ended_ = false;
};

}  // namespace kvx::app
