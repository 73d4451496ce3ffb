// Gauge geometry and paint plan, without any drawing library.
#include <gtest/gtest.h>

#include "ui/model/vu_meter.h"

using namespace kvx::ui;

namespace {

// The main window's 80 x 45 gauge: pivot (40, 35), arc radii 20 x 25, needle 15 x 20.
const GaugeGeometry kMain = gaugeGeometry(80, 45, 1);

struct Rgb {
    int r, g, b;
};
Rgb split(Colour c) { return {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)}; }

}  // namespace

TEST(GaugeGeometry, NeedleEndsOnTheEllipseOfItsLengths) {
    const struct {
        const char* why;
        float position, scale;
        Point end;
    } cases[] = {
        {"zero points straight left", 0, 60, {25, 35}},
        {"the scale points straight right", 60, 60, {55, 35}},
        {"half the scale points straight up", 30, 60, {40, 15}},
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

TEST(GaugeGeometry, ArcRunsFromLeftOverTheTopToRight) {
    const std::vector<Point> points = arcPoints(kMain);
    ASSERT_EQ(points.size(), 256u);
    EXPECT_EQ(points.front(), (Point{20, 35}));
    EXPECT_EQ(points.back(), (Point{60, 35}));
    EXPECT_EQ(points[127], (Point{40, 10}));
    for (size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(points[i].x + points[255 - i].x, 80) << "mirror image about the centre";
        EXPECT_EQ(points[i].y, points[255 - i].y);
    }
}

TEST(GaugeGeometry, ArcColoursRunFromStartToEnd) {
    const struct {
        ArcStyle style;
        Rgb start, first, end;
    } cases[] = {
        {ArcStyle::GreenToRed, {0, 255, 0}, {1, 254, 0}, {255, 0, 0}},
        {ArcStyle::BlueToRed, {0, 0, 255}, {1, 0, 254}, {255, 0, 0}},
        {ArcStyle::AquaToYellow, {0, 255, 255}, {1, 255, 254}, {255, 255, 0}},
        {ArcStyle::Simple, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
        {ArcStyle::RedGreenRed, {255, 0, 0}, {253, 2, 0}, {255, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.style));
        EXPECT_EQ(arcColour(c.style, 0), rgb(c.start.r, c.start.g, c.start.b));
        EXPECT_EQ(arcColour(c.style, 1), rgb(c.first.r, c.first.g, c.first.b));
        EXPECT_EQ(arcColour(c.style, 255), rgb(c.end.r, c.end.g, c.end.b));
    }
    // Red-green-red is green at the top and mirrors itself.
    EXPECT_EQ(arcColour(ArcStyle::RedGreenRed, 127), rgb(1, 254, 0));
    EXPECT_EQ(arcColour(ArcStyle::RedGreenRed, 128), rgb(1, 254, 0));
    for (int step = 0; step <= 255; ++step) {
        const Rgb c = split(arcColour(ArcStyle::RedGreenRed, step));
        EXPECT_EQ(c.r + c.g, 255) << step;
        EXPECT_EQ(arcColour(ArcStyle::RedGreenRed, step), arcColour(ArcStyle::RedGreenRed, 255 - step)) << step;
    }
}

TEST(GaugeGeometry, LinesLeaveOutTheirEndPoint) {
    using Pixels = std::vector<Point>;
    const struct {
        Point from, to;
        Pixels pixels;
    } cases[] = {
        {{0, 0}, {0, 0}, {}},
        {{0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}},
        {{3, 0}, {0, 0}, {{3, 0}, {2, 0}, {1, 0}}},
        {{0, 0}, {-2, 2}, {{0, 0}, {-1, 1}}},
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.to.x << "," << c.to.y);
        EXPECT_EQ(linePixels(c.from, c.to), c.pixels);
    }
}

// The lowered bevel's pixels are checked in the rendering test; this guards the raised and absent ones.
TEST(GaugeGeometry, RaisedBevelSwapsTheColoursAndNoneUsesTheBackground) {
    const auto raised = bevelLines(80, 45, BevelStyle::Raised, 3, kColourButtonFace);
    EXPECT_EQ(raised.size(), 8u) << "bevel width 3 gives four rings";
    EXPECT_EQ(raised[0].colour, kColourGrey);
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
    } cases[] = {
        {{}, 1 + bevel + arc + 3},
        {{.keepBackground = true, .keepArc = false}, arc + 3},
        {{.keepBackground = true, .keepArc = true}, 3},
    };
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
