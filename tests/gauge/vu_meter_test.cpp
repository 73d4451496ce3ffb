// The gauge model: which changes are taken, what each one paints, the hint and the dump.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>

#include "ui/model/vu_meter.h"

using namespace kvx::ui;

namespace {

// Records every paint as the painter sees it: the flags and the needle to erase.
struct PaintLog {
    struct Paint {
        RepaintFlags flags;
        float previousPosition;
        float previousScale;
    };
    std::vector<Paint> paints;
    int notices = 0;

    explicit PaintLog(VUMeter& meter) : meter_(meter) {
        meter.observe([this] {
            ++notices;
            if (meter_.paintCount() == seen_) return;
            seen_ = meter_.paintCount();
            paints.push_back({meter_.repaintFlags(), meter_.previousPosition(), meter_.previousScale()});
        });
    }

private:
    VUMeter& meter_;
    std::uint64_t seen_ = 0;
};

struct Recorder : PropertySink {
    std::map<std::string, std::string> texts;
    std::map<std::string, double> numbers;
    std::map<std::string, int64_t> integers;
    void text(const char* key, const std::string& value) override { texts[key] = value; }
    void boolean(const char*, bool) override {}
    void integer(const char* key, int64_t value) override { integers[key] = value; }
    void number(const char* key, double value) override { numbers[key] = value; }
    void colour(const char*, Colour) override {}
    void textList(const char*, const std::vector<std::string>&) override {}
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

}  // namespace

TEST(VUMeter, PositionChangesAreTakenOrIgnoredByTheRules) {
    struct Case {
        const char* why;
        float set;
        bool taken;
        const char* hint;
    };
    // Each case starts from position 2 on scale 10, hint "2".
    const Case cases[] = {
        {"an ordinary value", 5.0f, true, "5"},
        {"the same value again paints nothing", 2.0f, false, "2"},
        // Changed: a reading above the scale used to be dropped, leaving a stale temperature.
        {"above the scale is taken: the needle stops at full scale", 10.5f, true, "10.5"},
        {"exactly the scale is the right end", 10.0f, true, "10"},
        {"a negative value is accepted", -3.0f, true, "-3"},
        {"the shortest text of the float", 0.1f, true, "0.1"},
        {"NaN would pass both comparisons", kNaN, false, "2"},
        {"infinity has no angle", -kInf, false, "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        VUMeter meter("G");
        meter.setPosition(2.0f);
        PaintLog log(meter);
        meter.setPosition(c.set);
        EXPECT_EQ(meter.hint(), c.hint);
        if (!c.taken) {
            EXPECT_EQ(meter.position(), 2.0f);
            EXPECT_TRUE(log.paints.empty());
            continue;
        }
        EXPECT_EQ(meter.position(), c.set);
        ASSERT_EQ(log.paints.size(), 1u);
        EXPECT_EQ(log.paints[0].flags, (RepaintFlags{.keepBackground = true, .keepArc = true}));
        EXPECT_EQ(log.paints[0].previousPosition, 2.0f) << "the old needle is erased";
        EXPECT_EQ(log.paints[0].previousScale, 10.0f);
        EXPECT_EQ(meter.repaintFlags(), RepaintFlags{}) << "a paint clears the flags";
    }
}

TEST(VUMeter, LoweringTheScaleBelowThePositionLeavesThePosition) {
    VUMeter meter("G");
    meter.setPosition(8.0f);
    PaintLog log(meter);
    meter.setScale(5.0f);
    EXPECT_EQ(meter.scale(), 5.0f);
    EXPECT_EQ(meter.position(), 8.0f);
    ASSERT_EQ(log.paints.size(), 1u);
    EXPECT_EQ(log.paints[0].flags, (RepaintFlags{.keepBackground = true, .keepArc = false}));
    EXPECT_EQ(log.paints[0].previousPosition, 8.0f);
    EXPECT_EQ(log.paints[0].previousScale, 10.0f) << "the needle drawn at the old scale is erased";

    meter.setScale(5.0f);
    meter.setScale(kNaN);
    EXPECT_EQ(log.paints.size(), 1u) << "an equal or non-finite scale is ignored";
    meter.setPosition(7.0f);
    EXPECT_EQ(meter.position(), 7.0f) << "a position above the lowered scale is taken too";
}

TEST(VUMeter, EachSetterPaintsOnceWithItsFlags) {
    const RepaintFlags full{};
    const RepaintFlags keepBackground{.keepBackground = true, .keepArc = false};
    struct Case {
        const char* what;
        std::function<void(VUMeter&)> set;
        RepaintFlags flags;
    };
    const Case cases[] = {
        {"arc style", [](VUMeter& m) { m.setArcStyle(ArcStyle::BlueToRed); }, keepBackground},
        {"needle colour", [](VUMeter& m) { m.setArrowColour(kColourRed); }, keepBackground},
        {"bevel style (the bevel is part of the background)", [](VUMeter& m) { m.setBevelStyle(BevelStyle::Raised); },
         full},
        {"arc width", [](VUMeter& m) { m.setArcWidth(3); }, full},
        {"label", [](VUMeter& m) { m.setCenterLabel("45"); }, full},
        {"label font",
         [](VUMeter& m) { m.setCenterLabelFont({.name = "Arial", .size = 8, .colour = kColourBlack, .style = 0}); },
         full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VUMeter meter("G");
        PaintLog log(meter);
        c.set(meter);
        c.set(meter);
        ASSERT_EQ(log.paints.size(), 1u) << "the second, equal value paints nothing";
        EXPECT_EQ(log.paints[0].flags, c.flags);
    }
}

TEST(VUMeter, BevelWidthOutsideOneToThreeIsRefused) {
    const struct {
        int width;
        bool accepted;
        int kept;
    } cases[] = {{0, false, 2}, {4, false, 2}, {256 + 2, false, 2}, {1, true, 1}, {3, true, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        VUMeter meter("G");
        meter.setBevelWidth(2);
        EXPECT_EQ(meter.setBevelWidth(c.width), c.accepted);
        EXPECT_EQ(meter.bevelWidth(), c.kept);
    }
}

TEST(VUMeter, HintFollowsThePositionOnlyWhenAskedTo) {
    VUMeter meter("G");
    PaintLog log(meter);
    meter.setShowPosInHint(false);
    meter.setPosition(3.5f);
    EXPECT_EQ(meter.hint(), "");
    meter.setShowPosInHint(true);
    EXPECT_EQ(meter.hint(), "3.5") << "switching on shows the current position at once";
    meter.setShowPosInHint(false);
    EXPECT_EQ(meter.hint(), "");
    EXPECT_EQ(log.paints.size(), 1u) << "the hint switch paints nothing";
    EXPECT_GT(log.notices, 1) << "but observers hear of the hint";
}

TEST(VUMeter, DumpShowsPositionScaleLabelAndHintAsShown) {
    VUMeter meter("VUMeterLM75");
    meter.setScale(80.0f);
    meter.setPosition(45.1f);
    meter.setCenterLabel("45");
    Recorder dump;
    meter.describe(dump);
    EXPECT_EQ(dump.texts["kind"], "gauge");
    EXPECT_EQ(dump.numbers["position"], 45.1) << "the float's shortest decimal, not 45.099998...";
    EXPECT_EQ(dump.numbers["scale"], 80.0);
    EXPECT_EQ(dump.texts["centerLabel"], "45");
    EXPECT_EQ(dump.texts["hint"], "45.1");
}

// Guards the per-sensor scales of the main window's gauges (the second and third are 80, not 60).
TEST(VUMeter, MainWindowGaugesHaveTheirSensorsScales) {
    const float scales[] = {60.0f, 80.0f, 80.0f};
    for (int sensor = 0; sensor < 3; ++sensor) {
        VUMeter meter("G");
        setUpMainWindowGauge(meter, sensor);
        EXPECT_EQ(meter.scale(), scales[sensor]) << sensor;
        EXPECT_EQ(meter.hint(), "") << "the position is not shown in the hint";
    }
}
