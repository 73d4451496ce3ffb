// The gauge model: which changes are taken, what each one paints, the hint and
// the dump; its geometry and paint plan, without any drawing library.
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
        float previousPosition, previousScale;
    };
    std::vector<Paint> paints;
    int notices = 0;

    explicit PaintLog(VUMeter& meter) {
        meter.observe([this, &meter] {
            ++notices;
            if (meter.paintCount() == seen_) return;
            seen_ = meter.paintCount();
            paints.push_back({meter.repaintFlags(), meter.previousPosition(), meter.previousScale()});
        });
    }

private:
    std::uint64_t seen_ = 0;
};

struct Recorder : PropertySink {
    std::map<std::string, std::string> texts;
    std::map<std::string, double> numbers;
    void text(const char* key, const std::string& value) override { texts[key] = value; }
    void boolean(const char*, bool) override {}
    void integer(const char*, int64_t) override {}
    void number(const char* key, double value) override { numbers[key] = value; }
    void colour(const char*, Colour) override {}
    void textList(const char*, const std::vector<std::string>&) override {}
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr RepaintFlags kKeepBackground{.keepBackground = true, .keepArc = false};

// The main window's 80 x 45 gauge: pivot (40, 35), arc radii 20 x 25, needle 15 x 20.
const GaugeGeometry kMain = gaugeGeometry(80, 45, 1);

}  // namespace

TEST(VUMeter, PositionChangesAreTakenOrIgnoredByTheRules) {
    const struct {
        const char* why;
        float set;
        bool taken;
        const char* hint;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        VUMeter meter("G");  // position 2 on scale 10
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
    EXPECT_EQ(log.paints[0].flags, kKeepBackground);
    EXPECT_EQ(log.paints[0].previousPosition, 8.0f);
    EXPECT_EQ(log.paints[0].previousScale, 10.0f) << "the needle drawn at the old scale is erased";

    meter.setScale(5.0f);
    meter.setScale(kNaN);
    EXPECT_EQ(log.paints.size(), 1u) << "an equal or non-finite scale is ignored";
    meter.setPosition(7.0f);
    EXPECT_EQ(meter.position(), 7.0f) << "a position above the lowered scale is taken too";
}

TEST(VUMeter, EachSetterPaintsOnceWithItsFlags) {
    const struct {
        const char* what;
        std::function<void(VUMeter&)> set;
        RepaintFlags flags;
    } cases[] = {
        {"arc style", [](VUMeter& m) { m.setArcStyle(ArcStyle::BlueToRed); }, kKeepBackground},
        {"needle colour", [](VUMeter& m) { m.setArrowColour(kColourRed); }, kKeepBackground},
        {"bevel style (part of the background)", [](VUMeter& m) { m.setBevelStyle(BevelStyle::Raised); }, {}},
        {"arc width", [](VUMeter& m) { m.setArcWidth(3); }, {}},
        {"label", [](VUMeter& m) { m.setCenterLabel("45"); }, {}},
        {"label font",
         [](VUMeter& m) {
             m.setCenterLabelFont({"Arial", 8, kColourBlack, 0});
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VUMeter meter("G");
        PaintLog log(meter);
        c.set(meter);
        c.set(meter);
        ASSERT_EQ(log.paints.size(), 1u) << "the second, equal value paints nothing";
        EXPECT_EQ(log.paints[0].flags, c.flags);
    }
    for (int refused : {0, 4, 256 + 2}) {
        VUMeter meter("G");
        meter.setBevelWidth(2);
        EXPECT_FALSE(meter.setBevelWidth(refused)) << refused;
        EXPECT_EQ(meter.bevelWidth(), 2) << "only 1 to 3 is taken";
    }
}

// Guards the float's shortest decimal in the dump (not 45.099998...), and the
// per-sensor scales of the main window's gauges (the second and third are 80, not 60).
TEST(VUMeter, HintDumpAndTheMainWindowsScales) {
    VUMeter meter("VUMeterLM75");
    PaintLog log(meter);
    meter.setShowPosInHint(false);
    meter.setPosition(45.1f);
    EXPECT_EQ(meter.hint(), "");
    meter.setShowPosInHint(true);
    EXPECT_EQ(meter.hint(), "45.1") << "switching on shows the current position at once";
    EXPECT_EQ(log.paints.size(), 1u) << "the hint switch paints nothing";
    EXPECT_GT(log.notices, 1) << "but observers hear of the hint";
    meter.setScale(80.0f);
    meter.setCenterLabel("45");
    Recorder dump;
    meter.describe(dump);
    EXPECT_EQ(dump.texts["kind"], "gauge");
    EXPECT_EQ(dump.numbers["position"], 45.1);
    EXPECT_EQ(dump.numbers["scale"], 80.0);
    EXPECT_EQ(dump.texts["centerLabel"], "45");
    EXPECT_EQ(dump.texts["hint"], "45.1");

    const float scales[] = {60.0f, 80.0f, 80.0f};
    for (int sensor = 0; sensor < 3; ++sensor) {
        VUMeter gauge("G");
        setUpMainWindowGauge(gauge, sensor);
        EXPECT_EQ(gauge.scale(), scales[sensor]) << sensor;
        EXPECT_EQ(gauge.hint(), "") << "the position is not shown in the hint";
    }
}

TEST(GaugeGeometry, NeedleEndsOnTheEllipseOfItsLengths) {
    const struct {
        const char* why;
        float position, scale;
        Point end;
    } cases[] = {
        {"the main window's start value", 1, 60, {25, 34}},
        {"7.4999999 stays 7: no rounding up of near-halves", 40, 60, {47, 18}},
        {"negative: below the left end", -10, 60, {27, 45}},
        // Changed: the angle used to grow past pi, pointing below the right end.
        {"above the scale: stops at the right end", 70, 60, {55, 35}},
        {"above a scale of 0: the right end, not an infinite angle", 5, 0, {55, 35}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto end = needleEnd(kMain, c.position, c.scale);
        ASSERT_TRUE(end.has_value());
        EXPECT_EQ(*end, c.end);
    }
    EXPECT_FALSE(needleEnd(kMain, 0, 0).has_value()) << "scale 0 gives no angle and no needle";
    EXPECT_EQ(needleEnd(gaugeGeometry(80, 45, 3), 30, 60), (Point{40, 16})) << "a wide arc shortens the needle";
}

TEST(GaugeGeometry, ArcPointsColoursLinesAndBevel) {
    const std::vector<Point> points = arcPoints(kMain);
    ASSERT_EQ(points.size(), 256u);
    EXPECT_EQ(points.front(), (Point{20, 35}));
    EXPECT_EQ(points.back(), (Point{60, 35}));
    EXPECT_EQ(points[127], (Point{40, 10}));
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].x + points[255 - i].x, 80) << "mirror image about the centre at " << i;
        EXPECT_EQ(points[i].y, points[255 - i].y) << i;
    }

    const struct {
        ArcStyle style;
        Colour start, first, end;
    } colours[] = {
        {ArcStyle::GreenToRed, rgb(0, 255, 0), rgb(1, 254, 0), rgb(255, 0, 0)},
        {ArcStyle::BlueToRed, rgb(0, 0, 255), rgb(1, 0, 254), rgb(255, 0, 0)},
        {ArcStyle::AquaToYellow, rgb(0, 255, 255), rgb(1, 255, 254), rgb(255, 255, 0)},
        {ArcStyle::Simple, rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255)},
        {ArcStyle::RedGreenRed, rgb(255, 0, 0), rgb(253, 2, 0), rgb(255, 0, 0)},
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(int(c.style));
        EXPECT_EQ(arcColour(c.style, 0), c.start);
        EXPECT_EQ(arcColour(c.style, 1), c.first);
        EXPECT_EQ(arcColour(c.style, 255), c.end);
    }
    // Red-green-red is green at the top and mirrors itself.
    EXPECT_EQ(arcColour(ArcStyle::RedGreenRed, 127), rgb(1, 254, 0));
    for (int step = 0; step <= 255; ++step) {
        const Colour c = arcColour(ArcStyle::RedGreenRed, step);
        EXPECT_EQ(int(c & 0xFF) + int(c >> 8 & 0xFF), 255) << step;
        EXPECT_EQ(c, arcColour(ArcStyle::RedGreenRed, 255 - step)) << step;
    }

    using Pixels = std::vector<Point>;
    const struct {
        Point from, to;
        Pixels pixels;
    } lines[] = {
        {{0, 0}, {0, 0}, {}},
        {{0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}},
        {{3, 0}, {0, 0}, {{3, 0}, {2, 0}, {1, 0}}},
        {{0, 0}, {-2, 2}, {{0, 0}, {-1, 1}}},
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
    };
    for (const auto& c : lines) EXPECT_EQ(linePixels(c.from, c.to), c.pixels) << "the end point is left out";

    // The lowered bevel's pixels are checked in the rendering test.
    const auto raised = bevelLines(80, 45, BevelStyle::Raised, 3, kColourButtonFace);
    EXPECT_EQ(raised.size(), 8u) << "bevel width 3 gives four rings";
    EXPECT_EQ(raised[0].colour, kColourGrey) << "raised swaps the colours";
    EXPECT_EQ(raised[1].colour, kColourWhite);
    for (const LineOp& line : bevelLines(80, 45, BevelStyle::None, 1, kColourButtonFace))
        EXPECT_EQ(line.colour, kColourButtonFace);
}

TEST(GaugePaintPlan, FlagsDecideWhatIsDrawnAndNeedlesComeLast) {
    VUMeter meter("G");
    setUpMainWindowGauge(meter, 0);
    meter.setPosition(30.0f);
    const int bevel = 4, arc = 255;
    const struct {
        RepaintFlags flags;
        size_t ops;
    } cases[] = {{{}, 1 + bevel + arc + 3}, {kKeepBackground, arc + 3}, {{true, true}, 3}};
    for (const auto& c : cases) {
        const auto plan = paintPlan(meter, c.flags);
        ASSERT_EQ(plan.size(), c.ops);
        if (!c.flags.keepBackground) {
            EXPECT_EQ(std::get<FillOp>(plan[0]).colour, kColourButtonFace);
        }
        const auto& erase = std::get<LineOp>(plan[plan.size() - 3]);
        EXPECT_EQ(erase.colour, kColourButtonFace);
        EXPECT_EQ(erase.points, (std::vector<Point>{{40, 35}, {25, 34}})) << "the needle at 1 goes";
        const auto& label = std::get<TextOp>(plan[plan.size() - 2]);
        EXPECT_EQ(label.text, "00");
        EXPECT_EQ(label.topLeft, (Point{4, 4}));
        EXPECT_EQ(label.background, kColourButtonFace);
        const auto& needle = std::get<LineOp>(plan.back());
        EXPECT_EQ(needle.colour, kColourBlue);
        EXPECT_EQ(needle.points, (std::vector<Point>{{40, 35}, {40, 15}})) << "the needle at 30 comes";
    }
    meter.setCenterLabel("");
    EXPECT_EQ(paintPlan(meter, {.keepBackground = true, .keepArc = true}).size(), 2u) << "no label, no text";
}
