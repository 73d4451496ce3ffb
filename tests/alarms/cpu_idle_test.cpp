// The cooler control: the launch and close tests, the status memo, the page's
// spin buttons and the temperature request.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "alarms/cpu_idle.h"

namespace kvx::alarms {
namespace {

struct Post {
    std::string title;
    uint32_t number;
    int64_t wparam;
    int64_t lparam;
    friend bool operator==(const Post&, const Post&) = default;
};

struct CpuIdleHarness {
    ui::Window form{"Form1"};
    std::array<double, 3> positions{30, 30, 30};
    std::optional<std::string> registryPath = std::string("/opt/cpuidle/cpuidle");
    bool fileThere = true;
    bool running = false;
    std::vector<std::pair<std::string, std::string>> started;  // file, folder
    std::vector<Post> posts;
    std::vector<std::string> log;
    int saves = 0;
    CpuIdleControl idle{form,
                        {&form.add<ui::Panel>(nullptr, "Panel24"), &form.add<ui::Panel>(nullptr, "Panel25"),
                         &form.add<ui::Panel>(nullptr, "Panel26")},
                        services()};

    std::vector<std::string> memo() { return idle.memo().lines(); }

private:
    CpuIdleServices services() {
        CpuIdleServices s;
        s.gaugePosition = [this](int sensor) { return positions[sensor - 1]; };
        s.degree = [] { return std::string("\xC2\xB0"); };
        s.timeText = [] { return std::string("12:00:00"); };
        s.writeWarnings = [] { return true; };
        s.writeWarning = [this](const std::string& text) { log.push_back(text); };
        s.registryPath = [this] { return registryPath; };
        s.fileExists = [this](const std::string&) { return fileThere; };
        s.executeFile = [this](const std::string& file, const std::string& folder) {
            started.emplace_back(file, folder);
            running = true;
        };
        s.windowExists = [this](const std::string& title) { return title == "CPUIdle" && running; };
        s.post = [this](const std::string& title, uint32_t n, int64_t w, int64_t l) {
            posts.push_back({title, n, w, l});
        };
        s.saveSettings = [this] { ++saves; };
        return s;
    }
};

TEST(CpuIdle, TheLaunchValueIsComparedWithTheGaugeRoundedHalfToEven) {
    struct Case {
        double gauge;
        bool launches;
    };
    for (Case c : {Case{44.5, false}, Case{45.5, true}, Case{45.0, true}, Case{44.49, false}}) {
        CpuIdleHarness h;
        h.idle.launchBox().setChecked(true);
        h.positions[0] = c.gauge;
        h.idle.pollStep();
        EXPECT_EQ(!h.started.empty(), c.launches) << c.gauge;
        EXPECT_EQ(h.idle.launched(), c.launches) << c.gauge;
    }
}

// Guards against a cooler started twice, started outside its folder, or closed
// above the close value; the posts' order is followed in a run of the real program.
TEST(CpuIdle, ALaunchStartsTheProgramOnceAndTheCloseTestClosesIt) {
    CpuIdleHarness h;
    h.idle.launchBox().setChecked(true);
    h.positions[0] = 50;
    h.idle.pollStep();
    h.running = false;  // it went away: still no second start until a close or Reset
    h.idle.pollStep();
    ASSERT_EQ(h.started.size(), 1u);
    EXPECT_EQ(h.started[0], std::make_pair(std::string("/opt/cpuidle/cpuidle"), std::string("/opt/cpuidle")));
    EXPECT_EQ(h.memo(), std::vector<std::string>{"12:00:00: CPU Idle was launched by KVX."});
    EXPECT_EQ(h.log, std::vector<std::string>{"CPU Idle was launched by KVX."});
    EXPECT_TRUE(h.idle.resetButton().enabled());
    // Reset arms the launch again.
    h.idle.resetButton().click();
    EXPECT_FALSE(h.idle.resetButton().enabled());
    h.idle.pollStep();
    EXPECT_EQ(h.started.size(), 2u);
    EXPECT_EQ(h.memo().at(1), "12:00:00: Reset");

    h.idle.closeBox().setChecked(true);
    h.positions[0] = 41;
    h.idle.pollStep();
    EXPECT_TRUE(h.posts.empty()) << "41 is above the close value 40";
    h.positions[0] = 40;
    h.idle.pollStep();
    EXPECT_EQ(h.posts, (std::vector<Post>{{"CPUIdle", 16, 0, 0}, {"CPUIdle", 0x8000, 0, 0}}));
    EXPECT_FALSE(h.idle.launched());
    EXPECT_EQ(h.memo().back(), "12:00:00: CPU Idle was closed by KVX.");
    EXPECT_EQ(h.log.back(), "CPU Idle was closed by KVX.");
}

// Guards against a second start of a cooler already running, and a missing
// program started anyway or retried on every poll. A missing registry key is
// followed in a run of the real program.
TEST(CpuIdle, ARunningOrMissingCoolerIsNotStartedAndIsTold) {
    const struct {
        bool running, fileThere;
        const char* told;
    } cases[] = {{true, true, "CPU Idle was already running."}, {false, false, "CPU Idle could not be found by KVX"}};
    for (const auto& c : cases) {
        CpuIdleHarness h;
        h.idle.launchBox().setChecked(true);
        h.running = c.running;
        h.fileThere = c.fileThere;
        h.positions[0] = 60;
        h.idle.pollStep();
        EXPECT_TRUE(h.started.empty()) << c.told;
        EXPECT_TRUE(h.idle.launched()) << "no further attempt until Reset or a close";
        EXPECT_EQ(h.memo(), std::vector<std::string>{std::string("12:00:00: ") + c.told});
        EXPECT_EQ(h.log, std::vector<std::string>{c.told});
    }
}

TEST(CpuIdle, TheSpinButtonsKeepTheirBoundsAndTheLaunchValueAtOrAboveTheClose) {
    CpuIdleHarness h;
    ui::SpinButton& launch = h.idle.launchSpinButton();
    ui::SpinButton& close = h.idle.closeSpinButton();
    for (int i = 0; i < 100; ++i) launch.up();
    EXPECT_EQ(h.idle.launchValue(), 80);
    for (int i = 0; i < 100; ++i) close.down();
    EXPECT_EQ(h.idle.closeValue(), 17);
    for (int i = 0; i < 100; ++i) close.up();
    EXPECT_EQ(h.idle.closeValue(), 77);
    for (int i = 0; i < 100; ++i) launch.down();
    EXPECT_EQ(h.idle.launchValue(), 77) << "down to the close value, equal allowed";
    for (int i = 0; i < 100; ++i) close.up();
    EXPECT_EQ(h.idle.closeValue(), 77);
    for (int i = 0; i < 100; ++i) close.down();
    for (int i = 0; i < 100; ++i) launch.down();
    EXPECT_EQ(h.idle.launchValue(), 20);
    h.idle.setLaunchValue(45);
    EXPECT_EQ(h.idle.launchValueLabel().caption(),
              "has reached 45\xC2\xB0"
              "C / 113\xC2\xB0"
              "F");
    EXPECT_TRUE(h.idle.applyButton().enabled());
    h.idle.applyButton().click();
    EXPECT_FALSE(h.idle.applyButton().enabled());
    EXPECT_EQ(h.saves, 1);
}

TEST(CpuIdle, ATemperatureRequestIsAnsweredWithTheMonitoredSensorAndItsWholeDegrees) {
    CpuIdleHarness h;
    h.idle.setMonitoredSensor(2);
    h.positions[2] = 51.2;
    h.idle.handleMessage(CpuIdleControl::kTemperatureRequest);
    EXPECT_TRUE(h.posts.empty()) << "no cooler window: the request is ignored";
    h.running = true;
    EXPECT_TRUE(h.idle.handleMessage(0x8192));
    EXPECT_EQ(h.posts, (std::vector<Post>{{"CPUIdle", 0x8190, 2, 51}}));
    // A stored index outside 0..2 monitors sensor 1.
    h.posts.clear();
    h.idle.setMonitoredSensor(7);
    h.positions[0] = 38.5;
    h.idle.handleMessage(0x8192);
    EXPECT_EQ(h.posts, (std::vector<Post>{{"CPUIdle", 0x8190, 0, 38}}));
    EXPECT_FALSE(h.idle.handleMessage(0x8200)) << "not the cooler's";
}

}  // namespace
}  // namespace kvx::alarms
