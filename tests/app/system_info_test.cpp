// The lines of the system information panel and its rebuild on every showing.
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

TEST(SystemInfo, TheLinesFollowTheirRules) {
    struct Case {
        const char* what;
        void (*change)(SystemFacts&);
        size_t line;
        std::string expected;
    };
    const Case cases[] = {
        {"memory in KB", [](SystemFacts&) {}, 4, "131072 KB of Total Physical Memory"},
        {"available truncates", [](SystemFacts&) {}, 5, "65535 KB of Available Physical Memory"},
        {"Winbond chip", [](SystemFacts&) {}, 9, "Chip ID: Winbond W83781D"},
        {"LM78 chip", [](SystemFacts& f) { f.chipId = 0x2D; }, 9, "Chip ID: LM78"},
        {"unknown chip", [](SystemFacts& f) { f.chipId = 0; }, 9, "Chip ID: 0"},
        {"SMBus in hex", [](SystemFacts& f) { f.smbusBase = 0xE80; }, 10, "SMBus: $0E80"},
        {"no SMBus", [](SystemFacts& f) { f.smbusBase = 0xFFFE; }, 10, "SMBus: No Intel SMBus found"},
        {"cooler path", [](SystemFacts& f) { f.cpuIdlePath = "/opt/c"; }, 7, "CPUIdle detected at: /opt/c"},
        {"no shutdown program", [](SystemFacts&) {}, 8, "ShutDown NOW! detected at: "},
        {"clock", [](SystemFacts&) {}, 1, "CPU Speed: 450 MHz"},
    };
    for (const Case& c : cases) {
        SystemFacts f = someFacts();
        c.change(f);
        auto lines = systemInfoLines(f);
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_EQ(lines[c.line], c.expected) << c.what;
    }
}

// Guards against a user line longer than the panel's 255-character limit.
TEST(SystemInfo, TheUserLineIsCutTo255Characters) {
    SystemFacts f = someFacts();
    f.userName = std::string(300, 'u');
    EXPECT_EQ(systemInfoLines(f)[2], "User: " + std::string(249, 'u'));
}

TEST(SystemInfo, ShowingThePanelTwiceRebuildsTheListAndCopyTakesItAll) {
    Window form{"Form1"};
    SystemInfoPanel panel(form, nullptr);
    int detections = 0;
    panel.facts = [&] {
        ++detections;
        return someFacts();
    };
    std::string copied;
    panel.copyText = [&](const std::string& text) { copied = text; };
    panel.SetAllSystemInfo();
    panel.SetAllSystemInfo();
    EXPECT_EQ(panel.text().lines().size(), 11u);
    EXPECT_EQ(detections, 2);
    panel.copyButton().click();
    EXPECT_EQ(copied, panel.text().text());
    EXPECT_TRUE(copied.starts_with("Version 3.82\nCPU Speed: 450 MHz\n"));
}

}  // namespace
}  // namespace kvx::ui
