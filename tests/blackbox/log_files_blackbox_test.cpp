// The log files of a running korvex: viewed through the desktop's opener,
// erased into the freedesktop trash of a home folder of the test's own, and a
// program folder whose disk fills up while the interval log runs.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "blackbox.h"

using namespace kvx::test;
namespace fs = std::filesystem;

namespace {

// The interval log's text rows (lines that start with '|' after the five header lines).
size_t textRows(const std::string& text) {
    size_t rows = 0;
    const auto all = crlfLines(text);
    for (size_t i = 5; i < all.size(); ++i) rows += all[i].rfind('|', 0) == 0 ? 1 : 0;
    return rows;
}

// A home folder with its own trash, and an opener that writes down what it was asked to open.
struct Desktop : RunFolder {
    std::string home = file("home");
    std::string opened = file("opened.txt");
    ScopedEnv environment;

    Desktop() {
        fs::create_directories(home + "/share");
        fs::create_directories(file("bin"));
        writeFile(file("bin/xdg-open"), "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened + "'\n");
        fs::permissions(file("bin/xdg-open"), fs::perms::owner_all);
        environment.set("PATH", file("bin:") + std::string(std::getenv("PATH") ? std::getenv("PATH") : ""));
        environment.set("HOME", home);
        environment.set("XDG_DATA_HOME", home + "/share");
        environment.set("TZ", "UTC");
        environment.set("LC_ALL", "C");
    }
    std::string program() const { return file("program/"); }
    ProgramRun run(const std::string& seconds, const std::string& script) {
        writeFile(file("script.txt"), script);
        return runKorvex(headless(seconds, {"--script", file("script.txt"), "--dump", file("dump.json")}));
    }
};

}  // namespace

// Guards against view and erase that never reach the desktop, an erase that
// deletes instead of trashing, loses rows or stops the log, and dump events
// without their path. The log runs from 5 s (rows at 5, 65, 125 s), the text
// file is viewed at 130 s, the interval log erased at 131 s (rows at 185 and
// 245 s follow) and the Up/Down log at 200 s.
TEST(LogFilesBlackBox, ViewThroughTheOpenerAndEraseIntoTheTrash) {
    Desktop desktop;
    auto run = desktop.run("250",
                           "at 5 click CheckBox37\n"
                           "at 130 click SpeedButton49\n"
                           "at 131 click SpeedButton50\n"
                           "at 200 click SpeedButton7\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string program = desktop.program();

    EXPECT_EQ(waitForText(desktop.opened), program + "kvxlog.txt\n") << "the opener runs detached";
    const std::string trash = desktop.home + "/share/Trash/";
    EXPECT_EQ(textRows(readFile(trash + "files/kvxlog.txt")), 3u);
    EXPECT_EQ(textRows(readFile(program + "kvxlog.txt")), 2u);
    EXPECT_EQ(crlfLines(readFile(trash + "files/kvxlog.csv")).size(), 1u) << "header only: CSV is not chosen";
    for (const char* name : {"kvxlog.txt", "kvxlog.htm", "kvxlog.csv", "updown.txt", "updown.htm"})
        EXPECT_NE(readFile(trash + "info/" + name + ".trashinfo").find("Path=" + program + name + "\n"),
                  std::string::npos)
            << name;
    EXPECT_EQ(readFile(program + "updown.htm"), "<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n");
    const std::string html = readFile(program + "kvxlog.htm");
    EXPECT_EQ(html.substr(html.size() - 16), "\x1A</tr></table>\r\n");
    EXPECT_EQ(std::count(html.begin(), html.end(), '\x1A'), 1);

    const QJsonObject dump = desktop.dump();
    std::vector<std::pair<std::string, std::string>> events;
    for (const auto& value : dump["events"].toArray()) {
        const QJsonObject event = value.toObject();
        events.emplace_back(event["kind"].toString().toStdString(), event["path"].toString().toStdString());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"open", program + "kvxlog.txt"},  {"trash", program + "kvxlog.txt"}, {"trash", program + "kvxlog.htm"},
        {"trash", program + "kvxlog.csv"}, {"trash", program + "updown.txt"}, {"trash", program + "updown.htm"},
    };
    EXPECT_EQ(events, expected);
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].toObject()["text"].toString(), "Are you sure you want to erase the Log Files ?");
    EXPECT_EQ(messages[1].toObject()["text"].toString(), "Are you sure you want to erase the Up and Down Log files ?");
    EXPECT_TRUE(control(dump, "Form1.CheckBox37")["checked"].toBool());
}

// Guards against an erase that empties logs the trash would not take: with a
// plain file where the trash folder belongs, every row stays, the refusal is
// told with GIO's reason, and the log runs on (rows at 5, 65, 125 and 185 s).
TEST(LogFilesBlackBox, ATrashThatRefusesLeavesEveryRow) {
    Desktop desktop;
    writeFile(desktop.home + "/share/Trash", "not a folder");
    auto run = desktop.run("200", "at 5 click CheckBox37\nat 131 click Log4\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(textRows(readFile(desktop.program() + "kvxlog.txt")), 4u);
    const QJsonObject dump = desktop.dump();
    EXPECT_TRUE(dump["events"].toArray().isEmpty());
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    const std::string told = messages[1].toObject()["text"].toString().toStdString();
    EXPECT_NE(told.find("could not be moved to the Trash"), std::string::npos) << told;
    for (const char* name : {"kvxlog.txt", "kvxlog.htm", "kvxlog.csv"})
        EXPECT_NE(told.find("trash " + desktop.program() + name + ": "), std::string::npos) << told;
}

// Guards against a full disk stopping the monitoring or leaving a broken log:
// the program folder is a 32 KB tmpfs in a private mount namespace, the log
// writes all three formats every minute for two hours, and the board's sensor
// 1 changes at 6000 s, long after the disk is full. Every row on the disk is
// whole and the HTML file still ends with its closing line.
TEST(LogFilesBlackBox, AFullDiskIsToldAndMonitoringGoesOn) {
    Desktop desktop;
    const std::string saved = desktop.file("saved/");
    fs::create_directories(saved);
    fs::create_directories(desktop.program());
    writeFile(desktop.file("board.txt"),
              "chip w83781d\nat 0 temp=30 volts=2.05,2.05,3.31,5.02,12.10,-11.90,-5.01 fans=4500,4400,255\n"
              "at 6000 temp=47\n");
    writeFile(desktop.file("script.txt"), "at 5 click CheckBox84\nat 5 click CheckBox37\n");
    // The run happens in a child that has its own mount namespace; it copies
    // the log files out before the namespace, and the tmpfs with it, ends.
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::string refused;
        if (::unshare(CLONE_NEWNS) != 0) refused = std::string("unshare: ") + std::strerror(errno);
        else if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            refused = std::string("private mounts: ") + std::strerror(errno);
        else if (::mount("tmpfs", desktop.program().c_str(), "tmpfs", 0, "size=32k") != 0)
            refused = std::string("mount tmpfs: ") + std::strerror(errno);
        if (!refused.empty()) {
            writeFile(saved + "refused", refused);
            ::_exit(0);
        }
        const ProgramRun run = runKorvex(
            desktop.headless("7200", {"--scenario", desktop.file("board.txt"), "--script", desktop.file("script.txt"),
                                      "--dump", desktop.file("dump.json")}));
        writeFile(saved + "exit", std::to_string(run.exitCode) + "\n" + run.err);
        for (const auto& entry : fs::directory_iterator(desktop.program()))
            fs::copy_file(entry.path(), saved + entry.path().filename().string());
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (fs::exists(saved + "refused"))
        GTEST_SKIP() << "this machine refuses a private tmpfs (" << readFile(saved + "refused")
                     << "): the full disk is not tested";
    const std::string exit = readFile(saved + "exit");
    ASSERT_EQ(exit.substr(0, 2), "0\n") << exit;

    const QJsonObject dump = desktop.dump();
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_FALSE(messages.isEmpty()) << "the full disk is told";
    const QJsonObject last = messages.last().toObject();
    EXPECT_NE(last["text"].toString().toStdString().find("No space left on device"), std::string::npos);
    EXPECT_GE(last["time_ms"].toInteger(), 7100000) << "the log still tries at the end";
    EXPECT_EQ(control(dump, "Form1.VUMeterWB1")["centerLabel"].toString(), QString::fromUtf8("47°C"))
        << "polling went on after the disk was full";

    // Rows are wider than the header's borders (the date has 10 characters), all alike.
    const auto text = crlfLines(readFile(saved + "kvxlog.txt"));
    ASSERT_GT(text.size(), 6u);
    for (size_t i = 5; i < text.size(); ++i)
        EXPECT_TRUE(text[i].size() == text[5].size() && text[i].back() == '|') << "a whole row: " << text[i];
    const std::string html = readFile(saved + "kvxlog.htm");
    EXPECT_EQ(html.substr(html.size() - 16), "\x1A</tr></table>\r\n");
    EXPECT_EQ(std::count(html.begin(), html.end(), '\x1A'), 1);
    for (const std::string& row : crlfLines(readFile(saved + "kvxlog.csv")))
        EXPECT_EQ(std::count(row.begin(), row.end(), ';'), 14) << "a whole row: " << row;
}
