#include "tests/settings/hive_describe.h"

#include <cstdio>

namespace kvx::settings::test {
namespace {

std::string bytesText(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, out.empty() ? "%02x" : " %02x", b);
        out += hex;
    }
    return out;
}

}  // namespace

std::string describe(const Hive& hive) {
    std::string out;
    for (const HiveKey& key : hive.keys()) {
        if (key.size() == 0) out += key.path() + "|\n";
        for (const HiveValue& value : key) {
            out += key.path() + "|" + value.name + "|";
            char number[16];
            switch (value.type) {
                case HiveValueType::String: out += "s:" + value.text; break;
                case HiveValueType::Dword:
                    std::snprintf(number, sizeof number, "d:%08x", static_cast<unsigned>(value.dword));
                    out += number;
                    break;
                case HiveValueType::Binary: out += "b:" + bytesText(value.bytes); break;
                case HiveValueType::Other:
                    std::snprintf(number, sizeof number, "t%x:", static_cast<unsigned>(value.otherType));
                    out += number + bytesText(value.bytes);
                    break;
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace kvx::settings::test
