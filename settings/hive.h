#pragma once
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A settings hive: keys holding named values, kept as REGEDIT5 text
// ("Windows Registry Editor Version 5.00"). Key and value names match without
// regard to ASCII case; the spelling first stored is kept. Keys and values keep
// the order in which they were first stored, so equal hives serialize to
// byte-identical text.

namespace kvx::settings {

enum class HiveValueType {
    String,  // "Name"="text"
    Dword,   // "Name"=dword:0000000a (a 32-bit integer; signed ones as two's complement)
    Binary,  // "Name"=hex:01,02
    Other,   // "Name"=hex(N):... any other registry type, kept as raw bytes so it survives a save
};

struct HiveValue {
    std::string name;  // as first spelled; empty for the key's default value ("@")
    HiveValueType type = HiveValueType::String;
    std::string text;                 // String: UTF-8; may hold zero bytes
    std::uint32_t dword = 0;          // Dword
    std::vector<std::uint8_t> bytes;  // Binary and Other
    std::uint32_t otherType = 0;      // Other: the N of hex(N)

    bool operator==(const HiveValue&) const = default;
};

class HiveKey {
public:
    explicit HiveKey(std::string path) : path_(std::move(path)) {}

    // Full path as first spelled, e.g. "HKEY_CURRENT_USER\Software\Korvex".
    const std::string& path() const { return path_; }

    // The value of that name in any letter case, or nullptr. The pointer stays
    // valid until a value of this key is set or removed.
    const HiveValue* find(std::string_view name) const;

    // Store a value, replacing one of the same name (in any case) in its place
    // and keeping that one's spelling; a new name goes to the end. Names must
    // not hold line breaks (the text format has no way to write them).
    void setString(std::string_view name, std::string_view text);
    void setDword(std::string_view name, std::uint32_t value);
    void setBinary(std::string_view name, std::vector<std::uint8_t> bytes);
    void set(HiveValue value);

    // Returns false when there was no such value.
    bool remove(std::string_view name);

    const std::vector<HiveValue>& values() const { return values_; }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }
    std::size_t size() const { return values_.size(); }

    bool operator==(const HiveKey&) const = default;

private:
    std::string path_;
    std::vector<HiveValue> values_;
};

// One thing in a hive file that could not be read.
struct HiveProblem {
    std::string fileName;
    int line = 0;  // 1-based; the first line of a value that spans several
    std::string reason;
    bool fatal = false;  // true: the file is not a hive at all, nothing was loaded

    // "FILE:LINE: reason"
    std::string text() const;
};

struct HiveParseResult;

class Hive {
public:
    // Reads REGEDIT5 text (UTF-8 with or without BOM, or UTF-16LE with BOM; CRLF
    // or LF). A value or key line that cannot be understood is reported and
    // skipped; the rest loads. Text without the header line gives no hive and
    // one fatal problem. `fileName` is used only in the problems.
    static HiveParseResult parse(std::string_view text, std::string_view fileName);

    // REGEDIT5 text, UTF-8 without BOM, CRLF line ends (see hive_writer.cpp).
    std::string serialize() const;

    // Paths are matched without regard to case; leading, trailing and doubled
    // backslashes are ignored. Returned pointers and references stay valid until
    // that key is removed.
    const HiveKey* findKey(std::string_view path) const;
    HiveKey* findKey(std::string_view path);
    HiveKey& key(std::string_view path);  // created empty at the end when missing
    bool removeKey(std::string_view path);

    const std::list<HiveKey>& keys() const { return keys_; }

    bool operator==(const Hive&) const = default;

private:
    std::list<HiveKey> keys_;
};

struct HiveParseResult {
    std::optional<Hive> hive;            // empty only when a fatal problem was found
    std::vector<HiveProblem> problems;   // in line order

    bool fatal() const { return !hive.has_value(); }
};

}  // namespace kvx::settings
