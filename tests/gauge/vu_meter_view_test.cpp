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

namespace {

// The needle's pixels in a picture: where it is the needle colour.
QRect needleBox(const QImage& image) {
    const QColor blue = toQColor(kColourBlue);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == blue) box |= QRect(x, y, 1, 1);
    return box;
}

QImage paintedAt(const VUMeter& meter, qreal ratio) {
    QImage image(QSize(meter.bounds().width, meter.bounds().height) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    qt::paintGauge(image, paintPlan(meter, {}));
    return image;
}

}  // namespace

// Guards against a needle drawn at the wrong angle or length at the dial's
// landmarks: pivot (40, 35), 15 pixels across and 20 up; the end point is left out.
TEST_F(GaugeView, NeedlePointsLeftUpAndRightAtZeroHalfAndFullScale) {
    struct Case {
        float position;
        QRect needle;  // the pixels in the needle colour
    } cases[] = {
        {0.0f, QRect(QPoint(26, 35), QPoint(40, 35))},   // straight left, to (25, 35)
        {40.0f, QRect(QPoint(40, 16), QPoint(40, 35))},  // straight up, to (40, 15)
        {80.0f, QRect(QPoint(40, 35), QPoint(54, 35))},  // straight right, to (55, 35)
        {95.0f, QRect(QPoint(40, 35), QPoint(54, 35))},  // above the scale: stops at full scale
    };
    for (const Case& c : cases) {
        meter.setPosition(c.position);
        const QImage image = paintedAt(meter, 1.0);
        EXPECT_EQ(needleBox(image), c.needle) << "position " << c.position;
        int pixels = 0;
        for (int y = c.needle.top(); y <= c.needle.bottom(); ++y)
            for (int x = c.needle.left(); x <= c.needle.right(); ++x) pixels += image.pixelColor(x, y) == Qt::blue;
        EXPECT_EQ(pixels, c.needle.width() * c.needle.height()) << "a gap in the needle at " << c.position;
    }
}

// Guards against a gauge on a high-density screen being drawn at 80 x 45 and
// scaled up (blurred): the picture has the screen's pixels and the needle is a
// line of the same place and length at twice the resolution.
TEST_F(GaugeView, AtTwiceTheDensityTheGaugeIsDrawnWithTheScreensPixels) {
    meter.setPosition(0.0f);
    meter.setCenterLabel("35°C");
    const QImage sharp = paintedAt(meter, 2.0);
    save(sharp, "gauge-2x.png");
    ASSERT_EQ(sharp.size(), QSize(160, 90));
    const QRect needle = needleBox(sharp);
    EXPECT_NEAR(needle.left(), 50, 2) << "the needle ends at x 25, 50 screen pixels";
    EXPECT_NEAR(needle.right(), 81, 2) << "the needle starts at the pivot, x 40";
    EXPECT_GE(needle.height(), 2) << "one gauge pixel is two screen pixels thick";
    EXPECT_LE(needle.height(), 3);
    EXPECT_NEAR(needle.center().y(), 70, 1);
    // The label's text is drawn with the screen's pixels too: its strokes have
    // details one screen pixel wide, which a scaled-up picture cannot have.
    const QColor text = toQColor(meter.centerLabelFont().colour);
    int singles = 0;
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 80; ++x)
            if (sharp.pixelColor(x, y) == text && sharp.pixelColor(x + 1, y) != text &&
                sharp.pixelColor(x - 1, y) != text)
                ++singles;
    EXPECT_GT(singles, 0) << "the label looks scaled up";
}

// Guards against a poll painting the gauge twice (needle, then label) and
// against a batch erasing a needle that was never on screen.
TEST_F(GaugeView, ABatchOfChangesPaintsOncePictureAsAFullPaint) {
    QWidget parent;
    auto* view = static_cast<qt::VUMeterView*>(qt::createVUMeterView(meter, &parent));
    parent.show();
    QApplication::processEvents();
    meter.setPosition(20.0f);
    const std::uint64_t before = meter.paintCount();
    {
        VUMeter::Batch onePaint(meter);
        meter.setPosition(60.0f);
        meter.setPosition(70.0f);
        meter.setCenterLabel("70");
        EXPECT_EQ(meter.paintCount(), before) << "nothing is painted while the batch is open";
    }
    EXPECT_EQ(meter.paintCount(), before + 1);
    EXPECT_EQ(meter.previousPosition(), 20.0f) << "the needle erased is the one shown before the batch";
    EXPECT_EQ(view->bitmap(), fullPaint(meter));
}

// Guards against a hidden window's gauges drawing on every poll: they draw
// nothing until shown, and then the full picture.
TEST_F(GaugeView, AHiddenGaugeDrawsNothingUntilItIsShown) {
    QWidget parent;
    auto* view = static_cast<qt::VUMeterView*>(qt::createVUMeterView(meter, &parent));
    for (float position : {20.0f, 75.0f, 40.0f}) meter.setPosition(position);
    meter.setCenterLabel("40");
    EXPECT_TRUE(view->bitmap().isNull()) << "drawn while hidden";
    parent.show();
    const QImage shown = view->grab().toImage();
    EXPECT_EQ(shown, fullPaint(meter).convertToFormat(shown.format()));
}
