#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "logs/interval_log_rows.h"
#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/window.h"

namespace kvx::logs {

// Where the interval log's controls go on the main window.
struct IntervalLogPlaces {
    ui::Control* logPanel = nullptr;       // the "Interval Log" panel of the "Log" page
    ui::Control* general2Panel = nullptr;  // the "General 2" panel: the CSV separator field
    ui::MenuItem* trayMenu = nullptr;      // the parent of the tray items (the owner lists them)
};

// What a row is written with; set by the program once it knows its files.
struct IntervalLogOutput {
    LogFile* files = nullptr;
    platform::LogStorage* storage = nullptr;  // for the size displays
    std::string programFolder;
    std::function<DisplayedReadings()> shown;
    std::function<DateTimeTexts()> now;
    // Whether the poll timer runs (not suspended): a start then writes a row at once.
    std::function<bool()> polling;
    // Suspend mode holds Timer3: a switch then only sets what the resume restores.
    std::function<bool()> suspended;
    std::function<void(bool running)> runOnResume;
    // A text or HTML file could not be written: told to the user; the timer keeps running.
    std::function<void(const std::string& message)> reportError;
};

// The interval log: "Write Interval Log" (CheckBox37) and its timer Timer3,
// the format boxes, the interval and size-cap spin buttons with their labels,
// the CSV separator field Edit8 and the tray items "Start Interval Log" (Log1)
// and "Stop Interval Log" (Log2).
class IntervalLog {
public:
    IntervalLog(ui::Window& form, ui::Timer& timer, const IntervalLogPlaces& places);

    IntervalLogOutput output;

    // One row of the shown readings in every chosen format (Timer3's tick).
    void WriteStandardLogentry();
    // Shows the three files' sizes; a file at or above the cap turns the log off.
    // Ok, or why a text or HTML file could not be measured (the cap is then not tested).
    platform::FsStatus CheckLogFileSize();
    // The start and stop steps of "Write Interval Log", as its click runs them.
    void CheckBox37Click();

    // The interval in ms (60000..12000000); sets Timer3 and the label.
    void setIntervalMs(int32_t ms);
    int32_t intervalMs() const { return timer_.interval(); }
    void SpinButton16UpClick();
    void SpinButton16DownClick();
    // The size cap in KB; takes effect at the next size check.
    void setSizeCapKb(int32_t kb);
    int32_t sizeCapKb() const { return sizeCapKb_; }
    void SizeCapUpClick();
    void SizeCapDownClick();

    // "Show Log Options On Popup Menu" (CheckBox42): the tray's log items and
    // their separator are visible exactly when it is on.
    void CheckBox42Click();
    // Another tray item that "Show Log Options On Popup Menu" shows and hides with these.
    void addTrayLogItem(ui::MenuItem& item) { otherTrayItems_.push_back(&item); }
    // Start-up: the interval spin button and its label follow "Write Interval Log".
    void enableIntervalControls();

    IntervalLogFormats formats() const;
    const std::string& csvSeparator() const { return csvSeparator_.text(); }
    ui::CheckBox& logBox() { return logBox_; }
    ui::MenuItem& startItem() { return startItem_; }
    ui::MenuItem& stopItem() { return stopItem_; }
    ui::MenuItem& separator() { return separator_; }

    static constexpr int32_t kIntervalStepMs = 60000;
    static constexpr int32_t kMaxIntervalMs = 12000000;
    static constexpr int32_t kSizeCapStepKb = 4;

private:
    ui::Timer& timer_;
    ui::CheckBox& logBox_;
    ui::CheckBox& textBox_;
    ui::CheckBox& htmlBox_;
    ui::CheckBox& csvBox_;
    ui::SpinButton& intervalSpin_;
    ui::Label& intervalLabel_;
    ui::SpinButton& capSpin_;
    ui::Label& capLabel_;
    ui::Edit& csvSeparator_;
    ui::Label& textSize_;
    ui::Label& htmlSize_;
    ui::Label& csvSize_;
    ui::CheckBox& showInTray_;
    ui::MenuItem& separator_;
    ui::MenuItem& startItem_;
    ui::MenuItem& stopItem_;
    std::vector<ui::MenuItem*> otherTrayItems_;
    int32_t sizeCapKb_ = 64;
};

}  // namespace kvx::logs
