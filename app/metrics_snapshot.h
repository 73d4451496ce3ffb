#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "metrics/channel_sources.h"
#include "metrics/exposition.h"
#include "ui/main_window/main_window.h"

namespace kvx::app {

// What the metrics of one poll are made from besides the window itself.
struct SnapshotContext {
    const metrics::ChannelSources& sources;
    std::string libraryPath;
    std::uint64_t polls = 0;
    std::chrono::system_clock::time_point pollTime;
};

// The readings and alarm states that the main window holds after a poll.
metrics::Snapshot takeSnapshot(ui::MainWindow& main, const SnapshotContext& context);

}  // namespace kvx::app
