// The lines of the system information panel.
#include <gtest/gtest.h>

#include "ui/main_window/system_info_panel.h"

namespace kvx::ui {
namespace {

SystemFacts someFacts() {
    SystemFacts f;
    f.versionCaption = "Version 3.82";
    f.clockMhz = 450;
    f.userName = "alice";
    f.memoryUsePercent = 50;
    f.totalMemoryBytes = 134217728;
    f.availableMemoryBytes = 67108863;
    f.programPath = "/opt/korvex/korvex";
    f.chipId = 0x10;
    f.smbusBase = 0x5000;
    return f;
}

// The black-box run shows the whole panel of an LM78 board without SMBus, its
// rebuild on every showing and the copy; these are the other rules of its lines.
TEST(SystemInfo, TheLinesFollowTheirRules) {
    struct Case {
        const char* what;
        void (*change)(SystemFacts&);
        size_t line;
        std::string expected;
    };
    const Case cases[] = {
        {"available truncates", [](SystemFacts&) {}, 5, "65535 KB of Available Physical Memory"},
        {"Winbond chip", [](SystemFacts&) {}, 9, "Chip ID: Winbond W83781D"},
        {"unknown chip", [](SystemFacts& f) { f.chipId = 0; }, 9, "Chip ID: 0"},
        {"SMBus in hex", [](SystemFacts& f) { f.smbusBase = 0xE80; }, 10, "SMBus: $0E80"},
        {"cooler path", [](SystemFacts& f) { f.cpuIdlePath = "/opt/c"; }, 7, "CPUIdle detected at: /opt/c"},
        // Guards against a user line longer than the panel's 255-character limit.
        {"user cut", [](SystemFacts& f) { f.userName = std::string(300, 'u'); }, 2, "User: " + std::string(249, 'u')},
    };
    for (const Case& c : cases) {
        SystemFacts f = someFacts();
        c.change(f);
        auto lines = systemInfoLines(f);
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_EQ(lines[c.line], c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kvx::ui
