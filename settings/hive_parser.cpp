// Hive::parse: REGEDIT5 text to a Hive.

#include "settings/hive.h"

#include "settings/hive_format.h"
#include "settings/hive_names.h"
#include "settings/hive_utf16.h"
#include "settings/utf8_text.h"

#include <charconv>
#include <initializer_list>

namespace kvx::settings {
namespace {

struct Line {
    int number;
    std::string_view text;  // without the line end
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = (s[i] >= 'A' && s[i] <= 'Z') ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (c != prefix[i]) return false;  // prefixes are given in lower case
    }
    return true;
}

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({number++, line});
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Reads a quoted text at `pos` (which holds the opening quote), undoing the
// escapes \\ and \". A backslash before any other character stays as it is.
std::optional<std::string> readQuoted(std::string_view s, std::size_t& pos) {
    std::string out;
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        out += s[i];
    }
    return std::nullopt;
}

std::optional<std::uint32_t> readHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// "01,02 , ff," -> bytes. A trailing comma is allowed (continued lines end in one).
std::optional<std::vector<std::uint8_t>> readByteList(std::string_view list) {
    std::vector<std::uint8_t> bytes;
    list = trimmed(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const auto number = readHexNumber(trimmed(list.substr(0, comma)), 2);
        if (!number) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*number));
        if (comma == std::string_view::npos) break;
        list = trimmed(list.substr(comma + 1));
    }
    return bytes;
}

class Parser {
public:
    Parser(std::string_view fileName, HiveParseResult& result) : fileName_(fileName), result_(result) {}

    void run(std::string_view text);

private:
    void problem(int line, std::string reason, bool fatal = false) {
        result_.problems.push_back({std::string(fileName_), line, std::move(reason), fatal});
    }
    void keyLine(const Line& line, std::string_view text);
    // Reads a value starting at lines[index]; returns the index of its last line.
    std::size_t valueLine(const std::vector<Line>& lines, std::size_t index);
    std::optional<HiveValue> valueData(std::string_view data, int line);
    // Replaces malformed bytes in the texts of one line by U+FFFD, reported once.
    void checkEncoding(int line, std::initializer_list<std::string*> texts);

    std::string_view fileName_;
    HiveParseResult& result_;
    Hive hive_;
    HiveKey* current_ = nullptr;
    bool utf16_ = false;
};

void Parser::checkEncoding(int line, std::initializer_list<std::string*> texts) {
    bool replaced = false;
    for (std::string* text : texts) {
        if (utf8_text::isValid(*text)) continue;
        *text = utf8_text::valid(*text);
        replaced = true;
    }
    if (!replaced) return;
    problem(line, utf16_ ? "unpaired UTF-16 surrogate read as U+FFFD"
                         : "bytes that are not UTF-8 read as U+FFFD (is the file in another encoding?)");
}

void Parser::run(std::string_view text) {
    std::string decoded;
    if (text.starts_with("\xFF\xFE")) {
        decoded = hive_utf16::toUtf8MarkingUnpaired(reinterpret_cast<const std::uint8_t*>(text.data()) + 2,
                                                    text.size() - 2);
        text = decoded;
        utf16_ = true;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }

    const std::vector<Line> lines = splitLines(text);
    std::size_t index = 0;
    while (index < lines.size() && trimmed(lines[index].text).empty()) ++index;
    if (index == lines.size()) {
        problem(1, "not a settings hive: the file is empty", true);
        return;
    }
    if (trimmed(lines[index].text) != hive_format::kHeader) {
        problem(lines[index].number,
                "not a settings hive: the first line is not \"" + std::string(hive_format::kHeader) + "\"", true);
        return;
    }

    for (++index; index < lines.size(); ++index) {
        const Line& line = lines[index];
        const std::string_view content = trimmed(line.text);
        if (content.empty() || content.front() == ';') continue;
        if (content.front() == '[') {
            keyLine(line, content);
        } else if (content.front() == '"' || content.front() == '@') {
            index = valueLine(lines, index);
        } else {
            problem(line.number, "line not understood");
        }
    }
    result_.hive = std::move(hive_);
}

void Parser::keyLine(const Line& line, std::string_view text) {
    current_ = nullptr;  // values after a bad key line belong to no key
    if (text.back() != ']') {
        problem(line.number, "key line without closing ']'");
        return;
    }
    // Only a "-" right after "[" marks a deletion, as in a registry import;
    // "[\\-x]" is the key "-x" (leading backslashes are dropped).
    std::string path(text.substr(1, text.size() - 2));
    if (path.starts_with('-')) {
        problem(line.number, "removing a key is not supported in a stored hive; section ignored");
        return;
    }
    // Blanks and backslashes alone name no key once separators are folded.
    if (trimmed(hive_names::normalizedPath(path)).empty()) {
        problem(line.number, "empty key name");
        return;
    }
    checkEncoding(line.number, {&path});
    current_ = &hive_.key(path);
}

std::size_t Parser::valueLine(const std::vector<Line>& lines, std::size_t index) {
    const Line& first = lines[index];
    const std::string_view text = trimmed(first.text);

    std::string name;
    std::size_t pos = 0;
    if (text.front() == '@') {
        pos = 1;
    } else {
        auto quoted = readQuoted(text, pos);
        if (!quoted) {
            problem(first.number, "value name without closing quote");
            return index;
        }
        name = std::move(*quoted);
    }
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos == text.size() || text[pos] != '=') {
        problem(first.number, "expected '=' after the value name");
        return index;
    }
    std::string data(trimmed(text.substr(pos + 1)));

    // Byte lists continue on the next line after a trailing backslash.
    if (startsWithNoCase(data, "hex")) {
        while (!data.empty() && data.back() == '\\' && index + 1 < lines.size()) {
            data.pop_back();
            const std::string_view next = trimmed(lines[index + 1].text);
            if (next.empty()) break;
            ++index;
            data += next;
        }
    }

    std::optional<HiveValue> value = valueData(data, first.number);
    if (!value) return index;
    if (!current_) {
        problem(first.number, "value outside a key");
        return index;
    }
    value->name = std::move(name);
    checkEncoding(first.number, {&value->name, &value->text});
    current_->set(std::move(*value));
    return index;
}

std::optional<HiveValue> Parser::valueData(std::string_view data, int line) {
    HiveValue value;
    if (data.starts_with('"')) {
        std::size_t pos = 0;
        auto text = readQuoted(data, pos);
        if (!text) {
            problem(line, "text without closing quote");
            return std::nullopt;
        }
        if (!trimmed(data.substr(pos)).empty()) {
            problem(line, "unexpected characters after the closing quote");
            return std::nullopt;
        }
        value.type = HiveValueType::String;
        value.text = std::move(*text);
        return value;
    }
    if (startsWithNoCase(data, "dword:")) {
        const auto number = readHexNumber(trimmed(data.substr(6)), 8);
        if (!number) {
            problem(line, "dword value is not 1 to 8 hexadecimal digits");
            return std::nullopt;
        }
        value.type = HiveValueType::Dword;
        value.dword = *number;
        return value;
    }
    if (data == "-") {
        problem(line, "removing a value is not supported in a stored hive; line ignored");
        return std::nullopt;
    }
    if (startsWithNoCase(data, "hex")) {
        std::uint32_t registryType = hive_format::kTypeBinary;
        std::size_t colon = 3;
        if (data.substr(3).starts_with('(')) {
            const std::size_t close = data.find(')');
            const auto number = close == std::string_view::npos ? std::nullopt
                                                                : readHexNumber(data.substr(4, close - 4), 8);
            if (!number) {
                problem(line, "hex(...) type is not a hexadecimal number");
                return std::nullopt;
            }
            registryType = *number;
            colon = close + 1;
        }
        if (data.substr(colon, 1) != ":") {
            problem(line, "value data not understood");
            return std::nullopt;
        }
        auto bytes = readByteList(data.substr(colon + 1));
        if (!bytes) {
            problem(line, "byte list is not comma-separated hexadecimal bytes");
            return std::nullopt;
        }
        return hive_format::typedValue(registryType, std::move(*bytes));
    }
    problem(line, "value data not understood");
    return std::nullopt;
}

}  // namespace

HiveParseResult Hive::parse(std::string_view text, std::string_view fileName) {
    HiveParseResult result;
    Parser(fileName, result).run(text);
    return result;
}

}  // namespace kvx::settings
