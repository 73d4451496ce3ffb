#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::ui {

// The facts the "System Info" panel lists.
struct SystemFacts {
    std::string versionCaption;  // "Version 3.82"
    int32_t clockMhz = 0;
    std::string userName;
    int32_t memoryUsePercent = 0;
    int64_t totalMemoryBytes = 0;
    int64_t availableMemoryBytes = 0;
    std::string programPath;
    std::string cpuIdlePath;   // "" when the cooler is not installed
    std::string shutdownPath;  // "" when the shutdown program is not installed
    int32_t chipId = 0;
    uint16_t smbusBase = 0;
};

// The eleven lines of the panel, in order.
std::vector<std::string> systemInfoLines(const SystemFacts& facts);

// The "System Info" panel of the General page: a read-only text box filled
// afresh each time the panel is chosen, and "Copy", which puts the whole text
// on the clipboard.
class SystemInfoPanel {
public:
    SystemInfoPanel(Window& form, Control* panel);

    Memo& text() { return memo_; }
    Button& copyButton() { return copy_; }

    // Gathers the facts (re-running the two detections) when the panel is shown.
    std::function<SystemFacts()> facts;
    // Puts text on the clipboard.
    std::function<void(const std::string&)> copyText;

    void SetAllSystemInfo();

private:
    Memo& memo_;
    Button& copy_;
};

}  // namespace kvx::ui
