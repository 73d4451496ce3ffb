#include "logs/log_file_management.h"

#include <vector>

#include "logs/log_file_names.h"
#include "logs/log_file_sizes.h"
#include "logs/log_file_starts.h"

namespace kvx::logs {
namespace {

struct ErasedLog {
    const char* question;
    std::vector<std::string_view> files;  // moved and started again in this order
};

ErasedLog erasedLog(LogGroup group) {
    switch (group) {
        case LogGroup::Interval:
            return {LogFileManagement::kEraseIntervalQuestion, {kIntervalLogText, kIntervalLogHtml, kIntervalLogCsv}};
        case LogGroup::Warning: return {LogFileManagement::kEraseWarningQuestion, {kWarningLogText, kWarningLogHtml}};
        case LogGroup::UpDown: return {LogFileManagement::kEraseUpDownQuestion, {kUpDownLogText, kUpDownLogHtml}};
    }
    return {};
}

}  // namespace

LogFileManagement::LogFileManagement(ui::Window& form, const LogFilePlaces& places)
    : warningTextSize_(form.add<ui::Label>(places.logGeneralPanel, "WarningLogTxtSizeLabel")),
      warningHtmlSize_(form.add<ui::Label>(places.logGeneralPanel, "WarningLogHtmSizeLabel")),
      viewItem_(form.add<ui::MenuItem>(places.trayMenu, "Log3")),
      eraseItem_(form.add<ui::MenuItem>(places.trayMenu, "Log4")) {
    // The buttons carry pictures, not captions; the hint says what each does.
    addViewButton(form, places.intervalPanel, "SpeedButton49", kIntervalLogText, {8, 148, 23, 22});
    addViewButton(form, places.intervalPanel, "SpeedButton11", kIntervalLogHtml, {80, 148, 23, 22});
    addViewButton(form, places.intervalPanel, "SpeedButton26", kIntervalLogCsv, {152, 148, 23, 22});
    addEraseButton(form, places.intervalPanel, "SpeedButton50", LogGroup::Interval, {224, 148, 23, 22});
    addViewButton(form, places.logGeneralPanel, "SpeedButton1", kWarningLogText, {8, 50, 23, 22});
    addViewButton(form, places.logGeneralPanel, "SpeedButton9", kWarningLogHtml, {80, 50, 23, 22});
    addEraseButton(form, places.logGeneralPanel, "SpeedButton4", LogGroup::Warning, {152, 50, 23, 22});
    addViewButton(form, places.logGeneralPanel, "SpeedButton6", kUpDownLogText, {8, 190, 23, 22});
    addViewButton(form, places.logGeneralPanel, "SpeedButton13", kUpDownLogHtml, {80, 190, 23, 22});
    addEraseButton(form, places.logGeneralPanel, "SpeedButton7", LogGroup::UpDown, {152, 190, 23, 22});
    warningTextSize_.setBounds({8, 30, 70, 13});
    warningHtmlSize_.setBounds({80, 30, 70, 13});
    // Hidden until "Show Log Options On Popup Menu" shows them.
    viewItem_.setCaption("View Log");
    viewItem_.setVisible(false);
    viewItem_.onClick = [this] { view(kIntervalLogText); };
    eraseItem_.setCaption("Erase Log");
    eraseItem_.setVisible(false);
    eraseItem_.onClick = [this] { erase(LogGroup::Interval); };
}

void LogFileManagement::addViewButton(ui::Window& form, ui::Control* panel, const char* name, std::string_view fileName,
                                      ui::Bounds bounds) {
    auto& button = form.add<ui::Button>(panel, name);
    button.setBounds(bounds);
    button.setHint("View " + std::string(fileName));
    button.picture = ui::Button::Picture::View;
    button.onClick = [this, fileName] { view(fileName); };
}

void LogFileManagement::addEraseButton(ui::Window& form, ui::Control* panel, const char* name, LogGroup group,
                                       ui::Bounds bounds) {
    auto& button = form.add<ui::Button>(panel, name);
    button.setBounds(bounds);
    button.setHint("Erase");
    button.picture = ui::Button::Picture::Erase;
    button.onClick = [this, group] { erase(group); };
}

void LogFileManagement::view(std::string_view fileName) {
    if (services.open) services.open(logFilePath(services.programFolder, fileName));
}

void LogFileManagement::erase(LogGroup group) {
    const ErasedLog log = erasedLog(group);
    if (!services.confirm || !services.confirm(log.question)) return;
    if (!services.files || !services.moveToTrash) {
        report("The log files cannot be erased: no trash is available.");
        return;
    }
    const std::vector<LogFileStart> starts = logFileStarts(services.columns ? services.columns()
                                                                            : IntervalLogColumns{});
    std::string kept;
    for (std::string_view fileName : log.files) {
        const std::string path = logFilePath(services.programFolder, fileName);
        const platform::FsStatus moved = services.moveToTrash(path);
        // Starting a file the trash did not take would empty it: the log would be lost.
        if (!moved.ok() && !moved.notFound()) {
            kept += "\n" + moved.message;
            continue;
        }
        for (const LogFileStart& start : starts) {
            if (start.fileName != fileName) continue;
            if (platform::FsStatus created = services.files->create(path, start.lines); !created.ok())
                report(created.message);
        }
    }
    if (!kept.empty()) report("These log files could not be moved to the Trash and were left as they are:" + kept);
    if (services.sizesChanged) services.sizesChanged(group);
}

platform::FsStatus LogFileManagement::CheckWarnLogFileSize() {
    if (!services.storage) return {};
    const LogFileSizes sizes = measureLogFiles(*services.storage, services.programFolder,
                                               {{kWarningLogText}, {kWarningLogHtml}});
    if (!sizes.status.ok()) return sizes.status;
    warningTextSize_.setCaption(sizeDisplayText("TXT:", sizes.kb[0]));
    warningHtmlSize_.setCaption(sizeDisplayText("HTM:", sizes.kb[1]));
    return {};
}

void LogFileManagement::report(const std::string& message) const {
    if (services.reportError) services.reportError(message);
}

}  // namespace kvx::logs
