#pragma once
#include <string>

#include "platform/log_storage.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::logs {

// The warning log's two size displays on the "Log General" panel ("TXT:3Kb", "HTM:5Kb").
class WarningLogSizes {
public:
    WarningLogSizes(ui::Window& form, ui::Control* logGeneralPanel);

    // Shows the sizes of the two warning-log files; ok, or why one could not be measured.
    platform::FsStatus CheckWarnLogFileSize(platform::LogStorage& storage, const std::string& programFolder);

private:
    ui::Label& textSize_;
    ui::Label& htmlSize_;
};

}  // namespace kvx::logs
