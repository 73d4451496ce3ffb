#include "sensorlib/lmsensors/smbus.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "sensorlib/lmsensors/file_text.h"
#include "sensorlib/number_text.h"

namespace kvx::lmsensors {
namespace {

std::string firstLine(const std::filesystem::path& path) { return firstLineOf(path.string()); }

// Reads one hexadecimal field ("0x0000f000" or "f000") and moves `text` past it.
bool hexField(const char*& text, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(text, &end, 16);
    if (end == text) return false;
    text = end;
    return true;
}

constexpr unsigned long kIoResourceFlag = 0x100;  // IORESOURCE_IO

}  // namespace

std::vector<AdapterInfo> listI2cAdapters(const std::string& sysRoot) {
    std::vector<AdapterInfo> adapters;
    std::error_code ec;
    // Advanced with an error code: a range-for would throw on a failing step.
    for (std::filesystem::directory_iterator it(sysRoot + "/class/i2c-adapter", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::directory_entry& entry = *it;
        const std::string dir = entry.path().filename().string();
        if (dir.rfind("i2c-", 0) != 0) continue;
        const std::string digits = dir.substr(4);
        if (digits.empty() ||
            !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        // The kernel numbers adapters with an int; a folder beyond that is no adapter.
        std::string why;
        const auto number = number_text::parseWhole<int>(digits, 0, std::numeric_limits<int>::max(), why);
        if (number) adapters.push_back({*number, firstLine(entry.path() / "name")});
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const AdapterInfo& a, const AdapterInfo& b) { return a.number < b.number; });
    return adapters;
}

int ioBaseFromAdapterName(const std::string& name) {
    const std::size_t at = name.rfind(" at ");
    if (at == std::string::npos) return -1;
    std::string hex = name.substr(at + 4);
    if (hex.rfind("0x", 0) == 0) hex.erase(0, 2);
    if (hex.empty() || hex.size() > 4 ||
        !std::all_of(hex.begin(), hex.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return -1;
    int base = -1;
    const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), base, 16);
    return ec == std::errc{} && end == hex.data() + hex.size() ? base : -1;
}

int ioBaseFromPciResource(const std::string& resourceText) {
    std::size_t lineStart = 0;
    while (lineStart < resourceText.size()) {
        std::size_t lineEnd = resourceText.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = resourceText.size();
        const std::string line = resourceText.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        unsigned long start = 0, end = 0, flags = 0;
        const char* cursor = line.c_str();
        const bool fields = hexField(cursor, start) && hexField(cursor, end) && hexField(cursor, flags);
        if (fields && (flags & kIoResourceFlag) && start != 0 && start <= 0xFFFF && start != kNoSmbus)
            return static_cast<int>(start);
    }
    return -1;
}

std::uint16_t smbusBase(const std::string& sysRoot, const AdapterInfo& adapter) {
    int base = ioBaseFromAdapterName(adapter.name);
    if (base < 0) {
        base = ioBaseFromPciResource(
            readFileText(sysRoot + "/class/i2c-adapter/i2c-" + std::to_string(adapter.number) + "/device/resource")
                .text);
    }
    if (base < 0 || base == kNoSmbus) base = adapter.number & 0xFFFF;
    return static_cast<std::uint16_t>(base);
}

}  // namespace kvx::lmsensors
