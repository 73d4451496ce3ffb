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

// Guards against a launch before the count ran out or never, a speaker left on,
// settings saved after the launch, and a pause that lets the count run on. A
// cancelled countdown is followed in a run of the real program.
TEST(ShutdownLaunch, TheCountdownTicksPausesResumesAndLaunchesAfterTheLastTick) {
    const std::vector<std::string> plain = {"stopPolling", "speakerOn", "speakerOff", "startPolling", "save"};
    const struct {
        const char* what;
        std::vector<ClockHost::Press> presses;
        int64_t launchAt;
        int progress;
        std::vector<std::string> events;
    } cases[] = {
        {"15 ticks of a second", {}, 15000, 15000, plain},
        {"paused, then launched by the button",
         {{3500, "&Pause"}, {20000, "&Launch SHDN!"}},
         20000,
         3000,
         {"stopPolling", "speakerOn", "speakerOff", "speakerOff", "startPolling", "save"}},
        {"paused and resumed: 13 more ticks",
         {{2500, "&Pause"}, {10000, "&Resume"}},
         10000 + 13000,
         15000,
         {"stopPolling", "speakerOn", "speakerOff", "speakerOn", "speakerOff", "startPolling", "save"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShutdownHarness h;
        h.arm();
        EXPECT_FALSE(h.shdn.takeOverAlarm(2, "Sensor 2")) << "sensor 2 is not chosen";
        h.host.presses = c.presses;
        h.shdn.LaunchSHDN();
        ASSERT_EQ(h.launches, std::vector<std::string>{"/SHUTDOWN"});
        EXPECT_EQ(h.launchTimes[0], c.launchAt);
        EXPECT_EQ(h.shdn.countdown().progress().position(), c.progress);
        EXPECT_EQ(h.events, c.events);
        EXPECT_FALSE(h.shdn.countdown().timer().enabled());
    }
}

// Guards against a launch while the poll timer is stopped, and a shutdown
// launched because the program ended during the countdown.
TEST(ShutdownLaunch, NothingIsLaunchedWhenNotPollingOrWhenTheProgramEnds) {
    ShutdownHarness stopped;
    stopped.arm();
    stopped.polling = false;
    stopped.shdn.LaunchSHDN();
    EXPECT_TRUE(stopped.launches.empty());
    EXPECT_FALSE(stopped.shdn.countdown().window().isModalShowing());
    EXPECT_TRUE(stopped.events.empty());

    ShutdownHarness ending;
    ending.arm();
    ending.clock.schedule(5000, platform::TaskPriority::Script, [&ending] { ending.clock.quit(); });
    EXPECT_TRUE(ending.shdn.takeOverAlarm(1, "CPU"));
    EXPECT_TRUE(ending.launches.empty());
    // Logged before the countdown, so also when it launches nothing.
    EXPECT_EQ(ending.log, std::vector<std::string>{"12:00:00 - Launched ShutDown Now! on CPU Alarm"});
    EXPECT_TRUE(ending.shdn.enableBox().checked());
}

TEST(ShutdownLaunch, EachLaunchWayPassesItsSwitch) {
    const std::pair<int, const char*> ways[] = {
        {0, "/SHUTDOWN"}, {1, "/FSHUTDOWN"}, {2, "/POWEROFF"}, {3, ""}, {-1, ""}};
    for (auto [way, switchText] : ways) {
        ShutdownHarness h;
        h.arm();
        h.shdn.setWay(way);
        h.host.presses = {{0, "&Launch SHDN!"}};
        h.shdn.LaunchSHDN();
        EXPECT_EQ(h.launches, std::vector<std::string>{switchText}) << way;
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

}  // namespace
}  // namespace kvx::alarms
