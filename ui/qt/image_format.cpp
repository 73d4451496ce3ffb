#include "ui/qt/image_format.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kvx::ui::qt {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; later versions only add to it
constexpr int64_t kMostPixelsPerSide = 16384;

uint32_t le32(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, std::size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

// An uncompressed BMP of 24 or 32 bits a pixel, bottom-up or top-down. False
// when the file is another kind of BMP (left to Qt); true with a null image
// when its sizes do not fit its bytes: not shown at all, since Qt's reader
// would show what happened to be in memory for the pixels missing.
bool readPlainBmp(const std::vector<uint8_t>& b, QImage& image) {
    if (b.size() < kFileHeaderSize + kInfoHeaderSize) return true;
    const uint32_t pixelsAt = le32(b, 10);
    const uint32_t headerSize = le32(b, 14);
    const int64_t width = static_cast<int32_t>(le32(b, 18));
    const int64_t signedHeight = static_cast<int32_t>(le32(b, 22));
    const uint16_t planes = le16(b, 26), bits = le16(b, 28);
    const uint32_t compression = le32(b, 30);
    const bool topDown = signedHeight < 0;
    const int64_t height = topDown ? -signedHeight : signedHeight;
    if (headerSize < kInfoHeaderSize || planes != 1 || (bits != 24 && bits != 32) || compression != 0) return false;
    if (width <= 0 || height <= 0 || width > kMostPixelsPerSide || height > kMostPixelsPerSide) return true;
    const int64_t stride = (width * bits + 31) / 32 * 4;  // rows are padded to four bytes
    if (pixelsAt < kFileHeaderSize + headerSize || static_cast<int64_t>(b.size()) - pixelsAt < stride * height)
        return true;
    image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    const int bytesPerPixel = bits / 8;
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = b.data() + pixelsAt + stride * (topDown ? y : height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (int64_t x = 0; x < width; ++x, row += bytesPerPixel) out[x] = qRgb(row[2], row[1], row[0]);
    }
    return true;
}

}  // namespace

const char* builtInImageFormat(const std::vector<uint8_t>& bytes) {
    static constexpr std::array<uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= kPng.size() && std::equal(kPng.begin(), kPng.end(), bytes.begin())) return "PNG";
    // "BM" and the rest of the file header.
    if (bytes.size() >= kFileHeaderSize && bytes[0] == 'B' && bytes[1] == 'M') return "BMP";
    return nullptr;
}

QImage decodePicture(const std::vector<uint8_t>& bytes) {
    const char* format = builtInImageFormat(bytes);
    if (!format) return {};
    if (QImage plain; format[0] == 'B' && readPlainBmp(bytes, plain)) return plain;
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), format);
}

}  // namespace kvx::ui::qt
