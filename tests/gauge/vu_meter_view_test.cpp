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

QImage paintedAt(const VUMeter& meter, qreal ratio = 1.0) {
    QImage image(QSize(meter.bounds().width, meter.bounds().height) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    qt::paintGauge(image, paintPlan(meter, {}));
    return image;
}

// The box around the pixels in the needle colour.
QRect needleBox(const QImage& image) {
    const QColor blue = toQColor(kColourBlue);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == blue) box |= QRect(x, y, 1, 1);
    return box;
}

void save(const QImage& image, const char* name) {
    const QString folder = QString(KVX_BUILD_DIR) + "/screenshots";
    QDir().mkpath(folder);
    ASSERT_TRUE(image.save(folder + "/" + name));
}

struct GaugeView : ::testing::Test {
    VUMeter meter{"VUMeterLM75"};
    QWidget parent;
    qt::VUMeterView* view = nullptr;

    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "gauge_view_tests";
        static char* argv[] = {name, nullptr};
        // Never destroyed: at exit Qt's own statics may already be gone.
        static auto* application = new QApplication(argc, argv);
        (void)application;
    }
    void SetUp() override {
        setUpMainWindowGauge(meter, 1);
        view = static_cast<qt::VUMeterView*>(qt::createVUMeterView(meter, &parent));
        ASSERT_NE(view, nullptr);
    }
    void show() {
        parent.show();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(GaugeView, DrawsArcBevelAndBackground) {
    EXPECT_EQ(view->objectName(), "VUMeterLM75") << "the factory names the view after its model";
    show();
    meter.setPosition(40.0f);
    meter.setCenterLabel("40");
    const QImage shown = view->grab().toImage();
    save(shown, "gauge-main.png");
    ASSERT_EQ(shown.size(), QSize(80, 45));

    // The arc's ends and top carry the colours of the segments drawn there.
    const auto points = arcPoints(gaugeGeometry(80, 45, 1));
    int last = 255;
    while (points[last - 1] == points[last]) --last;
    const Point leftEnd = points[0], rightEnd = points[last - 1], top{40, 10};
    for (Point p : {leftEnd, rightEnd, top}) EXPECT_EQ(at(shown, p), arcColourAt(p, ArcStyle::GreenToRed));
    EXPECT_GT(at(shown, leftEnd).green(), 250) << "green on the left";
    EXPECT_GT(at(shown, rightEnd).red(), 250) << "red on the right";

    EXPECT_EQ(at(shown, {70, 10}), toQColor(kColourButtonFace));
    EXPECT_EQ(at(shown, {0, 20}), toQColor(kColourGrey)) << "lowered bevel: dark left";
    EXPECT_EQ(at(shown, {20, 0}), toQColor(kColourGrey)) << "dark top";
    EXPECT_EQ(at(shown, {79, 20}), toQColor(kColourWhite)) << "light right";
    EXPECT_EQ(at(shown, {20, 44}), toQColor(kColourWhite)) << "light bottom";
}

// Guards against a needle drawn at the wrong angle or length at the dial's
// landmarks (pivot (40, 35), 15 pixels across and 20 up, the end point left
// out), and against a temperature above the scale drawing it past the right end.
TEST_F(GaugeView, NeedlePointsLeftUpAndRightAtZeroHalfAndFullScale) {
    const struct {
        float position;
        QRect needle;  // the pixels in the needle colour
    } cases[] = {
        {0.0f, QRect(QPoint(26, 35), QPoint(40, 35))},   // straight left, to (25, 35)
        {40.0f, QRect(QPoint(40, 16), QPoint(40, 35))},  // straight up, to (40, 15)
        {80.0f, QRect(QPoint(40, 35), QPoint(54, 35))},  // straight right, to (55, 35)
        {95.0f, QRect(QPoint(40, 35), QPoint(54, 35))},  // above the scale: stops at full scale
    };
    for (const auto& c : cases) {
        meter.setPosition(c.position);
        const QImage image = paintedAt(meter);
        EXPECT_EQ(needleBox(image), c.needle) << "position " << c.position;
        int pixels = 0;
        for (int y = c.needle.top(); y <= c.needle.bottom(); ++y)
            for (int x = c.needle.left(); x <= c.needle.right(); ++x) pixels += image.pixelColor(x, y) == Qt::blue;
        EXPECT_EQ(pixels, c.needle.width() * c.needle.height()) << "a gap in the needle at " << c.position;
    }
}

// Guards against an old needle (also one at full scale) left as a trace, a
// poll painting the gauge twice (needle, then label), and a batch erasing a
// needle that was never on screen.
TEST_F(GaugeView, IncrementalPaintsAndBatchesLeaveTheSamePictureAsAFullPaint) {
    show();
    std::uint64_t before = meter.paintCount();
    for (float position : {20.0f, 95.0f, 0.0f, 63.5f, 40.0f, 10.0f}) meter.setPosition(position);
    meter.setScale(60.0f);  // the needle jumps, the arc is drawn again
    meter.setArcStyle(ArcStyle::BlueToRed);
    ASSERT_EQ(meter.paintCount(), before + 8);
    save(view->bitmap(), "gauge-after-moves.png");
    EXPECT_EQ(view->bitmap(), paintedAt(meter)) << "an old needle left a trace or a new one is missing";
    EXPECT_EQ(at(view->bitmap(), {40, 20}), toQColor(kColourButtonFace)) << "the needle that pointed up is gone";

    meter.setPosition(20.0f);
    before = meter.paintCount();
    {
        VUMeter::Batch onePaint(meter);
        meter.setPosition(60.0f);
        meter.setPosition(70.0f);
        meter.setCenterLabel("70");
        EXPECT_EQ(meter.paintCount(), before) << "nothing is painted while the batch is open";
    }
    EXPECT_EQ(meter.paintCount(), before + 1);
    EXPECT_EQ(meter.previousPosition(), 20.0f) << "the needle erased is the one shown before the batch";
    EXPECT_EQ(view->bitmap(), paintedAt(meter));
}

// Guards against a hidden window's gauges drawing on every poll: they draw
// nothing until shown, and then the full picture.
TEST_F(GaugeView, AHiddenGaugeDrawsNothingUntilItIsShown) {
    for (float position : {20.0f, 75.0f, 40.0f}) meter.setPosition(position);
    meter.setCenterLabel("40");
    EXPECT_TRUE(view->bitmap().isNull()) << "drawn while hidden";
    parent.show();
    const QImage shown = view->grab().toImage();
    EXPECT_EQ(shown, paintedAt(meter).convertToFormat(shown.format()));
}

// Guards against a gauge on a high-density screen being drawn at 80 x 45 and
// scaled up (blurred): the needle is a line of the same place and length at
// twice the resolution, and the label has strokes one screen pixel wide.
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
    const QColor text = toQColor(meter.centerLabelFont().colour);
    int singles = 0;
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 80; ++x)
            singles += sharp.pixelColor(x, y) == text && sharp.pixelColor(x + 1, y) != text &&
                       sharp.pixelColor(x - 1, y) != text;
    EXPECT_GT(singles, 0) << "the label looks scaled up";
}
