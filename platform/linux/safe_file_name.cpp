#include "platform/linux/safe_file_name.h"

#include <cstdint>

namespace kvx::platform::linux_backend {
namespace {

constexpr std::size_t kKeptPrefixLength = 40;

bool keptAsIs(unsigned char c, bool first) {
    if (c >= 'A' && c <= 'Z') return true;
    if (c >= 'a' && c <= 'z') return true;
    if (c >= '0' && c <= '9') return true;
    if (c == '.') return !first;  // no hidden files, no "." or ".."
    return c == '_' || c == '-';
}

std::string hex(uint64_t value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

// FNV-1a: stable across runs and builds, which std::hash does not promise.
uint64_t fnv1a(std::string_view text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::string safeFileName(std::string_view text) {
    std::string name;
    std::size_t prefixEnd = 0;  // end of the whole characters within the kept prefix
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (keptAsIs(c, i == 0)) {
            name += static_cast<char>(c);
        } else {
            name += '%';
            name += hex(c, 2);
        }
        if (name.size() <= kKeptPrefixLength) prefixEnd = name.size();
    }
    if (name.size() <= kMaxSafeFileNameLength) return name;
    // '~' never appears unescaped above, so a shortened name cannot equal a plain one.
    return name.substr(0, prefixEnd) + "~" + hex(fnv1a(text), 16);
}

}  // namespace kvx::platform::linux_backend
