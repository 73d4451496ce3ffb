// Viewing and erasing the log files from the Log page and the tray, and the
// faults around them in which monitoring must go on. The trash here is a
// folder of the test: a move is a rename into it, and chosen files are refused.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "test_program.h"
#include "tests/lifecycle/child_process.h"

using namespace kvx;
using test::TestProgram;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void appendText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

// A trash that keeps what it takes, in the order taken, and refuses some names.
struct FolderTrash {
    std::string folder;
    std::set<std::string> refused;
    std::vector<std::string> taken;  // paths, in order

    platform::FsStatus move(const std::string& path) {
        const std::string name = std::filesystem::path(path).filename();
        if (refused.count(name)) return {platform::FsStatus::Kind::Failed, "trash " + path + ": Permission denied"};
        if (!std::filesystem::exists(path)) return {platform::FsStatus::Kind::NotFound, "trash " + path + ": missing"};
        std::filesystem::rename(path, folder + "/" + name);
        taken.push_back(path);
        return {};
    }
    std::string content(const std::string& name) const { return fileText(folder + "/" + name); }
};

// A program whose desktop opens documents and trashes files into `trash`.
struct LogFilesProgram : TestProgram {
    FolderTrash trash;
    std::vector<std::string> opened;

    LogFilesProgram() {
        trash.folder = folders.config + "/trash";
        std::filesystem::create_directory(trash.folder);
        lifecycle.moveToTrash = [this](const std::string& path) { return trash.move(path); };
        lifecycle.openDocument = [this](const std::string& path) { opened.push_back(path); };
    }
    std::string path(const std::string& name) const { return folders.program + name; }
    ui::CheckBox& box(const char* name) { return main->form().require<ui::CheckBox>(name); }
    void click(const char* name) {
        if (auto* item = dynamic_cast<ui::MenuItem*>(main->form().find(name))) item->click();
        else main->form().require<ui::Button>(name).click();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& entry : app->messages().entries()) texts.push_back(entry.text);
        return texts;
    }
    int polls() { return record(acquisition::TChannel::CoreVoltage).count; }
    int lines(const std::string& name) {
        const std::string text = fileText(path(name));
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
};

}  // namespace

// Guards against an erase that takes the wrong files, in the wrong order, asks
// the wrong question, leaves the old rows in place or starts a file with the
// wrong first lines, against size displays that keep the old sizes, and
// against "No" touching any file.
TEST(LogFileErase, EachEraseMovesItsLogToTheTrashAndStartsItAgainOnlyOnYes) {
    struct Case {
        const char* control;
        const char* question;
        std::vector<std::string> files;
        const char* sizeLabel;  // the first file's display
    };
    const std::vector<std::string> intervalFiles = {"kvxlog.txt", "kvxlog.htm", "kvxlog.csv"};
    const char* intervalQuestion = "Are you sure you want to erase the Log Files ?";
    const Case cases[] = {
        {"SpeedButton50", intervalQuestion, intervalFiles, "IntervalLogTxtSizeLabel"},
        {"Log4", intervalQuestion, intervalFiles, "IntervalLogTxtSizeLabel"},
        {"SpeedButton4",
         "Are you sure you want to erase the Warning Log Files ?",
         {"kvxwarnlog.txt", "kvxwarnlog.htm"},
         "WarningLogTxtSizeLabel"},
        {"SpeedButton7",
         "Are you sure you want to erase the Up and Down Log files ?",
         {"updown.txt", "updown.htm"},
         "UpDownLogTxtSizeLabel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        LogFilesProgram p;
        p.start();
        const std::string freshSize = p.caption(c.sizeLabel);
        std::map<std::string, std::string> fresh, grown;
        for (const std::string& name : c.files) {
            fresh[name] = fileText(p.path(name));
            appendText(p.path(name), std::string(3000, 'x') + name);
            grown[name] = fileText(p.path(name));
        }
        p.main->intervalLog().CheckLogFileSize();
        p.main->upDownLog().CheckUpDownLogFileSize(p.logStorage, p.folders.program);
        p.main->logFiles().CheckWarnLogFileSize();
        ASSERT_NE(p.caption(c.sizeLabel), freshSize);

        p.answers.set(app::ModalAnswers::kMessageBox, {"No", 0});
        p.click(c.control);
        EXPECT_TRUE(p.trash.taken.empty()) << "No erases nothing";
        for (const std::string& name : c.files) EXPECT_EQ(fileText(p.path(name)), grown[name]) << name;

        p.answers.set(app::ModalAnswers::kMessageBox, {"Yes", 0});
        p.click(c.control);
        ASSERT_EQ(p.messages(), (std::vector<std::string>{c.question, c.question}));
        std::vector<std::string> expectedPaths;
        for (const std::string& name : c.files) {
            expectedPaths.push_back(p.path(name));
            EXPECT_EQ(p.trash.content(name), grown[name]) << name << " reaches the trash whole";
            EXPECT_EQ(fileText(p.path(name)), fresh[name]) << name << " starts again with its first lines";
        }
        EXPECT_EQ(p.trash.taken, expectedPaths);
        EXPECT_EQ(p.caption(c.sizeLabel), freshSize);
    }
}

// Guards against an erase that switches on a log stopped at its cap (a running
// log going on across an erase is shown by the black-box run).
TEST(LogFileErase, ALogStoppedAtItsCapStaysOffAfterAnErase) {
    LogFilesProgram capped;
    capped.start();
    appendText(capped.path("kvxlog.htm"), std::string(65536, 'x'));
    capped.box("CheckBox37").setChecked(true);  // the row at once finds the cap
    ASSERT_FALSE(capped.box("CheckBox37").checked());
    capped.click("SpeedButton50");
    EXPECT_EQ(capped.caption("IntervalLogHtmSizeLabel"), "HTM:0Kb");
    EXPECT_FALSE(capped.box("CheckBox37").checked());
    EXPECT_FALSE(capped.main->Timer3().enabled());
    EXPECT_EQ(capped.caption("Log1"), "Start Interval Log");
    EXPECT_TRUE(capped.main->form().require<ui::MenuItem>("Log1").enabled());
}

// Guards against a view button that opens another log's file, or the tray's
// "View Log" opening anything but the interval log's text file.
TEST(LogFileView, EachViewButtonOpensItsOwnFile) {
    const std::pair<const char*, const char*> views[] = {
        {"SpeedButton49", "kvxlog.txt"},    {"SpeedButton11", "kvxlog.htm"},
        {"SpeedButton26", "kvxlog.csv"},    {"SpeedButton1", "kvxwarnlog.txt"},
        {"SpeedButton9", "kvxwarnlog.htm"}, {"SpeedButton6", "updown.txt"},
        {"SpeedButton13", "updown.htm"},    {"Log3", "kvxlog.txt"},
    };
    LogFilesProgram p;
    p.start();
    std::vector<std::string> expected;
    for (const auto& [control, file] : views) {
        p.click(control);
        expected.push_back(p.path(file));
    }
    EXPECT_EQ(p.opened, expected);
    EXPECT_TRUE(p.messages().empty()) << "viewing asks nothing";
}

// Guards against the Up/Down displays not following "Save": one text report is
// 20 lines of 54 characters and two empty lines, with CR LF: 1124 bytes, 1 KB.
// (The warning log's displays are followed by the sound black-box run.)
TEST(LogFileSizes, SaveRefreshesTheUpDownDisplays) {
    LogFilesProgram p;
    p.start();
    EXPECT_EQ(p.caption("UpDownLogTxtSizeLabel"), "TXT:0Kb") << "filled at start-up";
    p.click("UDTabSaveSpeedButton");
    EXPECT_EQ(std::filesystem::file_size(p.path("updown.txt")), 1124u);
    EXPECT_EQ(p.caption("UpDownLogTxtSizeLabel"), "TXT:1Kb");
}

// Guards against a trash that refuses one file costing that log or the others:
// the refused file is kept byte for byte and the refusal told with its reason,
// the others start again, and the log goes on into all three files.
TEST(LogFaults, ATrashThatRefusesOneFileKeepsItAndTheLogGoesOn) {
    LogFilesProgram p;
    p.trash.refused = {"kvxlog.htm"};
    p.start();
    p.box("CheckBox84").setChecked(true);
    p.box("CheckBox37").setChecked(true);
    p.run(65);
    const std::string html = fileText(p.path("kvxlog.htm"));

    p.click("SpeedButton50");

    EXPECT_EQ(fileText(p.path("kvxlog.htm")), html);
    ASSERT_EQ(p.messages().size(), 2u);
    EXPECT_NE(p.messages()[1].find("could not be moved to the Trash"), std::string::npos) << p.messages()[1];
    EXPECT_NE(p.messages()[1].find(p.path("kvxlog.htm") + ": Permission denied"), std::string::npos);
    EXPECT_EQ(p.trash.taken, (std::vector<std::string>{p.path("kvxlog.txt"), p.path("kvxlog.csv")}));
    const int textLines = p.lines("kvxlog.txt"), csvLines = p.lines("kvxlog.csv");
    p.run(60);
    EXPECT_EQ(p.lines("kvxlog.txt"), textLines + 1);
    EXPECT_EQ(p.lines("kvxlog.csv"), csvLines + 1);
    EXPECT_GT(fileText(p.path("kvxlog.htm")).size(), html.size());
}

// Guards against a log file deleted by hand stopping the monitoring or being
// silently made again: each tick tells the missing file, polling goes on, and
// an erase starts the file again so that the next tick writes.
TEST(LogFaults, ALogFileDeletedWhileRunningIsToldAndMonitoringGoesOn) {
    LogFilesProgram p;
    p.start();
    p.box("CheckBox37").setChecked(true);
    const int pollsBefore = p.polls();
    std::filesystem::remove(p.path("kvxlog.txt"));
    p.run(120);
    int told = 0;
    for (const std::string& text : p.messages()) told += text.find(p.path("kvxlog.txt")) != std::string::npos ? 1 : 0;
    EXPECT_EQ(told, 2) << "one message a tick";
    EXPECT_FALSE(std::filesystem::exists(p.path("kvxlog.txt")));
    EXPECT_EQ(p.polls(), pollsBefore + 12);
    EXPECT_TRUE(p.main->Timer3().enabled());

    p.click("Log4");
    EXPECT_EQ(p.trash.taken, (std::vector<std::string>{p.path("kvxlog.htm"), p.path("kvxlog.csv")}));
    const int header = p.lines("kvxlog.txt");
    EXPECT_EQ(header, 5);
    p.run(60);
    EXPECT_EQ(p.lines("kvxlog.txt"), header + 1);
}

// Guards against a CSV file that a spreadsheet holds locked stopping the log
// or being written under the lock: the display reads "CSV: File Locked", the
// CSV rows are skipped without a message, the text rows and polling go on, and
// the CSV rows come back once the lock is let go.
TEST(LogFaults, ACsvFileLockedByAnotherProgramIsSkippedAndMonitoringGoesOn) {
    LogFilesProgram p;
    p.start();
    const std::string csv = p.path("kvxlog.csv");
    {
        lifecycle_test::ChildProcess spreadsheet([&csv] {
            const int fd = ::open(csv.c_str(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            return fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0;
        });
        ASSERT_TRUE(spreadsheet.setUpOk());
        const std::string before = fileText(csv);
        p.box("CheckBox84").setChecked(true);
        p.box("CheckBox37").setChecked(true);
        const int pollsBefore = p.polls();
        const int textLines = p.lines("kvxlog.txt");
        p.run(120);
        EXPECT_EQ(p.caption("IntervalLogCsvSizeLabel"), "CSV: File Locked");
        EXPECT_EQ(fileText(csv), before);
        EXPECT_EQ(p.lines("kvxlog.txt"), textLines + 2);
        EXPECT_EQ(p.polls(), pollsBefore + 12);
        EXPECT_TRUE(p.box("CheckBox37").checked());
        EXPECT_TRUE(p.messages().empty());
        spreadsheet.finish();
    }
    const int csvLines = p.lines("kvxlog.csv");
    p.run(60);
    EXPECT_EQ(p.lines("kvxlog.csv"), csvLines + 1);
    EXPECT_EQ(p.caption("IntervalLogCsvSizeLabel"), "CSV:0Kb");
}
