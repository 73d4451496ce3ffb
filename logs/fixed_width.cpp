#include "logs/fixed_width.h"

namespace kvx::logs {

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char byte : utf8) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string leftAligned(std::string_view text, std::size_t width) {
    std::string cell(text);
    const std::size_t length = characterCount(text);
    if (length < width) cell.append(width - length, ' ');
    return cell;
}

std::string rightAligned(std::string_view text, std::size_t width) {
    const std::size_t length = characterCount(text);
    std::string cell(length < width ? width - length : 0, ' ');
    cell.append(text);
    return cell;
}

}  // namespace kvx::logs
