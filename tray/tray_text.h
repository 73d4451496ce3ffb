#pragma once
#include <string>
#include <string_view>

#include "ui/model/tray_icon.h"

namespace kvx::tray {

// One sensor's look in the notification area.
struct TrayStyle {
    std::string fontName = "Arial";
    int fontSize = 8;  // points, 6..12
    ui::Colour fontColour = ui::kColourBlack;
    ui::Colour background = 0xC0C0C0;  // silver
};

// Characters of a UTF-8 text ("35°" has 3).
size_t characterCount(std::string_view text);

// The number of a temperature text: "35°C" and "35C" give "35", "95.4°F"
// gives "95.4", an empty text (no reading) gives "". The unit letter and a
// degree sign before it are taken off as found, so a text written before the
// degree option changed still gives its whole number.
std::string numberText(const std::string& temperatureText);

// The drawing of a sensor icon for its temperature text: the number, with "°"
// when the tray's degree option is on; 20 pixels wide for a number of three or
// more characters, else 16; the text at column 2 when it has at most two
// characters, else at column 0.
ui::TrayIconDrawing sensorDrawing(const std::string& temperatureText, bool trayDegree, bool lines,
                                  const TrayStyle& style);

}  // namespace kvx::tray
