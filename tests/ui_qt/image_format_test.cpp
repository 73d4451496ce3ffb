// Pictures (the splash logo) are decoded without Qt's image-format plugins where
// they can be, and always to the pixels Qt's own reader gives.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <fstream>
#include <sstream>

#include "qt_application.h"
#include "ui/qt/image_format.h"

using kvx::ui::qt::decodePicture;

namespace {

// A small picture whose every pixel differs, so a swapped channel, row or column shows.
QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(20 * x + 3, 30 * y + 7, (x * 7 + y * 13) % 256));
    return image;
}

std::vector<uint8_t> encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

// A 32-bit, top-down BMP (Qt writes only 24-bit, bottom-up ones), made without Qt's writer.
std::vector<uint8_t> topDown32(const QImage& image) {
    const int w = image.width(), h = image.height();
    std::vector<uint8_t> b(54 + 4 * w * h, 0);
    auto put32 = [&b](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 32;
    put32(2, static_cast<uint32_t>(b.size())), put32(10, 54), put32(14, 40);
    put32(18, static_cast<uint32_t>(w)), put32(22, static_cast<uint32_t>(-h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            const std::size_t at = 54 + 4 * (y * w + x);
            b[at] = qBlue(p), b[at + 1] = qGreen(p), b[at + 2] = qRed(p);
        }
    return b;
}

}  // namespace

// Guards against: a logo shown with other pixels than Qt's reader gives (channels swapped, rows
// upside down, the padding of odd widths read as pixels); a BMP cut short shown with whatever
// was in memory; and bytes that are not PNG or BMP handed to Qt's reader, which loads every
// image-format plugin to guess what they are.
TEST(ImageFormat, DecodesPngAndBmpToThePixelsOfQtsReaderAndNothingElse) {
    kvx::test::qtApplication();
    std::vector<uint8_t> cutShort = encoded(pattern(7, 4), "BMP");
    cutShort.resize(cutShort.size() - 5);
    std::vector<uint8_t> tooLarge = encoded(pattern(2, 2), "BMP");
    tooLarge[18] = 0xA0, tooLarge[19] = 0x86, tooLarge[20] = 0x01;  // claims a width of 100000 pixels
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0};
    struct Row {
        const char* what;
        std::vector<uint8_t> bytes;
        bool shown;
    } rows[] = {
        {"24-bit BMP, rows padded", encoded(pattern(5, 3), "BMP"), true},
        {"32-bit top-down BMP", topDown32(pattern(3, 5)), true},
        {"PNG", encoded(pattern(6, 2), "PNG"), true},
        {"BMP cut short", cutShort, false},
        {"BMP claiming more pixels than it holds", tooLarge, false},
        {"JPEG", jpeg, false},
        {"nothing", {}, false},
    };
    for (const Row& row : rows) {
        const QImage got = decodePicture(row.bytes);
        ASSERT_EQ(!got.isNull(), row.shown) << row.what;
        if (!row.shown) continue;
        const QImage byQt = QImage::fromData(row.bytes.data(), static_cast<int>(row.bytes.size()));
        EXPECT_EQ(got.convertToFormat(QImage::Format_RGB32), byQt.convertToFormat(QImage::Format_RGB32)) << row.what;
    }
}

// Guards against: the splash logo (a BMP) making Qt load every image-format plugin (JPEG, GIF,
// ICO, ...) to ask each about it; they then stay mapped for the whole run.
TEST(ImageFormat, ABmpLogoLoadsNoImageFormatPlugin) {
    kvx::test::qtApplication();
    auto pluginsMapped = [] {
        std::ifstream maps("/proc/self/maps");
        std::stringstream text;
        text << maps.rdbuf();
        return text.str().find("/imageformats/") != std::string::npos;
    };
    if (pluginsMapped())
        GTEST_SKIP() << "an earlier test of this process loaded Qt's image-format plugins: run this test alone, "
                        "as ctest does";
    const std::vector<uint8_t> logo = topDown32(pattern(4, 3));
    EXPECT_FALSE(decodePicture(logo).isNull());
    EXPECT_FALSE(pluginsMapped()) << "decoding the logo loaded image-format plugins";
    // Qt's reader, even with the format named, does load them: the check above can see them.
    EXPECT_FALSE(QImage::fromData(logo.data(), static_cast<int>(logo.size()), "BMP").isNull());
    if (!pluginsMapped()) GTEST_SKIP() << "Qt has no image-format plugins installed here: the check proves nothing";
}
