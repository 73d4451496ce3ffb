// Whether the desktop program can open windows, decided before Qt would abort.
#include <gtest/gtest.h>

#include "platform/qt/display_check.h"

using kvx::platform::qt::DisplayEnvironment;
using kvx::platform::qt::missingDisplayReason;

// Guards against: Qt aborting without a display instead of a plain error, and refusing set-ups that work.
TEST(DisplayCheck, RefusesOnlyWhatCannotOpenAWindow) {
    struct Row {
        DisplayEnvironment environment;
        bool refused;
    } rows[] = {
        {{"", "", ""}, true},               // nothing at all
        {{"", ":0", ""}, false},            // an X session
        {{"", "", "wayland-0"}, false},     // a Wayland session
        {{"xcb", "", ""}, true},            // X asked for, none there
        {{"xcb", "", "wayland-0"}, true},   // X asked for, only Wayland there
        {{"xcb:nograb", ":1", ""}, false},  // plugin options
        {{"offscreen", "", ""}, false},     // no display needed
        {{"minimal", "", ""}, false},
        {{"wayland", "", ""}, false},              // Wayland finds its default socket itself
        {{"xcb;offscreen", "", ""}, false},        // Qt falls back to the next plugin
        {{";", "", ""}, true},                     // an empty list is no choice
        {{"xcb;;offscreen:x=1;", "", ""}, false},  // empty entries between and after are skipped
        {{":opt;xcb", "", ""}, true},              // an entry of options only names no plugin
    };
    for (const auto& row : rows) {
        std::string reason = missingDisplayReason(row.environment);
        EXPECT_EQ(!reason.empty(), row.refused)
            << "QT_QPA_PLATFORM=" << row.environment.qpaPlatform << " DISPLAY=" << row.environment.display;
        if (row.refused) {
            EXPECT_NE(reason.find("--headless"), std::string::npos) << reason;
        }
    }
}
