#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "logs/interval_log_format.h"
#include "logs/log_file.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::logs {

// The three logs as the Log page views and erases them.
enum class LogGroup { Interval, Warning, UpDown };

// Where the Log page's buttons and the tray's "View Log" and "Erase Log" go.
struct LogFilePlaces {
    ui::Control* logGeneralPanel = nullptr;  // "Log General": the warning and Up/Down logs
    ui::Control* intervalPanel = nullptr;    // "Interval Log"
    ui::MenuItem* trayMenu = nullptr;        // the parent of the tray items (the owner lists them)
};

// What viewing and erasing do outside the window; set by the program.
struct LogFileServices {
    LogFile* files = nullptr;
    platform::LogStorage* storage = nullptr;  // for the warning log's size displays
    std::string programFolder;
    // The interval log's columns as the window names them now (for its headers).
    std::function<IntervalLogColumns()> columns;
    // Opens a file with the desktop's default program; its result is not followed.
    std::function<void(const std::string& path)> open;
    // Moves a file to the trash; on failure the file is left where it was.
    std::function<platform::FsStatus(const std::string& path)> moveToTrash;
    // Asks a Yes/No question; true for Yes.
    std::function<bool(const std::string& question)> confirm;
    std::function<void(const std::string& message)> reportError;
    // Refreshes the size displays of one log (the interval log's also applies its cap).
    std::function<void(LogGroup)> sizesChanged;
};

// The view buttons (one per log file), the erase buttons (one per log), the
// warning log's two size displays, and the tray's "View Log" (Log3) and
// "Erase Log" (Log4), which view the interval log's text file and erase the
// interval log.
class LogFileManagement {
public:
    LogFileManagement(ui::Window& form, const LogFilePlaces& places);

    LogFileServices services;

    // Opens one log file of the program folder with the desktop's default program.
    void view(std::string_view fileName);
    // After a Yes to its question, moves each file of the log to the trash and
    // starts it again with its first lines. A file the trash refuses is left
    // as it is (never emptied) and reported with the reason; a missing file
    // is simply started again. Then that log's size displays are refreshed.
    void erase(LogGroup group);
    // Shows the warning log's two sizes; ok, or why a file could not be measured.
    platform::FsStatus CheckWarnLogFileSize();

    ui::MenuItem& viewItem() { return viewItem_; }
    ui::MenuItem& eraseItem() { return eraseItem_; }

    static constexpr const char* kEraseIntervalQuestion = "Are you sure you want to erase the Log Files ?";
    static constexpr const char* kEraseWarningQuestion = "Are you sure you want to erase the Warning Log Files ?";
    static constexpr const char* kEraseUpDownQuestion = "Are you sure you want to erase the Up and Down Log files ?";

private:
    void addViewButton(ui::Window& form, ui::Control* panel, const char* name, std::string_view fileName,
                       ui::Bounds bounds);
    void addEraseButton(ui::Window& form, ui::Control* panel, const char* name, LogGroup group, ui::Bounds bounds);
    void report(const std::string& message) const;

    ui::Label& warningTextSize_;
    ui::Label& warningHtmlSize_;
    ui::MenuItem& viewItem_;
    ui::MenuItem& eraseItem_;
};

}  // namespace kvx::logs
