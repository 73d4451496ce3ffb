#pragma once
#include <array>
#include <cstdint>
#include <string_view>

// The sixteen colours that have names in the settings store and in the
// colour lists of the pages ("clBlack" .. "clWhite"), as 0x00BBGGRR values.
namespace kvx::text {

struct NamedColour {
    std::string_view name;
    std::uint32_t value;
};

inline constexpr std::array<NamedColour, 16> kBasicColours{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

}  // namespace kvx::text
