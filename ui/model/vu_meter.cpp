#include "ui/model/vu_meter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "text/number_text.h"

namespace kvx::ui {
namespace {

constexpr int kArcSegments = 255;

int toPixel(double value) { return static_cast<int>(acquisition::roundHalfEven(value)); }

// A point of the half ellipse around (centreX, pivotY) at angle a (0 = left, pi = right).
Point onEllipse(const GaugeGeometry& g, double angle, int radiusX, int radiusY) {
    return {g.centreX + toPixel(std::cos(angle - std::numbers::pi) * radiusX),
            g.pivotY - toPixel(std::sin(angle) * radiusY)};
}

// The dump shows the value the hint shows (45.1, not 45.099998474121094).
double shownValue(float value) {
    const std::string text = positionText(value);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

}  // namespace

VUMeter::VUMeter(std::string name) : Control(ControlKind::Gauge, std::move(name)) {
    setBounds({0, 0, 80, 40});
    centerLabelX_ = static_cast<std::uint8_t>(bounds().width / 2);
    centerLabelY_ = static_cast<std::uint8_t>(bounds().height / 2);
}

void VUMeter::rememberNeedle() {
    // Within a batch the needle on screen is the one from before the batch.
    if (batchDepth_ > 0 && needleRemembered_) return;
    needleRemembered_ = batchDepth_ > 0;
    previousPosition_ = position_;
    previousScale_ = scale_;
}

void VUMeter::paint(RepaintFlags flags) {
    if (batchDepth_ > 0) {
        // A part kept only when every change of the batch keeps it.
        if (pending_) flags = {pending_->keepBackground && flags.keepBackground, pending_->keepArc && flags.keepArc};
        pending_ = flags;
        return;
    }
    flags_ = flags;
    ++paintCount_;
    changed();
    flags_ = {};
}

VUMeter::Batch::~Batch() {
    if (--meter_.batchDepth_ > 0) return;
    meter_.needleRemembered_ = false;
    if (auto flags = std::exchange(meter_.pending_, std::nullopt)) meter_.paint(*flags);
}

void VUMeter::setPosition(float position) {
    if (!std::isfinite(position) || position == position_) return;
    rememberNeedle();
    position_ = position;
    paint({.keepBackground = true, .keepArc = true});
    if (showPosInHint_) setHint(positionText(position_));
}

void VUMeter::setScale(float scale) {
    if (!std::isfinite(scale) || scale == scale_) return;
    rememberNeedle();
    scale_ = scale;
    paint({.keepBackground = true, .keepArc = false});
}

void VUMeter::setBevelStyle(BevelStyle style) {
    if (style == bevelStyle_) return;
    bevelStyle_ = style;
    // The bevel is drawn with the background, so a new bevel needs a full paint.
    paint({});
}

void VUMeter::setArcStyle(ArcStyle style) {
    if (style == arcStyle_) return;
    arcStyle_ = style;
    paint({.keepBackground = true, .keepArc = false});
}

void VUMeter::setBackground(Colour colour) {
    if (colour == background_) return;
    background_ = colour;
    paint({});
}

void VUMeter::setArcWidth(std::uint8_t width) {
    if (width == arcWidth_) return;
    arcWidth_ = width;
    paint({});
}

bool VUMeter::setBevelWidth(int width) {
    if (width < 1 || width > 3) return false;
    if (width != bevelWidth_) {
        bevelWidth_ = static_cast<std::uint8_t>(width);
        paint({});
    }
    return true;
}

void VUMeter::setArrowColour(Colour colour) {
    if (colour == arrowColour_) return;
    arrowColour_ = colour;
    paint({.keepBackground = true, .keepArc = false});
}

void VUMeter::setArrowWidth(std::uint8_t width) {
    if (width == arrowWidth_) return;
    arrowWidth_ = width;
    paint({});
}

void VUMeter::setShowPosInHint(bool show) {
    if (show == showPosInHint_) return;
    showPosInHint_ = show;
    setHint(show ? positionText(position_) : std::string());
}

void VUMeter::setCenterLabel(std::string text) {
    if (text == centerLabel_) return;
    centerLabel_ = std::move(text);
    paint({});
}

void VUMeter::setCenterLabelX(std::uint8_t x) {
    if (x == centerLabelX_) return;
    centerLabelX_ = x;
    paint({});
}

void VUMeter::setCenterLabelY(std::uint8_t y) {
    if (y == centerLabelY_) return;
    centerLabelY_ = y;
    paint({});
}

void VUMeter::setCenterLabelFont(LabelFont font) {
    if (font == centerLabelFont_) return;
    centerLabelFont_ = std::move(font);
    paint({});
}

void VUMeter::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.number("position", shownValue(position_));
    sink.number("scale", shownValue(scale_));
    sink.text("centerLabel", centerLabel_);
}

std::string positionText(float position) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, position);
    return std::string(buffer, result.ptr);
}

void setUpMainWindowGauge(VUMeter& meter, int sensor) {
    meter.setBounds({3, 2, 80, 45});
    meter.setShowPosInHint(false);
    meter.setScale(sensor == 0 ? 60.0f : 80.0f);
    meter.setPosition(1.0f);
    meter.setBevelStyle(BevelStyle::Lowered);
    meter.setArcStyle(ArcStyle::GreenToRed);
    meter.setBackground(kColourButtonFace);
    meter.setArcWidth(1);
    meter.setBevelWidth(1);
    meter.setArrowColour(kColourBlue);
    meter.setArrowWidth(1);
    meter.setCenterLabel("00");
    meter.setCenterLabelX(4);
    meter.setCenterLabelY(4);
    meter.setCenterLabelFont({.name = "Arial", .size = 8, .colour = kColourBlack, .style = 0});
}

GaugeGeometry gaugeGeometry(int width, int height, int arcWidth) {
    GaugeGeometry g;
    g.centreX = width / 2;
    g.pivotY = height - 10;
    g.arcRadiusX = g.centreX - 20;
    g.arcRadiusY = height - 20;
    g.needleLengthX = g.centreX - 25 - arcWidth / 2;
    g.needleLengthY = height - 25 - arcWidth / 2;
    return g;
}

std::optional<Point> needleEnd(const GaugeGeometry& geometry, float position, float scale) {
    // A temperature above the scale is taken, but the dial ends at its scale.
    const double angle = position > scale ? std::numbers::pi : std::numbers::pi / double(scale) * double(position);
    if (!std::isfinite(angle)) return std::nullopt;
    return onEllipse(geometry, angle, geometry.needleLengthX, geometry.needleLengthY);
}

Colour arcColour(ArcStyle style, int step) {
    const int s = step < 0 ? 0 : step > kArcSegments ? kArcSegments : step;
    switch (style) {
        case ArcStyle::GreenToRed: return rgb(s, 255 - s, 0);
        case ArcStyle::BlueToRed: return rgb(s, 0, 255 - s);
        case ArcStyle::CyanToPurple: return rgb(s, 255 - s, 255);
        case ArcStyle::AquaToYellow: return rgb(s, 255, 255 - s);
        case ArcStyle::Simple: return rgb(255, 255, 255);
        case ArcStyle::RedGreenRed: {
            const int green = 255 - std::abs(2 * s - kArcSegments);
            return rgb(255 - green, green, 0);
        }
    }
    return rgb(255, 255, 255);
}

std::vector<Point> arcPoints(const GaugeGeometry& geometry) {
    std::vector<Point> points;
    points.reserve(kArcSegments + 1);
    points.push_back({geometry.centreX - geometry.arcRadiusX, geometry.pivotY});
    for (int i = 1; i <= kArcSegments; ++i) {
        const double angle = i * std::numbers::pi / kArcSegments;
        points.push_back(onEllipse(geometry, angle, geometry.arcRadiusX, geometry.arcRadiusY));
    }
    return points;
}

std::vector<Point> linePixels(Point from, Point to) {
    const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
    const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
    const int steps = std::max(dx, dy);
    std::vector<Point> pixels;
    pixels.reserve(steps);
    Point p = from;
    // err tracks the distance from the ideal line, doubled to stay in integers.
    int err = dx - dy;
    for (int i = 0; i < steps; ++i) {
        pixels.push_back(p);
        const int twice = 2 * err;
        if (twice >= -dy) {
            err -= dy;
            p.x += sx;
        }
        if (twice <= dx) {
            err += dx;
            p.y += sy;
        }
    }
    return pixels;
}

std::vector<LineOp> bevelLines(int width, int height, BevelStyle style, int bevelWidth, Colour background) {
    Colour one = background;
    Colour two = background;
    if (style == BevelStyle::Lowered || style == BevelStyle::Space) {
        one = kColourWhite;
        two = kColourGrey;
    } else if (style == BevelStyle::Raised) {
        one = kColourGrey;
        two = kColourWhite;
    }
    const int left = 0, top = 0, right = width, bottom = height;
    std::vector<LineOp> lines;
    for (int i = 0; i <= bevelWidth; ++i) {
        lines.push_back(
            {{{right - 1 - i, top + i}, {right - 1 - i, bottom - 1 - i}, {left - 1 + i, bottom - 1 - i}}, one, 1});
        lines.push_back({{{right - 1 - i, top + i}, {left + i, top + i}, {left + i, bottom - i}}, two, 1});
    }
    return lines;
}

std::vector<PaintOp> paintPlan(const VUMeter& meter, RepaintFlags flags) {
    const int width = meter.bounds().width;
    const int height = meter.bounds().height;
    const GaugeGeometry geometry = gaugeGeometry(width, height, meter.arcWidth());
    std::vector<PaintOp> plan;

    if (!flags.keepBackground) {
        plan.emplace_back(FillOp{meter.background()});
        for (LineOp& line : bevelLines(width, height, meter.bevelStyle(), meter.bevelWidth(), meter.background()))
            plan.emplace_back(std::move(line));
    }
    if (!flags.keepArc) {
        const std::vector<Point> points = arcPoints(geometry);
        for (int i = 1; i <= kArcSegments; ++i)
            plan.emplace_back(LineOp{{points[i - 1], points[i]}, arcColour(meter.arcStyle(), i), meter.arcWidth()});
    }
    const Point pivot{geometry.centreX, geometry.pivotY};
    if (auto old = needleEnd(geometry, meter.previousPosition(), meter.previousScale()))
        plan.emplace_back(LineOp{{pivot, *old}, meter.background(), meter.arrowWidth()});
    if (!meter.centerLabel().empty())
        plan.emplace_back(TextOp{{meter.centerLabelX(), meter.centerLabelY()},
                                 meter.centerLabel(),
                                 meter.centerLabelFont(),
                                 meter.background()});
    if (auto now = needleEnd(geometry, meter.position(), meter.scale()))
        plan.emplace_back(LineOp{{pivot, *now}, meter.arrowColour(), meter.arrowWidth()});
    return plan;
}

}  // namespace kvx::ui
