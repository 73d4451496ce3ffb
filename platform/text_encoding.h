#pragma once
#include <string>
#include <string_view>

namespace kvx::platform {

// Turns the program's own text (UTF-8) into the single-byte Windows-1252 code
// page that the log files are written in.
class TextEncoding {
public:
    virtual ~TextEncoding() = default;

    // Converts `utf8` to Windows-1252 bytes, one byte per character.
    // Never fails: a character that Windows-1252 cannot represent (for example
    // "Ł" or "→") becomes one '?', and so does every byte that is not part of a
    // well-formed UTF-8 sequence, so the output is always a whole text and a
    // name with an odd character still gives a readable log line.
    // Control characters (CR, LF, the byte 1A) pass through unchanged.
    // Safe to call from one thread at a time per object.
    virtual std::string toWindows1252(std::string_view utf8) const = 0;
};

}  // namespace kvx::platform
