// The gauge drawn by Qt: pixels of the needle, arc, bevel and background, and
// incremental paints that leave the same picture as a full one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "ui/model/vu_meter.h"
#include "ui/qt/colours.h"
#include "ui/qt/vu_meter_painter.h"
#include "ui/qt/vu_meter_view.h"

using namespace kvx::ui;
using kvx::ui::qt::toQColor;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "gauge_view_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics may already be gone, and
    // destroying the application then crashes in the input devices' cleanup.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

QColor at(const QImage& image, Point p) { return image.pixelColor(p.x, p.y); }

// The colour the arc leaves at `pixel`: that of the last segment drawn over it.
QColor arcColourAt(Point pixel, ArcStyle style) {
    const auto points = arcPoints(gaugeGeometry(80, 45, 1));
    QColor colour;
    for (int i = 1; i <= 255; ++i)
        for (const Point& p : linePixels(points[i - 1], points[i]))
            if (p == pixel) colour = toQColor(arcColour(style, i));
    return colour;
}

QImage fullPaint(const VUMeter& meter) {
    QImage image(meter.bounds().width, meter.bounds().height, QImage::Format_RGB32);
    qt::paintGauge(image, paintPlan(meter, {}));
    return image;
}

void save(const QImage& image, const char* name) {
    const QString folder = QString(KVX_BUILD_DIR) + "/screenshots";
    QDir().mkpath(folder);
    ASSERT_TRUE(image.save(folder + "/" + name));
}

struct GaugeView : ::testing::Test {
    VUMeter meter{"VUMeterLM75"};
    void SetUp() override {
        app();
        setUpMainWindowGauge(meter, 1);
    }
};

}  // namespace

TEST_F(GaugeView, DrawsNeedleArcBevelAndBackground) {
    qt::VUMeterView view(meter);
    view.show();
    meter.setPosition(40.0f);  // half of 80: straight up, from (40, 35) to (40, 15)
    meter.setCenterLabel("40");
    const QImage shown = view.grab().toImage();
    save(shown, "gauge-main.png");
    ASSERT_EQ(shown.size(), QSize(80, 45));

    const QColor blue = toQColor(kColourBlue);
    for (int y = 16; y <= 35; ++y) EXPECT_EQ(at(shown, {40, y}), blue) << "needle at y " << y;
    EXPECT_NE(at(shown, {40, 15}), blue) << "the needle's end point is left out";

    // The arc's ends and top carry the colours of the segments drawn there.
    const auto points = arcPoints(gaugeGeometry(80, 45, 1));
    int last = 255;
    while (points[last - 1] == points[last]) --last;
    const Point leftEnd = points[0], rightEnd = points[last - 1], top{40, 10};
    EXPECT_EQ(at(shown, leftEnd), arcColourAt(leftEnd, ArcStyle::GreenToRed));
    EXPECT_EQ(at(shown, rightEnd), arcColourAt(rightEnd, ArcStyle::GreenToRed));
    EXPECT_EQ(at(shown, top), arcColourAt(top, ArcStyle::GreenToRed));
    EXPECT_GT(at(shown, leftEnd).green(), 250) << "green on the left";
    EXPECT_GT(at(shown, rightEnd).red(), 250) << "red on the right";

    const QColor face = toQColor(kColourButtonFace);
    EXPECT_EQ(at(shown, {70, 10}), face);
    EXPECT_EQ(at(shown, {0, 20}), toQColor(kColourGrey)) << "lowered bevel: dark left";
    EXPECT_EQ(at(shown, {20, 0}), toQColor(kColourGrey)) << "dark top";
    EXPECT_EQ(at(shown, {79, 20}), toQColor(kColourWhite)) << "light right";
    EXPECT_EQ(at(shown, {20, 44}), toQColor(kColourWhite)) << "light bottom";
}

TEST_F(GaugeView, MovingTheNeedleLeavesTheSamePictureAsAFullPaint) {
    QWidget parent;
    auto* view = static_cast<qt::VUMeterView*>(qt::createVUMeterView(meter, &parent));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), "VUMeterLM75") << "the factory names the view after its model";
    parent.show();
    QApplication::processEvents();
    const std::uint64_t before = meter.paintCount();
    for (float position : {20.0f, 75.0f, 0.0f, 63.5f, 40.0f, 10.0f}) meter.setPosition(position);
    meter.setScale(60.0f);  // the needle jumps, the arc is drawn again
    meter.setArcStyle(ArcStyle::BlueToRed);
    ASSERT_EQ(meter.paintCount(), before + 8);

    const QImage incremental = view->bitmap();
    save(incremental, "gauge-after-moves.png");
    EXPECT_EQ(incremental, fullPaint(meter)) << "an old needle left a trace or a new one is missing";
    EXPECT_EQ(at(incremental, {40, 20}), toQColor(kColourButtonFace)) << "the needle that pointed up is gone";
}

// Guards against a temperature above the scale drawing the needle past the dial's right end.
TEST_F(GaugeView, AboveTheScaleTheNeedleStopsAtFullScale) {
    qt::VUMeterView view(meter);
    view.show();
    meter.setScale(60.0f);
    meter.setPosition(71.0f);  // full scale: straight right, from (40, 35) to (55, 35)
    meter.setCenterLabel("71°C");
    const QImage shown = view.grab().toImage();
    save(shown, "gauge-above-scale.png");

    const QColor blue = toQColor(kColourBlue);
    for (int x = 40; x <= 54; ++x) EXPECT_EQ(at(shown, {x, 35}), blue) << "needle at x " << x;
    for (int y = 36; y < 45; ++y)
        for (int x = 40; x < 80; ++x)
            EXPECT_NE(at(shown, {x, y}), blue) << "needle below the right end at " << x << ", " << y;

    meter.setPosition(40.0f);
    EXPECT_EQ(view.bitmap(), fullPaint(meter)) << "the needle at full scale was not erased";
}
