#include "logs/interval_log.h"

#include <limits>

#include "logs/log_file_names.h"
#include "logs/log_file_sizes.h"

namespace kvx::logs {

IntervalLog::IntervalLog(ui::Window& form, ui::Timer& timer, const IntervalLogPlaces& places)
    : timer_(timer),
      logBox_(form.add<ui::CheckBox>(places.logPanel, "CheckBox37")),
      textBox_(form.add<ui::CheckBox>(places.logPanel, "CheckBox4")),
      htmlBox_(form.add<ui::CheckBox>(places.logPanel, "CheckBox7")),
      csvBox_(form.add<ui::CheckBox>(places.logPanel, "CheckBox84")),
      intervalSpin_(form.add<ui::SpinButton>(places.logPanel, "SpinButton16")),
      intervalLabel_(form.add<ui::Label>(places.logPanel, "Label87")),
      capSpin_(form.add<ui::SpinButton>(places.logPanel, "SpinButton17")),
      capLabel_(form.add<ui::Label>(places.logPanel, "Label89")),
      csvSeparator_(form.add<ui::Edit>(places.general2Panel, "Edit8")),
      textSize_(form.add<ui::Label>(places.logPanel, "IntervalLogTxtSizeLabel")),
      htmlSize_(form.add<ui::Label>(places.logPanel, "IntervalLogHtmSizeLabel")),
      csvSize_(form.add<ui::Label>(places.logPanel, "IntervalLogCsvSizeLabel")),
      showInTray_(form.add<ui::CheckBox>(places.general2Panel, "CheckBox42")),
      separator_(form.add<ui::MenuItem>(places.trayMenu, "N6")),
      startItem_(form.add<ui::MenuItem>(places.trayMenu, "Log1")),
      stopItem_(form.add<ui::MenuItem>(places.trayMenu, "Log2")) {
    logBox_.setCaption("Write Interval Log");
    logBox_.setBounds({8, 8, 150, 17});
    logBox_.onClick = [this] { CheckBox37Click(); };
    textBox_.setCaption("TXT");
    textBox_.setBounds({8, 100, 50, 17});
    textBox_.setChecked(true);
    htmlBox_.setCaption("HTML");
    htmlBox_.setBounds({64, 100, 56, 17});
    htmlBox_.setChecked(true);
    csvBox_.setCaption("CSV ");
    csvBox_.setBounds({128, 100, 60, 17});
    intervalSpin_.setBounds({8, 32, 15, 25});
    intervalSpin_.onUpClick = [this] { SpinButton16UpClick(); };
    intervalSpin_.onDownClick = [this] { SpinButton16DownClick(); };
    intervalLabel_.setBounds({28, 38, 150, 13});
    capSpin_.setBounds({8, 64, 15, 25});
    capSpin_.onUpClick = [this] { SizeCapUpClick(); };
    capSpin_.onDownClick = [this] { SizeCapDownClick(); };
    capLabel_.setBounds({28, 70, 150, 13});
    csvSeparator_.setBounds({8, 180, 21, 21});
    csvSeparator_.maxLength = 1;
    csvSeparator_.setText(";");
    textSize_.setBounds({8, 128, 70, 13});
    htmlSize_.setBounds({80, 128, 70, 13});
    csvSize_.setBounds({152, 128, 100, 13});
    showInTray_.setCaption("Show Log Options On Popup Menu");
    showInTray_.setBounds({8, 204, 220, 17});
    showInTray_.onClick = [this] { CheckBox42Click(); };
    // Hidden until "Show Log Options On Popup Menu" shows them.
    separator_.setCaption("-");
    separator_.setVisible(false);
    startItem_.setCaption("Start Interval Log");
    startItem_.setVisible(false);
    startItem_.onClick = [this] { logBox_.setChecked(true); };
    stopItem_.setCaption("Stop Interval Log");
    stopItem_.setVisible(false);
    stopItem_.onClick = [this] { logBox_.setChecked(false); };
    setIntervalMs(timer_.interval());
    setSizeCapKb(sizeCapKb_);
    timer_.onTimer = [this] { WriteStandardLogentry(); };
    timer_.setEnabled(false);
    startItem_.setEnabled(true);
    stopItem_.setEnabled(false);
    enableIntervalControls();
}

IntervalLogFormats IntervalLog::formats() const { return {textBox_.checked(), htmlBox_.checked(), csvBox_.checked()}; }

void IntervalLog::WriteStandardLogentry() {
    if (!output.files || !output.shown || !output.now) return;
    IntervalLogWrite written = appendIntervalLogRows(*output.files, output.programFolder, formats(), output.shown(),
                                                     csvSeparator_.text(), output.now);
    if (!written.status.ok()) {
        // The size check waits for a tick that writes; the timer tries again.
        if (output.reportError) output.reportError(written.status.message);
        return;
    }
    if (platform::FsStatus sized = CheckLogFileSize(); !sized.ok() && output.reportError)
        output.reportError(sized.message);
}

platform::FsStatus IntervalLog::CheckLogFileSize() {
    if (!output.storage) return {};
    // Every file counts, chosen or not: each exists from start-up with its header.
    const LogFileSizes sizes = measureLogFiles(*output.storage, output.programFolder,
                                               {{kIntervalLogText}, {kIntervalLogHtml}, {kIntervalLogCsv, true}});
    if (!sizes.status.ok()) return sizes.status;
    textSize_.setCaption(sizeDisplayText("TXT:", sizes.kb[0]));
    htmlSize_.setCaption(sizeDisplayText("HTM:", sizes.kb[1]));
    csvSize_.setCaption(sizeDisplayText("CSV:", sizes.kb[2]));
    // A locked CSV file (-1 KB) never reaches a cap of 0 or more.
    bool reached = false;
    for (std::int64_t kb : sizes.kb) reached = reached || kb >= sizeCapKb_;
    if (reached) {
        timer_.setEnabled(false);
        logBox_.setChecked(false);
    }
    return {};
}

void IntervalLog::CheckBox37Click() {
    const bool on = logBox_.checked();
    if (output.suspended && output.suspended() && output.runOnResume) output.runOnResume(on);
    else timer_.setEnabled(on);
    if (on && output.polling && output.polling()) WriteStandardLogentry();
    // That row may have reached the cap and switched the log off again: the
    // items follow the box as it is now, not as it was clicked.
    enableIntervalControls();
    startItem_.setEnabled(!logBox_.checked());
    stopItem_.setEnabled(logBox_.checked());
}

void IntervalLog::CheckBox42Click() {
    for (ui::MenuItem* item : {&separator_, &startItem_, &stopItem_}) item->setVisible(showInTray_.checked());
    for (ui::MenuItem* item : otherTrayItems_) item->setVisible(showInTray_.checked());
}

void IntervalLog::enableIntervalControls() {
    intervalSpin_.setEnabled(logBox_.checked());
    intervalLabel_.setEnabled(logBox_.checked());
}

void IntervalLog::setIntervalMs(int32_t ms) {
    // A running timer keeps running and counts the new interval from now.
    timer_.setInterval(ms);
    intervalLabel_.setCaption("Interval: " + std::to_string(ms / kIntervalStepMs) + " minutes");
}

void IntervalLog::SpinButton16UpClick() {
    if (intervalMs() < kMaxIntervalMs) setIntervalMs(intervalMs() + kIntervalStepMs);
}

void IntervalLog::SpinButton16DownClick() {
    if (intervalMs() > kIntervalStepMs) setIntervalMs(intervalMs() - kIntervalStepMs);
}

void IntervalLog::setSizeCapKb(int32_t kb) {
    sizeCapKb_ = kb;
    capLabel_.setCaption("Stop Writing at " + std::to_string(kb) + "Kb");
}

void IntervalLog::SizeCapUpClick() {
    // Never past the largest 32-bit value: the step stops short of it.
    if (sizeCapKb_ <= std::numeric_limits<int32_t>::max() - kSizeCapStepKb) setSizeCapKb(sizeCapKb_ + kSizeCapStepKb);
}

void IntervalLog::SizeCapDownClick() {
    if (sizeCapKb_ > 0) setSizeCapKb(sizeCapKb_ - kSizeCapStepKb);
}

}  // namespace kvx::logs
