#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ui/model/control.h"

namespace kvx::ui {

// ---------------------------------------------------------------------------
// The dial gauge: a half-elliptic coloured arc from left through top to right,
// a needle from a pivot below the arc's centre whose angle shows position
// against scale (0 = left end, scale and above = right end), a text label inside the
// dial and a bevel along the edges.
//
// Painting is incremental. Every setter that changes something drawn paints
// at once (observers are told, once per paint); two repaint flags tell the
// painter what it may keep from the previous picture:
//   keep-background: no fill and no bevel (the old picture stays underneath);
//   keep-arc:        no arc.
// The old needle is always erased by drawing it again in the background
// colour, at the previous position and scale, before the label and the new
// needle are drawn. A position change therefore redraws only needle and
// label; a scale change also redraws the arc; a plain repaint (both flags
// clear, as when a window is uncovered) redraws everything.
// ---------------------------------------------------------------------------

enum class BevelStyle : std::uint8_t { None, Lowered, Raised, Space };

enum class ArcStyle : std::uint8_t { GreenToRed, BlueToRed, CyanToPurple, AquaToYellow, Simple, RedGreenRed };

// Bits of LabelFont::style.
enum : std::uint8_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

struct LabelFont {
    std::string name;  // "" = the desktop's default font
    int size = 8;      // points
    Colour colour = kColourWindowText;
    std::uint8_t style = 0;  // kFontBold | kFontItalic | ...
    bool operator==(const LabelFont&) const = default;
};

inline constexpr Colour rgb(int red, int green, int blue) {
    return Colour(red & 0xFF) | Colour(green & 0xFF) << 8 | Colour(blue & 0xFF) << 16;
}
inline constexpr Colour kColourSilver = rgb(192, 192, 192);
inline constexpr Colour kColourBlue = rgb(0, 0, 255);
inline constexpr Colour kColourWhite = rgb(255, 255, 255);
inline constexpr Colour kColourGrey = rgb(128, 128, 128);

struct RepaintFlags {
    bool keepBackground = false;
    bool keepArc = false;
    bool operator==(const RepaintFlags&) const = default;
};

class VUMeter : public Control {
public:
    // Created 80 x 40 at (0, 0): position 0, scale 10, lowered bevel of width 1,
    // green-to-red arc of width 1, silver background, blue needle of width 1,
    // position shown in the hint, empty label at (40, 20) in the default font.
    explicit VUMeter(std::string name);

    using Control::setPosition;  // (left, top) stays reachable beside the needle's position

    // The current temperature of the gauge's sensor, even above the scale.
    float position() const { return position_; }
    // Ignored when equal to the current position or not a finite number.
    // Every other value is taken, so the gauge never holds a stale reading:
    // one above the scale stops the needle at the right end, a negative one
    // points it below the left end. Paints with both flags set; then, when
    // showPosInHint() is on, the hint becomes positionText(position).
    void setPosition(float position);

    float scale() const { return scale_; }
    // Ignored when equal to the current scale or not finite. Paints with the
    // keep-background flag set. The position is left as it is, even above the
    // new scale (the needle then stops at the right end).
    void setScale(float scale);

    // The needle that the next paint erases.
    float previousPosition() const { return previousPosition_; }
    float previousScale() const { return previousScale_; }

    // A new bevel style paints in full: the bevel is drawn with the background,
    // so a paint that keeps the background would leave the old bevel showing.
    BevelStyle bevelStyle() const { return bevelStyle_; }
    void setBevelStyle(BevelStyle style);
    // A new arc style or needle colour paints with the keep-background flag set.
    ArcStyle arcStyle() const { return arcStyle_; }
    void setArcStyle(ArcStyle style);
    Colour arrowColour() const { return arrowColour_; }
    void setArrowColour(Colour colour);
    // A new value of any of the properties below paints in full.
    Colour background() const { return background_; }
    void setBackground(Colour colour);
    std::uint8_t arcWidth() const { return arcWidth_; }
    void setArcWidth(std::uint8_t width);
    std::uint8_t bevelWidth() const { return bevelWidth_; }
    // Only 1, 2 and 3 are accepted; returns false (and keeps the width) otherwise.
    bool setBevelWidth(int width);
    std::uint8_t arrowWidth() const { return arrowWidth_; }
    void setArrowWidth(std::uint8_t width);
    const std::string& centerLabel() const { return centerLabel_; }
    void setCenterLabel(std::string text);
    std::uint8_t centerLabelX() const { return centerLabelX_; }
    void setCenterLabelX(std::uint8_t x);
    std::uint8_t centerLabelY() const { return centerLabelY_; }
    void setCenterLabelY(std::uint8_t y);
    const LabelFont& centerLabelFont() const { return centerLabelFont_; }
    void setCenterLabelFont(LabelFont font);

    // On: the hint becomes the position's text now and after every position
    // change. Off: the hint is emptied. Paints nothing.
    bool showPosInHint() const { return showPosInHint_; }
    void setShowPosInHint(bool show);

    // The flags of the paint in progress. Observers read them while they are
    // told of a paint; between paints both are clear.
    RepaintFlags repaintFlags() const { return flags_; }
    // Paints so far. Observers are also told of changes that paint nothing
    // (hint, bounds, visibility); a painter compares this count with the one it
    // last drew to tell a paint from those.
    std::uint64_t paintCount() const { return paintCount_; }

    // Common properties, then position, scale and centerLabel.
    void describe(PropertySink& sink) const override;

    // Changes made while a batch is open paint once, when the last batch
    // closes, with the flags of all of them together: a poll that moves the
    // needle and writes the label draws one picture, not two. The needle
    // erased is the one shown before the batch.
    class Batch {
    public:
        explicit Batch(VUMeter& meter) : meter_(meter) { ++meter_.batchDepth_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        VUMeter& meter_;
    };

private:
    void rememberNeedle();
    void paint(RepaintFlags flags);

    float position_ = 0.0f;
    float scale_ = 10.0f;
    float previousPosition_ = 0.0f;
    float previousScale_ = 10.0f;
    BevelStyle bevelStyle_ = BevelStyle::Lowered;
    ArcStyle arcStyle_ = ArcStyle::GreenToRed;
    Colour background_ = kColourSilver;
    std::uint8_t arcWidth_ = 1;
    std::uint8_t bevelWidth_ = 1;
    Colour arrowColour_ = kColourBlue;
    std::uint8_t arrowWidth_ = 1;
    bool showPosInHint_ = true;
    std::string centerLabel_;
    std::uint8_t centerLabelX_ = 0;
    std::uint8_t centerLabelY_ = 0;
    LabelFont centerLabelFont_;
    RepaintFlags flags_;
    std::uint64_t paintCount_ = 0;
    int batchDepth_ = 0;
    bool needleRemembered_ = false;  // within the open batch
    std::optional<RepaintFlags> pending_;
};

// The position as the hint shows it: the shortest decimal text that reads back
// as the same single-precision value, with a '.' separator ("1", "45.1", "-3.25").
std::string positionText(float position);

// Sets up the main window's gauge of sensor 0, 1 or 2: 80 x 45 at (3, 2) in its
// panel, position 1, scale 60 / 80 / 80, lowered bevel, green-to-red arc, button-face
// background, blue needle, all widths 1, no hint, label "00" at (4, 4) in black
// Arial 8. Sensor numbers outside 0..2 get scale 80.
void setUpMainWindowGauge(VUMeter& meter, int sensor);

// ---------------------------------------------------------------------------
// Geometry and paint plan: pure functions, in pixels of the gauge's own
// bitmap, (0, 0) at top left. Rounding to pixels is to the nearest integer,
// an exact half to the even neighbour.
// ---------------------------------------------------------------------------

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct GaugeGeometry {
    int centreX = 0;        // width / 2
    int pivotY = 0;         // height - 10
    int arcRadiusX = 0;     // centreX - 20
    int arcRadiusY = 0;     // height - 20
    int needleLengthX = 0;  // centreX - 25 - arcWidth / 2
    int needleLengthY = 0;  // height - 25 - arcWidth / 2
};

GaugeGeometry gaugeGeometry(int width, int height, int arcWidth);

// The needle's free end; the needle runs from (centreX, pivotY) to it. The angle
// is pi / scale * position, but pi (full scale, the right end) for a position
// above the scale; none when the angle is not a number (position and scale 0).
std::optional<Point> needleEnd(const GaugeGeometry& geometry, float position, float scale);

// The arc's colour after `step` steps (0 = the start colour, 255 = the end).
// Red-green-red, whose progression is ours: red at both ends, green at the top,
// red falling and green rising by 2 a step up to the middle and back again.
Colour arcColour(ArcStyle style, int step);

// The arc's 256 points, from the left end (index 0) over the top to the right end (255).
std::vector<Point> arcPoints(const GaugeGeometry& geometry);

// The pixels of a one-pixel line from `from` towards `to`: `from` itself
// included, `to` left out (it starts the next segment of a polyline), each step
// one pixel along the longer axis (Bresenham; an exact tie steps the shorter
// axis too). Empty when the two points are the same.
std::vector<Point> linePixels(Point from, Point to);

// One drawing operation of a paint, in order.
struct FillOp {
    Colour colour;  // the whole bitmap
};
// A polyline: each segment runs from one point to the next, the next point
// itself left out (it starts the next segment; the last point is not drawn).
// Pen width 0 or 1 is a one-pixel pen.
struct LineOp {
    std::vector<Point> points;
    Colour colour;
    int penWidth = 1;
};
// Text with the top-left corner of its box at `topLeft`, on an opaque box of `background`.
struct TextOp {
    Point topLeft;
    std::string text;
    LabelFont font;
    Colour background;
};
using PaintOp = std::variant<FillOp, LineOp, TextOp>;

// The bevel's lines for a width x height bitmap: bevelWidth + 1 rings, each a
// polyline in colour one along the right and bottom edges and then one in
// colour two along the top and left edges. Lowered and space: white and grey;
// raised: grey and white; none: both in `background`.
std::vector<LineOp> bevelLines(int width, int height, BevelStyle style, int bevelWidth, Colour background);

// What one paint draws, in order: fill and bevel (unless keep-background),
// arc in 255 coloured segments (unless keep-arc), the previous needle in the
// background colour, the label (when not empty), the current needle.
std::vector<PaintOp> paintPlan(const VUMeter& meter, RepaintFlags flags);

}  // namespace kvx::ui
