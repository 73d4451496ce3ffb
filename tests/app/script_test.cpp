// Scripts: every mistake is caught at load with file, line and reason.
#include <gtest/gtest.h>

#include <optional>

#include "app/harness/script.h"
#include "platform/fake/virtual_scheduler.h"
#include "sensorlib/sim/scenario.h"
#include "ui/model/timer.h"

using kvx::app::parseScript;
using kvx::app::ScriptCommand;
using namespace kvx::ui;

namespace {

struct Windows {
    kvx::platform::fake::VirtualScheduler clock;
    Window form{"Form1"};
    Window info{"Form8"};
    WindowSet set;
    Windows() {
        form.add<SpinButton>(nullptr, "GenTabIntervalSpinButton");
        form.add<Label>(nullptr, "GenTabIntervalLabel");
        form.add<CheckBox>(nullptr, "CheckBox37");
        form.add<ComboBox>(nullptr, "Sensor1ComboBox");
        form.add<Edit>(nullptr, "Edit4");
        form.add<TrackBar>(nullptr, "GenTabPCFreqTrackBar");
        form.add<MenuItem>(nullptr, "PopupMenu1");
        form.add<Timer>(nullptr, "Timer1", clock);
        auto& ok = info.add<Button>(nullptr, "OkButton");
        ok.setCaption("&Ok");
        set.add(form);
        set.add(info);
    }
};

}  // namespace

TEST(Script, GoodLinesBecomeCommandsInFileOrder) {
    Windows w;
    auto script = parseScript(
        "# a comment line\n"
        "\n"
        "at 0 answer Form8 \"Ok\" after 2.5\r\n"
        "at 10 up GenTabIntervalSpinButton   # trailing comment\n"
        "at 10 click form1.checkbox37\n"
        "at 12.5 set Edit4 \"Case \\\"A\\\" #1\"\n"
        "at 13 select Sensor1ComboBox 3\n"
        "at 14 slide GenTabPCFreqTrackBar 1500\n"
        "at 15 popup\n"
        "at 16 answer MessageBox \"No\"\n"
        "at 20 dump out.json\n"
        "at 21 answer filedialog \"/home/a b/alarm.wav\"\n"
        "at 22 press form8.OkButton\n"
        "at 23 release Form8.OkButton",  // no trailing newline
        "s.txt", w.set);
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.commands.size(), 12u);
    const auto& c = script.commands;
    EXPECT_EQ(c[0].verb, ScriptCommand::Verb::Answer);
    EXPECT_EQ(c[0].afterMs, 2500);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[1].verb, ScriptCommand::Verb::Up);
    EXPECT_EQ(c[1].atMs, 10000);
    EXPECT_EQ(c[3].text, "Case \"A\" #1");
    EXPECT_EQ(c[3].atMs, 12500);
    EXPECT_EQ(c[4].number, 3);
    EXPECT_EQ(c[5].number, 1500);
    EXPECT_EQ(c[7].target, "MessageBox");
    EXPECT_EQ(c[8].target, "out.json");
    EXPECT_EQ(c[9].target, "FileDialog");
    EXPECT_EQ(c[9].text, "/home/a b/alarm.wav");
    EXPECT_EQ(c[10].verb, ScriptCommand::Verb::Press);
    EXPECT_EQ(c[11].verb, ScriptCommand::Verb::Release);
}

TEST(Script, EveryMistakeNamesFileLineAndReason) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"click CheckBox37", "s.txt:2: expected 'at SECONDS COMMAND'"},
        {"at 1 answer Form8 \"Ok\" after 1e300", "s.txt:2: delay 1e300 is out of range 0..1e12 seconds"},
        {"at 1 hold CheckBox37", "s.txt:2: unknown command 'hold'"},
        {"at 1 press CheckBox37", "s.txt:2: press needs a button, and 'CheckBox37' is a checkBox"},
        {"at 1 answer FileDialog \"/tmp/a.wav\" after 1",
         "s.txt:2: a file dialog is answered at once, without 'after'"},
        {"at 1 click CheckBox99", "s.txt:2: unknown control 'CheckBox99'"},
        {"at 1 click Form2.CheckBox37", "s.txt:2: unknown control 'Form2.CheckBox37'"},
        {"at 1 click GenTabIntervalLabel",
         "s.txt:2: click needs a check box, radio button, button or menu item, and 'GenTabIntervalLabel' is a label"},
        {"at 1 up CheckBox37", "s.txt:2: up needs a spin button, and 'CheckBox37' is a checkBox"},
        {"at 1 set Edit4 unquoted", "s.txt:2: set needs a control name and a \"quoted text\""},
        {"at 1 set Edit4 \"open", "s.txt:2: unterminated quoted text"},
        {"at 1 select Sensor1ComboBox two", "s.txt:2: 'two' is not a whole number"},
        {"at 1 click", "s.txt:2: click needs a control name"},
        {"at 1 click CheckBox37 twice", "s.txt:2: click takes one control name"},
        {"at 1 popup now", "s.txt:2: popup takes no arguments"},
        {"at 1 dblclick TrayIcon1", "s.txt:2: unknown control 'TrayIcon1'"},
        {"at 1 answer Form9 \"OK\"", "s.txt:2: unknown window 'Form9'"},
        {"at 1 answer Form8 \"Cancel\"", "s.txt:2: window Form8 has no button \"Cancel\""},
        {"at 1 answer Form8 \"Ok\" after",
         "s.txt:2: answer needs a window, a \"button caption\" and optionally 'after SECONDS'"},
        {"at 1 answer Form8 \"Ok\" later 2", "s.txt:2: expected 'after SECONDS', not 'later'"},
        {"at 1 dump", "s.txt:2: dump takes one file name"},
    };
    Windows w;
    for (const auto& c : cases) {
        auto script = parseScript(std::string("at 0 up GenTabIntervalSpinButton\n") + c.line + "\n", "s.txt", w.set);
        EXPECT_EQ(script.error, c.error) << c.line;
        EXPECT_TRUE(script.commands.empty()) << "a bad script runs nothing: " << c.line;
    }
}

// Guards against the script and the scenario file disagreeing on which times exist.
TEST(Script, TimesFollowTheScenarioFilesRule) {
    const std::pair<const char*, std::optional<int64_t>> cases[] = {
        {"0", 0},       {"2.5", 2500},        {"+3", 3000},   {"1e3", 1000000},
        {"0.0004", 0},  {"0.0016", 2},        {"-0", 0},      {"1e12", 1000000000000000},
        {"1e12.5", {}}, {"1.0000001e12", {}}, {"1e300", {}},  {"1e400", {}},
        {"-1", {}},     {"-1e-400", {}},      {"1e-400", {}}, {"inf", {}},
        {"nan", {}},    {"5s", {}},           {"0x10", {}},   {"", {}},
        {"+", {}},      {"+-1", {}},          {"1,5", {}},    {".", {}},
    };
    Windows w;
    for (const auto& [time, ms] : cases) {
        SCOPED_TRACE(std::string("time '") + time + "'");
        const auto script = parseScript(std::string("at ") + time + " popup\n", "s.txt", w.set);
        const auto scenario = kvx::sim::parseScenario(std::string("at ") + time + " temp=1\n", "b.txt");
        if (!*time) {  // an empty time is a missing word: both refuse the line
            EXPECT_NE(script.error, "");
            EXPECT_FALSE(scenario.scenario);
            continue;
        }
        if (ms) {
            ASSERT_EQ(script.error, "");
            ASSERT_TRUE(scenario.scenario) << scenario.error;
            EXPECT_EQ(script.commands.at(0).atMs, *ms);
            EXPECT_EQ(scenario.scenario->rows.at(0).ms, *ms);
        } else {
            EXPECT_EQ(script.error.rfind(std::string("s.txt:1: time ") + time + " ", 0), 0u) << script.error;
            EXPECT_EQ(scenario.error.rfind(std::string("b.txt:1: time ") + time + " ", 0), 0u) << scenario.error;
            EXPECT_EQ(script.error.substr(5), scenario.error.substr(5)) << "the same reason";
        }
    }
}
