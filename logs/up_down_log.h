#pragma once
#include "logs/up_down_report.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::logs {

// The Up/Down log's boxes on the "Log General" panel: the formats "TXT"
// (CheckBox6) and "HTML" (CheckBox79), which the warning log shares, and
// "Save Up/Down Log when Exiting" (CheckBox39).
class UpDownLogBoxes {
public:
    UpDownLogBoxes(ui::Window& form, ui::Control* logGeneralPanel);

    UpDownFormats formats() const { return {textBox_.checked(), htmlBox_.checked()}; }
    bool saveOnExit() const { return saveOnExit_.checked(); }
    // Shows the sizes of the two Up/Down files; ok, or why one could not be measured.
    platform::FsStatus CheckUpDownLogFileSize(platform::LogStorage& storage, const std::string& programFolder);

private:
    ui::CheckBox& textBox_;
    ui::CheckBox& htmlBox_;
    ui::CheckBox& saveOnExit_;
    ui::Label& textSize_;
    ui::Label& htmlSize_;
};

}  // namespace kvx::logs
