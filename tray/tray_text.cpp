#include "tray/tray_text.h"

namespace kvx::tray {
namespace {

constexpr std::string_view kDegree = "\xC2\xB0";

}  // namespace

size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string numberText(const std::string& temperatureText) {
    std::string number = temperatureText;
    if (!number.empty() && (number.back() == 'C' || number.back() == 'F')) number.pop_back();
    if (number.ends_with(kDegree)) number.resize(number.size() - kDegree.size());
    return number;
}

ui::TrayIconDrawing sensorDrawing(const std::string& temperatureText, bool trayDegree, bool lines,
                                  const TrayStyle& style) {
    ui::TrayIconDrawing drawing;
    std::string number = numberText(temperatureText);
    drawing.width = characterCount(number) >= 3 ? 20 : 16;
    drawing.text = trayDegree ? number + std::string(kDegree) : number;
    drawing.textLeft = characterCount(drawing.text) <= 2 ? 2 : 0;
    drawing.lines = lines;
    drawing.fontName = style.fontName;
    drawing.fontSize = style.fontSize;
    drawing.fontColour = style.fontColour;
    drawing.background = style.background;
    return drawing;
}

}  // namespace kvx::tray
