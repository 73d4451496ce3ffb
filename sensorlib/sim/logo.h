#pragma once
#include <cstdint>
#include <vector>

namespace kvx::sim {

inline constexpr int kLogoWidth = 128;
inline constexpr int kLogoHeight = 64;

// The splash logo, drawn in code: a dial with its needle beside a
// thermometer, as an uncompressed 24-bit BMP file image.
std::vector<std::uint8_t> drawLogoBmp();

}  // namespace kvx::sim
