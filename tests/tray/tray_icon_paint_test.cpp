// The pixels of rendered tray icons: size, where the text lands, the lines,
// and that no pixel is transparent.
#include <gtest/gtest.h>

#include <QPixmap>

#include "tests/ui_qt/qt_application.h"
#include "tray/tray_text.h"
#include "ui/qt/tray_icon_painter.h"

using namespace kvx;
using kvx::ui::qt::paintTrayDrawing;

namespace {

const std::string kDeg = "\xC2\xB0";
const QRgb kInk = qRgb(0, 0, 0);
const QRgb kSilver = qRgb(192, 192, 192);

ui::TrayIconDrawing drawingFor(const std::string& label, bool trayDegree = true, bool lines = true, int fontSize = 8) {
    tray::TrayStyle style;
    style.fontSize = fontSize;
    return tray::sensorDrawing(label, trayDegree, lines, style);
}

// The box around the ink of the text: rows 1..14, away from the lines.
struct InkBox {
    int left = 1000, right = -1, top = 1000, bottom = -1;
    bool empty() const { return right < 0; }
};
InkBox textInk(const QImage& image) {
    InkBox box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kSilver) {
                box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            }
    return box;
}

}  // namespace

// Guards against text drawn at the wrong column or row, or a bitmap of the wrong width.
TEST(TrayIconPaint, TextPositionAndWidth) {
    kvx::test::qtApplication();
    const struct {
        const char* why;
        std::string label;
        int width;
        int firstInkAtMost;  // the glyph's own side bearing may add a pixel
        int firstInkAtLeast;
    } cases[] = {
        {"35° at column 0, 16 wide", "35" + kDeg + "C", 16, 1, 0},
        {"100° at column 0, 20 wide", "100" + kDeg + "C", 20, 1, 0},
        {"95.4° at column 0, 20 wide", "95.4" + kDeg + "F", 20, 1, 0},
        {"-5° at column 0, 16 wide", "-5" + kDeg + "C", 16, 1, 0},
        {"empty: only ° at column 2", "", 16, 3, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        QImage image = paintTrayDrawing(drawingFor(c.label));
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), 16);
        InkBox ink = textInk(image);
        ASSERT_FALSE(ink.empty());
        EXPECT_GE(ink.left, c.firstInkAtLeast);
        EXPECT_LE(ink.left, c.firstInkAtMost);
        EXPECT_GE(ink.top, 1) << "the text's top is row 1";
        EXPECT_LE(ink.top, 4) << "8-point digits start near the top";
        EXPECT_LE(ink.bottom, 13);
    }
    // Without the tray degree sign "35" sits at column 2.
    InkBox two = textInk(paintTrayDrawing(drawingFor("35" + kDeg + "C", false)));
    EXPECT_GE(two.left, 2);
    EXPECT_LE(two.left, 3);
    // No reading and no degree sign: only the background and the lines.
    EXPECT_TRUE(textInk(paintTrayDrawing(drawingFor("", false))).empty());
}

// Guards against lines that run into the last column, miss a row, or are drawn when switched off.
TEST(TrayIconPaint, LinesOnRows0And15LeaveTheLastColumn) {
    kvx::test::qtApplication();
    for (const std::string& label : {"35" + kDeg + "C", "100" + kDeg + "C"}) {
        QImage image = paintTrayDrawing(drawingFor(label, false));
        SCOPED_TRACE(label);
        int last = image.width() - 1;
        for (int row : {0, 15}) {
            for (int x = 0; x < last; ++x) EXPECT_EQ(image.pixel(x, row), kInk) << "row " << row << " column " << x;
            EXPECT_EQ(image.pixel(last, row), kSilver) << "row " << row << ": the last column keeps the background";
        }
        QImage plain = paintTrayDrawing(drawingFor(label, false, false));
        for (int x = 0; x <= last; ++x) EXPECT_EQ(plain.pixel(x, 0), kSilver);
    }
    // A 12-point text's cell reaches row 15: it is painted in the background over the line.
    QImage big = paintTrayDrawing(drawingFor("35" + kDeg + "C", false, true, 12));
    int gaps = 0;
    for (int x = 2; x < 15; ++x) gaps += big.pixel(x, 15) == kSilver;
    EXPECT_GT(gaps, 0) << "the line is broken where the text cell lies";
    EXPECT_EQ(big.pixel(0, 15), kInk) << "left of the text cell the line stays";
}

// Guards against a transparent pixel showing the panel through the icon, at 1× and 2×.
TEST(TrayIconPaint, EveryPixelIsOpaqueAndHighDensityDrawsTheSameDesign) {
    kvx::test::qtApplication();
    ui::TrayIcon icon("TrayIcon1");
    icon.setSensorDrawing(ui::TrayPicture::Sensor1, drawingFor("100" + kDeg + "C"));
    QIcon drawn = ui::qt::trayIconImage(icon, 2.0);
    for (QSize size : {QSize(20, 16), QSize(40, 32)}) {
        QImage image = drawn.pixmap(size, 1.0).toImage();
        SCOPED_TRACE(size.width());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
    }
    QImage sharp = paintTrayDrawing(icon.drawing(), 2.0);
    EXPECT_EQ(sharp.size(), QSize(40, 32));
    EXPECT_EQ(sharp.pixel(37, 0), kInk);
    EXPECT_EQ(sharp.pixel(37, 1), kInk) << "the line is two device pixels thick";
    EXPECT_EQ(sharp.pixel(38, 0), kSilver);
    EXPECT_EQ(sharp.pixel(39, 31), kSilver);
    // The chip and suspend pictures differ and cover the whole square.
    QImage chip = ui::qt::paintTrayPicture(ui::TrayPicture::Chip);
    QImage suspend = ui::qt::paintTrayPicture(ui::TrayPicture::Suspend);
    EXPECT_EQ(chip.size(), QSize(32, 32));
    EXPECT_NE(chip, suspend);
    EXPECT_EQ(qRed(suspend.pixel(16, 3)), 255) << "the red ring";
}
