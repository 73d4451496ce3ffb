#pragma once
#include <string>

#include "ui/model/controls.h"

namespace kvx::ui {

// What a tray icon shows: the program's chip, the suspend picture, or the
// temperature of one sensor.
enum class TrayPicture { Chip, Suspend, Sensor1, Sensor2, Sensor3 };

// "chip", "suspend", "sensor1".."sensor3", as the dump names them.
const char* pictureName(TrayPicture picture);

// The drawing of a sensor's temperature: everything a painter needs, and
// nothing else, so that two equal drawings give the same pixels.
struct TrayIconDrawing {
    std::string text;  // the tray text, UTF-8 ("35°")
    int width = 16;    // 16, or 20 for a number of 3 or more characters; always 16 high
    int textLeft = 2;  // column of the text (its top is row 1)
    bool lines = true;
    std::string fontName = "Arial";
    int fontSize = 8;  // points
    Colour fontColour = kColourBlack;
    Colour background = 0xC0C0C0;
    bool operator==(const TrayIconDrawing&) const = default;
};

// A tooltip is cut to this many characters (not bytes: a "°" counts once).
inline constexpr size_t kTooltipMaxCharacters = 62;
std::string cutTooltip(const std::string& text);

// An icon in the notification area. While active it is shown; its hint is
// the tooltip after the cut. Observers hear of every change, and only of
// real changes, so a view redraws only when the picture or drawing changed.
class TrayIcon : public Control {
public:
    explicit TrayIcon(std::string name) : Control(ControlKind::TrayIcon, std::move(name)) {}

    Handler onDoubleClick;
    void doubleClick() {
        if (onDoubleClick) onDoubleClick();
    }

    bool active() const { return active_; }
    void setActive(bool active);
    TrayPicture picture() const { return picture_; }
    // The drawing shown while the picture is a sensor's.
    const TrayIconDrawing& drawing() const { return drawing_; }
    // A built-in picture (chip or suspend).
    void setPicture(TrayPicture picture);
    void setSensorDrawing(TrayPicture sensor, TrayIconDrawing drawing);
    // Shows what `other` shows, tooltip included.
    void copyFrom(const TrayIcon& other);
    void setTooltip(const std::string& text) { setHint(cutTooltip(text)); }

    void describe(PropertySink& sink) const override;

private:
    bool active_ = false;
    TrayPicture picture_ = TrayPicture::Chip;
    TrayIconDrawing drawing_;
};

}  // namespace kvx::ui
