#include "ui/main_window/system_info_panel.h"

#include <cstdio>

namespace kvx::ui {
namespace {

constexpr uint16_t kNoSmbus = 0xFFFE;
constexpr size_t kMaxUserLine = 255;

std::string chipLine(int32_t chipId) {
    switch (chipId) {
        case 0x10: return "Chip ID: Winbond W83781D";
        case 0x2D: return "Chip ID: LM78";
        default: return "Chip ID: " + std::to_string(chipId);
    }
}

std::string smbusLine(uint16_t base) {
    if (base == kNoSmbus) return "SMBus: No Intel SMBus found";
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(base));
    return std::string("SMBus: $") + hex;
}

}  // namespace

std::vector<std::string> systemInfoLines(const SystemFacts& f) {
    std::string user = "User: " + f.userName;
    if (user.size() > kMaxUserLine) user.resize(kMaxUserLine);
    return {
        f.versionCaption,
        "CPU Speed: " + std::to_string(f.clockMhz) + " MHz",
        user,
        std::to_string(f.memoryUsePercent) + "% of Memory in use",
        // Integer division truncates toward zero, as the lines promise.
        std::to_string(f.totalMemoryBytes / 1024) + " KB of Total Physical Memory",
        std::to_string(f.availableMemoryBytes / 1024) + " KB of Available Physical Memory",
        "KVX launched from: " + f.programPath,
        "CPUIdle detected at: " + f.cpuIdlePath,
        "ShutDown NOW! detected at: " + f.shutdownPath,
        chipLine(f.chipId),
        smbusLine(f.smbusBase),
    };
}

SystemInfoPanel::SystemInfoPanel(Window& form, Control* panel)
    : memo_(form.add<Memo>(panel, "GenTabSystemInfoMemo")), copy_(form.add<Button>(panel, "GenTabCopyButton")) {
    memo_.setBounds({16, 0, 233, 153});
    copy_.setCaption("Copy");
    copy_.setBounds({16, 160, 65, 22});
    copy_.onClick = [this] {
        if (copyText) copyText(memo_.text());
    };
}

void SystemInfoPanel::SetAllSystemInfo() {
    memo_.setLines({});
    if (facts) memo_.setLines(systemInfoLines(facts()));
}

}  // namespace kvx::ui
