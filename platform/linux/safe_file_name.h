#pragma once
#include <string>
#include <string_view>

namespace kvx::platform::linux_backend {

// Maps any text (a window title, an instance or autostart name) to one file
// name that is safe in any folder: letters, digits, '.', '_' and '-' stay as
// they are; every other byte, and a leading '.', becomes %XX (upper-case hex),
// so "Korvex 2.5" gives "Korvex%202.5" and "../x" gives "%2E.%2Fx".
// Different texts give different names. A name longer than
// kMaxSafeFileNameLength keeps its first part and ends in "~" and a hash of
// the whole text, so that socket paths stay within the system's limit.
// An empty text gives an empty name; callers reject it.
inline constexpr std::size_t kMaxSafeFileNameLength = 64;
std::string safeFileName(std::string_view text);

}  // namespace kvx::platform::linux_backend
