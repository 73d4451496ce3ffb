// The shutdown launch: its countdown in virtual time, the launch ways, the
// page's spin button and the take-over of a temperature alarm.
#include <gtest/gtest.h>

#include <optional>

#include "alarms/shutdown_launch.h"
#include "platform/fake/virtual_scheduler.h"

namespace kvx::alarms {
namespace {

// Runs the clock while a modal window is open; presses a button at a set time when told.
class ClockHost final : public ui::ModalHost {
public:
    explicit ClockHost(platform::fake::VirtualScheduler& clock) : clock_(clock) {}
    struct Press {
        int64_t afterMs;
        std::string caption;
    };
    std::vector<Press> presses;

    void showModal(ui::Window& window) override {
        int64_t start = clock_.nowMs();
        for (const Press& press : presses)
            clock_.schedule(start + press.afterMs, platform::TaskPriority::Script, [&window, caption = press.caption] {
                for (ui::Control* c : window.controls())
                    if (auto* button = dynamic_cast<ui::Button*>(c); button && button->caption() == caption)
                        button->click();
            });
        presses.clear();
        clock_.runUntil([&window] { return !window.isModalShowing(); }, start + 120000);
    }

private:
    platform::fake::VirtualScheduler& clock_;
};

struct ShutdownHarness {
    platform::fake::VirtualScheduler clock;
    ui::Window form{"Form1"};
    ui::Panel& settingsPanel = form.add<ui::Panel>(nullptr, "Panel9");
    ui::Panel& aboutPanel = form.add<ui::Panel>(nullptr, "Panel22");
    bool polling = true;
    std::string location = "/opt/shutdown/korvex-shutdown";
    std::vector<std::string> launches;
    std::vector<int64_t> launchTimes;
    std::vector<std::string> log;
    std::vector<std::string> events;  // speaker, saves, polling
    ShutdownLaunch shdn{form, &settingsPanel, &aboutPanel, clock, services()};
    ClockHost host{clock};

    ShutdownHarness() { shdn.countdown().window().setModalHost(&host); }

    // Installed, enabled, sensor 1 chosen.
    void arm() {
        ASSERT_FALSE(shdn.CheckForShutDownNowInRegistry().empty());
        shdn.enableBox().setChecked(true);
        shdn.sensorBox(1).setChecked(true);
    }

private:
    ShutdownServices services() {
        ShutdownServices s;
        s.polling = [this] { return polling; };
        s.stopPolling = [this] {
            polling = false;
            events.emplace_back("stopPolling");
        };
        s.startPolling = [this] {
            polling = true;
            events.emplace_back("startPolling");
        };
        s.startSpeakerTimer = [this] { events.emplace_back("speakerOn"); };
        s.stopSpeaker = [this] { events.emplace_back("speakerOff"); };
        s.saveSettings = [this] { events.emplace_back("save"); };
        s.locate = [this] { return location; };
        s.launch = [this](const std::string& sw) {
            launches.push_back(sw);
            launchTimes.push_back(clock.nowMs());
        };
        s.timeText = [] { return std::string("12:00:00"); };
        s.writeWarnings = [] { return true; };
        s.writeWarning = [this](const std::string& text) { log.push_back(text); };
        return s;
    }
};

TEST(ShutdownLaunch, ACountdownOf15SecondsTicks15TimesAndLaunchesAfterTheLast) {
    ShutdownHarness h;
    h.arm();
    int ticks = 0;
    auto onTimer = h.shdn.countdown().timer().onTimer;
    h.shdn.countdown().timer().onTimer = [&] {
        ++ticks;
        onTimer();
    };
    h.shdn.LaunchSHDN();
    EXPECT_EQ(ticks, 15);
    EXPECT_EQ(h.shdn.countdown().progress().position(), 15000);
    ASSERT_EQ(h.launches, std::vector<std::string>{"/SHUTDOWN"});
    EXPECT_EQ(h.launchTimes[0], 15000);
    // Saved before the launch; polling again afterwards; the speaker silent once the window closed.
    std::vector<std::string> expected = {"stopPolling", "speakerOn", "speakerOff", "startPolling", "save"};
    EXPECT_EQ(h.events, expected);
    EXPECT_FALSE(h.shdn.countdown().timer().enabled());
}

TEST(ShutdownLaunch, PauseThenLaunchLaunchesAtOnce) {
    ShutdownHarness h;
    h.arm();
    h.host.presses = {{3500, "&Pause"}, {20000, "&Launch SHDN!"}};
    h.shdn.LaunchSHDN();
    ASSERT_EQ(h.launches.size(), 1u);
    EXPECT_EQ(h.launchTimes[0], 20000) << "the paused count does not run out, the button launches";
    EXPECT_EQ(h.shdn.countdown().progress().position(), 3000);
    EXPECT_EQ(h.shdn.countdown().pauseButton().caption(), "&Resume");
}

TEST(ShutdownLaunch, PauseResumesWithTheSpeaker) {
    ShutdownHarness h;
    h.arm();
    h.host.presses = {{2500, "&Pause"}, {10000, "&Resume"}};
    h.shdn.LaunchSHDN();
    EXPECT_EQ(h.launchTimes.at(0), 10000 + 13000) << "13 more ticks after the resume";
    std::vector<std::string> expected = {"stopPolling", "speakerOn",    "speakerOff", "speakerOn",
                                         "speakerOff",  "startPolling", "save"};
    EXPECT_EQ(h.events, expected);
}

TEST(ShutdownLaunch, CancelLaunchesNothingAndSwitchesTheLaunchOff) {
    ShutdownHarness h;
    h.arm();
    h.host.presses = {{4000, "&Cancel"}};
    EXPECT_TRUE(h.shdn.takeOverAlarm(1, "CPU"));
    EXPECT_TRUE(h.launches.empty());
    EXPECT_FALSE(h.shdn.enableBox().checked());
    EXPECT_FALSE(h.shdn.sensorBox(1).enabled()) << "the sensor boxes follow the enable box";
    EXPECT_TRUE(h.polling);
    // Logged before the countdown, so also when cancelled.
    EXPECT_EQ(h.log, std::vector<std::string>{"12:00:00 - Launched ShutDown Now! on CPU Alarm"});
    // The next due alarm is the ordinary one.
    EXPECT_FALSE(h.shdn.takeOverAlarm(1, "CPU"));
}

TEST(ShutdownLaunch, NothingIsLaunchedWhileThePollTimerIsStopped) {
    ShutdownHarness h;
    h.arm();
    h.polling = false;
    h.shdn.LaunchSHDN();
    EXPECT_TRUE(h.launches.empty());
    EXPECT_FALSE(h.shdn.countdown().window().isModalShowing());
    EXPECT_TRUE(h.events.empty());
}

// Guards against a shutdown launched because the program ended during the countdown.
TEST(ShutdownLaunch, ACountdownCutShortByTheProgramsEndLaunchesNothing) {
    ShutdownHarness h;
    h.arm();
    h.clock.schedule(5000, platform::TaskPriority::Script, [&h] { h.clock.quit(); });
    h.shdn.LaunchSHDN();
    EXPECT_TRUE(h.launches.empty());
    EXPECT_TRUE(h.shdn.enableBox().checked());
}

TEST(ShutdownLaunch, EachLaunchWayPassesItsSwitch) {
    struct Case {
        int way;
        const char* switchText;
    };
    for (Case c : {Case{0, "/SHUTDOWN"}, Case{1, "/FSHUTDOWN"}, Case{2, "/POWEROFF"}, Case{3, ""}, Case{-1, ""}}) {
        EXPECT_EQ(ShutdownLaunch::switchFor(c.way), c.switchText) << c.way;
        ShutdownHarness h;
        h.arm();
        h.shdn.setWay(c.way);
        h.host.presses = {{0, "&Launch SHDN!"}};
        h.shdn.LaunchSHDN();
        EXPECT_EQ(h.launches, std::vector<std::string>{c.switchText}) << c.way;
    }
}

TEST(ShutdownLaunch, TheCountdownSpinButtonStaysWithin6And60Seconds) {
    ShutdownHarness h;
    ui::SpinButton& spin = h.shdn.countdownSpinButton();
    auto& label = h.form.require<ui::Label>("Label42");
    EXPECT_EQ(label.caption(), "15 Seconds");
    for (int i = 0; i < 60; ++i) spin.up();
    EXPECT_EQ(h.shdn.countdownMs(), 60000);
    EXPECT_EQ(label.caption(), "60 Seconds");
    for (int i = 0; i < 60; ++i) spin.down();
    EXPECT_EQ(h.shdn.countdownMs(), 6000);
    EXPECT_EQ(label.caption(), "6 Seconds");
}

TEST(ShutdownLaunch, AMissingProgramDisablesTheFourBoxesAndOnlyChosenSensorsTakeOver) {
    ShutdownHarness h;
    h.arm();
    EXPECT_FALSE(h.shdn.takeOverAlarm(2, "Sensor 2")) << "sensor 2 is not chosen";
    h.location.clear();
    EXPECT_EQ(h.shdn.CheckForShutDownNowInRegistry(), "");
    for (ui::CheckBox* box : {&h.shdn.enableBox(), &h.shdn.sensorBox(1), &h.shdn.sensorBox(2), &h.shdn.sensorBox(3)}) {
        EXPECT_FALSE(box->checked()) << box->name();
        EXPECT_FALSE(box->enabled()) << box->name();
    }
    EXPECT_FALSE(h.shdn.takeOverAlarm(1, "Sensor 1"));
}

}  // namespace
}  // namespace kvx::alarms
