// What a sensor icon shows for a temperature text. The tooltip's cut after 62
// characters is followed in a run of the real program.
#include <gtest/gtest.h>

#include "tray/tray_text.h"
#include "ui/model/tray_icon.h"

using namespace kvx;

namespace {
const std::string kDeg = "\xC2\xB0";
}

// Guards against counting bytes instead of characters ("35°" is 3 characters,
// 4 bytes) and against losing digits when the unit is cut off.
TEST(TrayText, NumberWidthAndColumnFollowTheTemperatureText) {
    const struct {
        const char* why;
        std::string label;
        bool trayDegree;
        std::string text;
        int width, left;
    } cases[] = {
        {"35°C, both degree options on", "35" + kDeg + "C", true, "35" + kDeg, 16, 0},
        {"35°C, tray degree off", "35" + kDeg + "C", false, "35", 16, 2},
        {"35C (window degree off), tray degree on", "35C", true, "35" + kDeg, 16, 0},
        {"100°C is three digits: 20 wide", "100" + kDeg + "C", true, "100" + kDeg, 20, 0},
        {"unrounded Fahrenheit", "95.4" + kDeg + "F", true, "95.4" + kDeg, 20, 0},
        {"locale comma", "95,4" + kDeg + "F", false, "95,4", 20, 0},
        {"-5°C", "-5" + kDeg + "C", true, "-5" + kDeg, 16, 0},
        {"-5°C without the tray degree", "-5" + kDeg + "C", false, "-5", 16, 2},
        {"-10 has three characters", "-10" + kDeg + "C", false, "-10", 20, 0},
        {"no reading: only the degree sign, at column 2", "", true, kDeg, 16, 2},
        {"no reading, tray degree off: nothing", "", false, "", 16, 2},
        // A text written before the window's degree option was switched on keeps its number.
        {"35C read while the window degree is on", "35C", false, "35", 16, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ui::TrayIconDrawing d = tray::sensorDrawing(c.label, c.trayDegree, true, {});
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.width, c.width);
        EXPECT_EQ(d.textLeft, c.left);
    }
}
