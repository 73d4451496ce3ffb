// How the program ends: the exit question's answers, the session's end, the uninstall; and the run-at-start box.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "test_program.h"

using namespace kvx;
using test::TestProgram;

namespace {

struct Calls {
    std::vector<std::string> log;
    app::LifecycleHooks hooks(bool runAtStart = false) {
        app::LifecycleHooks h;
        h.runAtStartExists = [runAtStart] { return runAtStart; };
        h.removeOldRunAtStartEntries = [this] { log.emplace_back("remove old entries"); };
        h.writeRunAtStart = [this](const std::string& path) { log.push_back("write entry " + path); };
        h.removeRunAtStart = [this] { log.emplace_back("remove entry"); };
        h.deleteFile = [this](const std::string& path) {
            log.push_back("delete " + path.substr(path.rfind('/') + 1));
            return std::remove(path.c_str()) == 0;
        };
        h.startProgram = [this](const std::string& program, const std::string& parameters) {
            log.push_back("start [" + program + "] [" + parameters + "]");
        };
        return h;
    }
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// Guards against a close box that exits or hides the program, and against an
// answer kept from the question before: one program is asked four times.
TEST(Exit, TheQuestionsAnswersDecideWhetherTheProgramEnds) {
    struct Step {
        const char* how;
        const char* answer;  // "": nobody presses a button, the window's close box closes it
        bool ends;
        bool hidden;
    };
    const Step steps[] = {
        {"Minimize", "&Minimize", false, true},
        {"its own close box, after Minimize", "", false, false},
        {"No", "&No", false, false},
        {"Yes", "&Yes", true, false},
    };
    TestProgram p;
    p.start();
    ui::Window* form7 = p.app->windows().window("Form7");
    for (const Step& s : steps) {
        SCOPED_TRACE(s.how);
        p.main->Show1Click();
        p.answers.set("Form7", {s.answer, 0});
        if (!*s.answer)
            p.clock.schedule(p.clock.nowMs() + 1000, platform::TaskPriority::Script, [form7] { form7->close(); });
        p.main->form().onCloseRequest();
        EXPECT_EQ(p.app->ended(), s.ends);
        EXPECT_EQ(p.main->parked(), s.hidden);
        EXPECT_EQ(p.userHive().find("\"InterVal\"") != std::string::npos, s.ends) << "settings saved only on exit";
    }
}

TEST(Exit, TrayExitOffersYesAndNoOnlyAndTheSessionEndAsksNothing) {
    TestProgram p;
    p.start();
    auto& form7 = *p.app->windows().window("Form7");
    p.answers.set("Form7", {"&No", 0});
    p.main->form().require<ui::MenuItem>("Exit1").click();
    EXPECT_FALSE(p.app->ended());

    form7.onShow = [] { FAIL() << "no question when the session ends"; };
    p.app->endSession();
    EXPECT_TRUE(p.app->ended());
    EXPECT_NE(p.userHive().find("\"InterVal\""), std::string::npos);
}

TEST(Exit, WithTheQuestionOffExitEndsAtOnceAndSaves) {
    TestProgram p;
    p.start();
    p.main->form().require<ui::CheckBox>("GenTabEnableExitQCheckBox").setChecked(false);
    p.app->windows().window("Form7")->onShow = [] { FAIL() << "asked although switched off"; };
    p.main->form().require<ui::MenuItem>("Exit1").click();
    EXPECT_TRUE(p.app->ended());
    EXPECT_NE(p.userHive().find("\"Exit Question\"=dword:00000000"), std::string::npos);
}

// Guards against a failed final save reported as success (the run's exit code comes from this).
TEST(Exit, AFailedSaveAtTheSessionsEndIsReportedAndRemembered) {
    TestProgram p;
    p.start();
    // The configuration folder becomes a plain file: no settings can be saved there, even by root.
    std::filesystem::rename(p.folders.config, p.folders.config + ".away");
    std::ofstream(p.folders.config) << "x";
    p.app->endSession();
    EXPECT_TRUE(p.app->ended()) << "the session ends all the same";
    EXPECT_TRUE(p.app->settingsSaveFailed());
    ASSERT_FALSE(p.app->messages().entries().empty());
    EXPECT_TRUE(p.app->messages().entries().back().text.starts_with("Failed to save the settings: "))
        << p.app->messages().entries().back().text;

    TestProgram saved;
    saved.start();
    saved.app->endSession();
    EXPECT_FALSE(saved.app->settingsSaveFailed());
}

TEST(Uninstall, RemovesTheEntryAndTheLogsStartsTheUninstallerAndEndsWithoutSaving) {
    Calls calls;
    TestProgram p;
    p.lifecycle = calls.hooks();
    std::ofstream(p.folders.config + "/machine.reg", std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex]\r\n"
           "\"UninstallString\"=\"/opt/korvex/uninstall --quiet --keep-settings\"\r\n";
    p.start();
    calls.log.clear();
    p.answers.set("Form5", {"&Un-install", 0});
    int64_t before = p.clock.nowMs();
    p.main->form().require<ui::MenuItem>("UnInstallExit1").click();
    EXPECT_EQ(calls.log, (std::vector<std::string>{"remove entry", "delete kvxlog.txt", "delete kvxlog.htm",
                                                   "delete kvxlog.csv", "delete kvxwarnlog.txt",
                                                   "delete kvxwarnlog.htm", "delete updown.txt", "delete updown.htm",
                                                   "start [/opt/korvex/uninstall] [--quiet --keep-settings]"}));
    EXPECT_EQ(p.clock.nowMs() - before, 4000) << "four one-second pauses";
    EXPECT_TRUE(p.app->ended());
    EXPECT_EQ(p.userHive().find("\"InterVal\""), std::string::npos) << "nothing saved";
    EXPECT_EQ(p.app->windows().window("Form5"), nullptr) << "the window is gone after use";
}

TEST(RunAtStart, AnEntryFoundAtStartIsRewrittenWithoutAMessage) {
    Calls calls;
    TestProgram p;
    p.lifecycle = calls.hooks(true);
    p.start();
    EXPECT_EQ(calls.log, (std::vector<std::string>{"remove old entries", "write entry /opt/korvex/korvex"}));
    EXPECT_TRUE(p.main->form().require<ui::CheckBox>("GenTabRunOnStartupCheckBox").checked());
    EXPECT_TRUE(p.app->messages().entries().empty());

    // Switched by the user on a visible window: the message, then the entry.
    p.main->Show1Click();
    auto& box = p.main->form().require<ui::CheckBox>("GenTabRunOnStartupCheckBox");
    box.click();
    EXPECT_EQ(calls.log.back(), "remove entry");
    box.click();
    EXPECT_EQ(calls.log.back(), "write entry /opt/korvex/korvex");
    ASSERT_EQ(p.app->messages().entries().size(), 1u);
    EXPECT_EQ(p.app->messages().entries()[0].text,
              "Windows will try to launch this program from it's current path next time it starts up.\n\r\n\r"
              "/opt/korvex/korvex");
}

// Guards against a bad machine.reg being moved away in silence when the uninstaller is looked up.
TEST(Uninstall, ABadMachineHiveIsReportedLeftInPlaceAndItsValuesTakenAsAbsent) {
    const std::string key =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex]\r\n";
    struct Case {
        const char* what;
        std::string bytes;     // empty: machine.reg is a folder, which cannot be read
        const char* reported;  // a part of the message
        const char* started;   // the uninstaller started, or "" for none
    };
    const Case cases[] = {
        {"not a hive", "UninstallString=/bin/false\r\n", "left unchanged and its values are taken as absent", ""},
        {"unreadable", "", "cannot read settings: ", ""},
        {"one bad line among good ones", key + "\"Broken\"=dword:zz\r\n\"UninstallString\"=\"/opt/u\"\r\n",
         "the lines above are skipped", "start [/opt/u] []"},
    };
    for (const Case& c : cases) {
        Calls calls;
        TestProgram p;
        p.lifecycle = calls.hooks();
        const std::string path = p.folders.config + "/machine.reg";
        if (c.bytes.empty()) std::filesystem::create_directory(path);
        else std::ofstream(path, std::ios::binary) << c.bytes;
        p.start();
        p.answers.set("Form5", {"&Un-install", 0});
        p.main->form().require<ui::MenuItem>("UnInstallExit1").click();
        ASSERT_FALSE(p.app->messages().entries().empty()) << c.what;
        const std::string& text = p.app->messages().entries().back().text;
        EXPECT_NE(text.find(c.reported), std::string::npos) << c.what << ": " << text;
        const bool started = calls.log.back().starts_with("start");
        EXPECT_EQ(started ? calls.log.back() : "", c.started) << c.what;
        if (c.bytes.empty()) {
            EXPECT_TRUE(std::filesystem::is_directory(path)) << c.what;
        } else {
            EXPECT_EQ(fileText(path), c.bytes) << c.what << ": machine.reg is never changed";
        }
    }
}
