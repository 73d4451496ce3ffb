#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kvx::logs {

// Fixed-width table cells. Widths count characters as they end up in the
// single-byte log file, so a UTF-8 "°" counts as one. A text longer than the
// width is kept whole, never cut; it pushes the rest of its line to the right.

// Number of characters in UTF-8 text (every byte that does not continue a
// multi-byte sequence starts one).
std::size_t characterCount(std::string_view utf8);

// `text` followed by blanks up to `width` characters ("%-8s").
std::string leftAligned(std::string_view text, std::size_t width);

// Blanks up to `width` characters followed by `text` ("%8s").
std::string rightAligned(std::string_view text, std::size_t width);

}  // namespace kvx::logs
