#include "sensorlib/sim/logo.h"

#include <algorithm>
#include <cmath>

namespace kvx::sim {
namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
public:
    Canvas() : pixels_(std::size_t{kLogoWidth} * kLogoHeight) {}

    void set(int x, int y, Rgb colour) {
        if (x >= 0 && x < kLogoWidth && y >= 0 && y < kLogoHeight) pixels_[y * kLogoWidth + x] = colour;
    }
    Rgb at(int x, int y) const { return pixels_[y * kLogoWidth + x]; }

    void disc(double cx, double cy, double radius, Rgb colour) {
        for (int y = 0; y < kLogoHeight; ++y)
            for (int x = 0; x < kLogoWidth; ++x)
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) set(x, y, colour);
    }

    void rect(int x0, int y0, int x1, int y1, Rgb colour) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) set(x, y, colour);
    }

    // A thick line: every pixel within `width / 2` of the segment.
    void line(double x0, double y0, double x1, double y1, double width, Rgb colour) {
        const double dx = x1 - x0, dy = y1 - y0, lengthSquared = dx * dx + dy * dy;
        for (int y = 0; y < kLogoHeight; ++y)
            for (int x = 0; x < kLogoWidth; ++x) {
                double px = x + 0.5 - x0, py = y + 0.5 - y0;
                double along = std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0);
                if (std::hypot(px - along * dx, py - along * dy) <= width / 2) set(x, y, colour);
            }
    }

private:
    std::vector<Rgb> pixels_;
};

constexpr double kPi = 3.141592653589793;

void drawDial(Canvas& canvas) {
    const double cx = 48, cy = 56;
    // The scale: an upper half ring, green to yellow to red from left to right.
    for (int y = 0; y < kLogoHeight; ++y)
        for (int x = 0; x < kLogoWidth; ++x) {
            double dx = x + 0.5 - cx, dy = cy - (y + 0.5);
            double radius = std::hypot(dx, dy);
            if (dy < 0 || radius < 32 || radius > 42) continue;
            double fraction = 1.0 - std::atan2(dy, dx) / kPi;  // 0 at the left end, 1 at the right
            Rgb colour = fraction < 0.55 ? Rgb{60, 190, 90} : fraction < 0.8 ? Rgb{235, 200, 60} : Rgb{220, 60, 50};
            canvas.set(x, y, colour);
        }
    // Ticks across the ring.
    for (int tick = 0; tick <= 10; ++tick) {
        double angle = kPi * (1.0 - tick / 10.0);
        canvas.line(cx + 30 * std::cos(angle), cy - 30 * std::sin(angle), cx + 44 * std::cos(angle),
                    cy - 44 * std::sin(angle), 1.2, Rgb{30, 34, 44});
    }
    const double needle = kPi * 0.38;
    canvas.line(cx, cy, cx + 38 * std::cos(needle), cy - 38 * std::sin(needle), 2.5, Rgb{240, 240, 240});
    canvas.disc(cx, cy, 5, Rgb{200, 200, 210});
}

void drawThermometer(Canvas& canvas) {
    const Rgb glass{215, 220, 230}, mercury{220, 60, 50};
    canvas.disc(108, 12, 5, glass);
    canvas.rect(103, 12, 113, 48, glass);
    canvas.disc(108, 52, 9, glass);
    canvas.rect(106, 24, 110, 50, mercury);
    canvas.disc(108, 52, 6.5, mercury);
    for (int y = 16; y <= 44; y += 7) canvas.rect(115, y, 119, y, glass);
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> drawLogoBmp() {
    Canvas canvas;
    for (int y = 0; y < kLogoHeight; ++y)  // a dark background, lighter towards the bottom
        canvas.rect(0, y, kLogoWidth - 1, y,
                    Rgb{24, static_cast<std::uint8_t>(28 + y / 4), static_cast<std::uint8_t>(40 + y / 3)});
    drawDial(canvas);
    drawThermometer(canvas);

    constexpr std::uint32_t headerSize = 14 + 40;
    constexpr std::uint32_t rowSize = kLogoWidth * 3;  // a multiple of 4: no padding
    constexpr std::uint32_t imageSize = rowSize * kLogoHeight;
    std::vector<std::uint8_t> bmp;
    bmp.reserve(headerSize + imageSize);
    bmp.push_back('B');
    bmp.push_back('M');
    put32(bmp, headerSize + imageSize);
    put32(bmp, 0);
    put32(bmp, headerSize);
    put32(bmp, 40);  // BITMAPINFOHEADER
    put32(bmp, kLogoWidth);
    put32(bmp, kLogoHeight);  // positive: rows run bottom to top
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0);  // no compression
    put32(bmp, imageSize);
    put32(bmp, 2835);  // 72 dpi
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (int y = kLogoHeight - 1; y >= 0; --y)
        for (int x = 0; x < kLogoWidth; ++x) {
            Rgb pixel = canvas.at(x, y);
            bmp.insert(bmp.end(), {pixel.b, pixel.g, pixel.r});
        }
    return bmp;
}

}  // namespace kvx::sim
