// Hive::serialize: a Hive to REGEDIT5 text.
//
// The layout is the one the registry editor itself exports, so that a person can
// read the file and import it on Windows: the header, a blank line, then every key
// as "[path]" followed by its values and a blank line. Lines end in CRLF, the
// line end of that format; the reader accepts LF as well, and Linux text tools
// handle CRLF.
//
// The registry editor reads a file without BOM in the machine's ANSI code page:
// UTF-8 "Mobo °C" comes back as "Mobo Â°C", and even hex(1), hex(2) and hex(7)
// data there is taken as ANSI bytes, not UTF-16 (seen with Wine's regedit); it
// refuses UTF-8 with a BOM. So a hive that is plain ASCII (names and texts in
// ASCII without line breaks or zero bytes, no hex(1), hex(2) or hex(7) data)
// is written as ASCII, which
// every reader takes the same way and a person can read, grep and edit with
// any tool. Anything else makes the whole file UTF-16LE with a BOM, the form
// of the registry editor's own exports, which carries every text exactly.

#include "settings/hive.h"

#include "settings/hive_format.h"
#include "settings/hive_utf16.h"

#include <cstdio>

namespace kvx::settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kMaxLineLength = 80;

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string hexByte(std::uint8_t byte) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    return digits;
}

// "prefix01,02,...": wrapped like the registry editor does, with a trailing
// backslash and two-space indent, so that no line passes 80 characters (unless
// the value name alone is longer).
void appendByteList(std::string& out, std::string line, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        const std::string token = hexByte(bytes[i]) + (last ? "" : ",");
        const std::size_t room = token.size() + (last ? 0 : 1);  // a continued line ends in "\"
        if (line.size() + room > kMaxLineLength) {
            out += line;
            out += '\\';
            out += kLineEnd;
            line = "  ";
        }
        line += token;
    }
    out += line;
    out += kLineEnd;
}

void appendValue(std::string& out, const HiveValue& value) {
    std::string head = value.name.empty() ? std::string("@") : quoted(value.name);
    head += '=';
    switch (value.type) {
        case HiveValueType::String:
            if (hive_format::needsHexString(value.text)) {
                appendByteList(out, head + "hex(1):", hive_format::hexStringBytes(value.text));
                return;
            }
            out += head + quoted(value.text);
            break;
        case HiveValueType::Dword: {
            char digits[9];
            std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value.dword));
            out += head + "dword:" + digits;
            break;
        }
        case HiveValueType::Binary: appendByteList(out, head + "hex:", value.bytes); return;
        case HiveValueType::Other: {
            char type[16];
            std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.otherType));
            appendByteList(out, head + type, value.bytes);
            return;
        }
    }
    out += kLineEnd;
}

// "[path]". A path starting with "-" would read as a deletion of the key, so it
// gets a leading backslash, which readers pass over: "[\-x]" is the key "-x".
void appendKeyLine(std::string& out, const std::string& path) {
    out += '[';
    if (path.starts_with('-')) out += '\\';
    out += path;
    out += ']';
    out += kLineEnd;
}

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Whether an ASCII file carries every value exactly, as described above.
bool fitsAscii(const std::list<HiveKey>& keys) {
    for (const HiveKey& key : keys) {
        if (!isAscii(key.path())) return false;
        for (const HiveValue& value : key) {
            if (!isAscii(value.name)) return false;
            if (value.type == HiveValueType::String &&
                (!isAscii(value.text) || hive_format::needsHexString(value.text))) {
                return false;
            }
            if (value.type == HiveValueType::Other && hive_format::isStringData(value.otherType)) return false;
        }
    }
    return true;
}

std::string utf16WithBom(std::string_view utf8) {
    const std::vector<std::uint8_t> units = hive_utf16::fromUtf8(utf8);
    std::string out = "\xFF\xFE";
    out.append(units.begin(), units.end());
    return out;
}

}  // namespace

std::string Hive::serialize() const {
    std::string out(hive_format::kHeader);
    out += kLineEnd;
    out += kLineEnd;
    for (const HiveKey& key : keys_) {
        appendKeyLine(out, key.path());
        for (const HiveValue& value : key) appendValue(out, value);
        out += kLineEnd;
    }
    return fitsAscii(keys_) ? out : utf16WithBom(out);
}

}  // namespace kvx::settings
