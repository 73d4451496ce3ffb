#pragma once
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    Other,   // "Name"=hex(N):... any other registry type, kept as raw bytes so it survives a save;
             // also hex(1) data that is not UTF-16 text (odd length, unpaired surrogate)
};

struct HiveValue {
    std::string name;  // as first spelled; empty for the key's default value ("@")
    HiveValueType type = HiveValueType::String;
    std::string text;                 // String: UTF-8 (valid when loaded); may hold zero bytes
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

    bool operator==(const HiveKey& other) const { return path_ == other.path_ && values_ == other.values_; }

private:
    std::string path_;
    std::vector<HiveValue> values_;
    std::unordered_map<std::string, std::size_t> index_;  // case-folded name -> position in values_
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
    Hive() = default;
    Hive(const Hive& other);
    Hive& operator=(const Hive& other);
    Hive(Hive&&) = default;
    Hive& operator=(Hive&&) = default;

    // Reads REGEDIT5 text (UTF-8 with or without BOM, or UTF-16LE with BOM; CRLF
    // or LF). A value or key line that cannot be understood is reported and
    // skipped; the rest loads. Bytes in a name or text that are not valid UTF-8
    // (unpaired surrogates in a UTF-16 file) load as U+FFFD and are reported
    // with their line, so a loaded hive holds only valid UTF-8. Text without the
    // header line gives no hive and one fatal problem. `fileName` is used only
    // in the problems. Takes time in proportion to the text's length.
    static HiveParseResult parse(std::string_view text, std::string_view fileName);

    // REGEDIT5 text with CRLF line ends that the registry editor imports as it
    // is: ASCII when every name and text is plain ASCII, else UTF-16LE with BOM
    // (see hive_writer.cpp). Malformed UTF-8 in the hive is written as U+FFFD.
    std::string serialize() const;

    // Paths are matched without regard to case; leading, trailing and doubled
    // backslashes are ignored. Returned pointers and references stay valid until
    // that key is removed.
    const HiveKey* findKey(std::string_view path) const;
    HiveKey* findKey(std::string_view path);
    HiveKey& key(std::string_view path);  // created empty at the end when missing
    bool removeKey(std::string_view path);

    const std::list<HiveKey>& keys() const { return keys_; }

    bool operator==(const Hive& other) const { return keys_ == other.keys_; }

private:
    void rebuildIndex();

    std::list<HiveKey> keys_;
    // case-folded normalized path -> its key; list iterators survive a move of the list
    std::unordered_map<std::string, std::list<HiveKey>::iterator> index_;
};

struct HiveParseResult {
    std::optional<Hive> hive;           // empty only when a fatal problem was found
    std::vector<HiveProblem> problems;  // in line order

    bool fatal() const { return !hive.has_value(); }
};

}  // namespace kvx::settings
