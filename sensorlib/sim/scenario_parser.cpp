// Reads the scenario text: fixed facts (chip, smbus, clock, memory, user)
// and `at SECONDS key=value ...` rows. The first fault ends the reading with
// one line that names the file, the line and the reason.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <stdexcept>

#include "sensorlib/number_text.h"
#include "sensorlib/sim/scenario.h"

namespace kvx::sim {
namespace {

// A fault in the current line; the caller adds the file and line number.
struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return parts;
        text.remove_prefix(comma + 1);
    }
}

std::int64_t parseWhole(std::string_view text, std::string_view what, std::int64_t min, std::int64_t max) {
    std::string why;
    const auto value = number_text::parseWhole<std::int64_t>(text, min, max, why);
    if (!value) throw LineError(std::string(what) + " " + std::string(text) + " " + why);
    return *value;
}

std::int32_t parseInt32(std::string_view text, std::string_view what) {
    return static_cast<std::int32_t>(
        parseWhole(text, what, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

double parseDecimal(std::string_view text, std::string_view what) {
    std::string_view digits = number_text::withoutPlus(text);
    double value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size() || ec != std::errc{} || !std::isfinite(value))
        throw LineError("bad number " + quoted(text) + " for " + std::string(what));
    return value;
}

template <std::size_t N, typename T, typename ParseOne>
std::array<T, N> parseList(std::string_view text, std::string_view what, ParseOne parseOne) {
    auto parts = splitCommas(text);
    if (parts.size() != N)
        throw LineError(std::string(what) + " needs " + std::to_string(N) + " values, got " +
                        std::to_string(parts.size()));
    std::array<T, N> values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = parseOne(parts[i], what);
    return values;
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

KeyValue splitKeyValue(std::string_view word) {
    std::size_t equals = word.find('=');
    if (equals == std::string_view::npos || equals == 0) throw LineError("expected key=value, got " + quoted(word));
    KeyValue kv{word.substr(0, equals), word.substr(equals + 1)};
    if (kv.value.empty()) throw LineError("missing value for " + std::string(kv.key));
    return kv;
}

class Parser {
public:
    explicit Parser(std::string_view fileName) : fileName_(fileName) {}

    ScenarioResult run(std::string_view text) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte order mark
        int lineNumber = 0;
        while (!text.empty()) {
            std::size_t newline = text.find('\n');
            std::string_view line = text.substr(0, newline);
            text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
            ++lineNumber;
            try {
                parseLine(line, lineNumber);
            } catch (const LineError& error) {
                return {std::nullopt, fileName_ + ":" + std::to_string(lineNumber) + ": " + error.what()};
            }
        }
        return {std::move(scenario_), {}};
    }

private:
    void parseLine(std::string_view line, int lineNumber) {
        line = line.substr(0, line.find('#'));
        auto words = splitWords(line);
        if (words.empty()) return;
        std::string_view keyword = words[0];
        if (keyword == "at") return parseRow(words);
        if (keyword != "chip" && keyword != "smbus" && keyword != "clock" && keyword != "memory" && keyword != "user")
            throw LineError("unknown keyword " + quoted(keyword));

        auto [first, isNew] = factLines_.emplace(std::string(keyword), lineNumber);
        if (!isNew)
            throw LineError(std::string(keyword) + " given twice (first on line " + std::to_string(first->second) +
                            ")");
        if (words.size() < 2) throw LineError(std::string(keyword) + " needs a value");

        if (keyword == "user") return parseUser(trim(line.substr(words[0].data() + words[0].size() - line.data())));
        if (keyword == "memory") return parseMemory(words);
        if (words.size() > 2) throw LineError("unexpected " + quoted(words[2]) + " after " + std::string(keyword));
        if (keyword == "chip") return parseChip(words[1]);
        if (keyword == "smbus") return parseSmbus(words[1]);
        scenario_.facts.clockMhz = static_cast<std::int32_t>(
            parseWhole(words[1], "clock", 1, std::numeric_limits<std::int32_t>::max()));
    }

    void parseChip(std::string_view name) {
        static const std::map<std::string_view, Chip> chips = {
            {"lm78", Chip::LM78}, {"lm79", Chip::LM79}, {"w83781d", Chip::W83781D}, {"none", Chip::None}};
        auto found = chips.find(name);
        if (found == chips.end()) throw LineError("unknown chip " + quoted(name) + " (lm78, lm79, w83781d or none)");
        scenario_.facts.chip = found->second;
    }

    void parseSmbus(std::string_view text) {
        if (text == "none") {
            scenario_.facts.smbus = kNoSmbus;
            return;
        }
        std::string_view hex = text;
        if (hex.size() < 3 || hex[0] != '0' || (hex[1] != 'x' && hex[1] != 'X'))
            throw LineError("bad smbus " + quoted(text) + " (0xHEX or none)");
        hex.remove_prefix(2);
        unsigned value = 0;
        auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (end != hex.data() + hex.size() || ec != std::errc{} || value > 0xFFFF)
            throw LineError("bad smbus " + quoted(text) + " (0xHEX up to 0xFFFF, or none)");
        scenario_.facts.smbus = static_cast<std::uint16_t>(value);
    }

    void parseUser(std::string_view name) {
        if (name.size() > 255) throw LineError("user name longer than 255 bytes");
        scenario_.facts.user = std::string(name);
    }

    void parseMemory(const std::vector<std::string_view>& words) {
        BoardFacts& facts = scenario_.facts;
        std::map<std::string_view, bool> seen;
        for (std::size_t i = 1; i < words.size(); ++i) {
            KeyValue kv = splitKeyValue(words[i]);
            if (seen[kv.key]) throw LineError(std::string(kv.key) + " given twice");
            seen[kv.key] = true;
            constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
            if (kv.key == "total") {
                facts.memoryTotal = parseWhole(kv.value, "total", 0, most);
            } else if (kv.key == "available") {
                facts.memoryAvailable = parseWhole(kv.value, "available", 0, most);
            } else if (kv.key == "load") {
                facts.memoryLoad = static_cast<std::int32_t>(parseWhole(kv.value, "load", 0, 100));
            } else {
                throw LineError("unknown memory key " + quoted(kv.key) + " (total, available, load)");
            }
        }
        if (!seen["total"] || !seen["available"]) throw LineError("memory needs total= and available=");
        if (facts.memoryAvailable > facts.memoryTotal) throw LineError("available exceeds total");
        // Without an explicit load, the percentage follows from the two sizes.
        if (!seen["load"] && facts.memoryTotal > 0) {
            long double used = facts.memoryTotal - facts.memoryAvailable;
            facts.memoryLoad = static_cast<std::int32_t>(std::lround(100.0L * used / facts.memoryTotal));
        }
    }

    void parseRow(const std::vector<std::string_view>& words) {
        if (words.size() < 2) throw LineError("at needs a time in seconds");
        Row row;
        row.ms = parseTime(words[1]);
        if (!scenario_.rows.empty() && row.ms < scenario_.rows.back().ms)
            throw LineError("time goes backwards (" + std::string(words[1]) + " after " + lastTime_ + ")");
        if (words.size() < 3) throw LineError("row at " + std::string(words[1]) + " gives no values");
        std::map<std::string_view, bool> seen;
        for (std::size_t i = 2; i < words.size(); ++i) {
            KeyValue kv = splitKeyValue(words[i]);
            if (seen[kv.key]) throw LineError(std::string(kv.key) + " given twice in one row");
            seen[kv.key] = true;
            parseRowValue(kv, row);
        }
        lastTime_ = std::string(words[1]);
        scenario_.rows.push_back(row);
    }

    // The same rule as a script's times (sensorlib/number_text.h).
    static std::int64_t parseTime(std::string_view text) {
        std::string why;
        const auto ms = number_text::parseSecondsAsMs(text, why);
        if (!ms) throw LineError("time " + std::string(text) + " " + why);
        return *ms;
    }

    static void parseRowValue(const KeyValue& kv, Row& row) {
        const std::string_view key = kv.key;
        if (key == "temp") {
            row.temp = parseInt32(kv.value, key);
        } else if (key == "wb2") {
            row.wb2 = parseDecimal(kv.value, key);
        } else if (key == "wb3") {
            row.wb3 = parseDecimal(kv.value, key);
        } else if (key.substr(0, 5) == "lm75.") {
            std::string_view index = key.substr(5);
            int n = 0;
            auto [end, ec] = std::from_chars(index.data(), index.data() + index.size(), n);
            if (index.empty() || end != index.data() + index.size() || ec != std::errc{} || n < 1 || n > kLm75Count)
                throw LineError("lm75 index " + quoted(index) + " out of range 1..8");
            row.lm75[n - 1] = parseInt32(kv.value, key);
        } else if (key == "volts") {
            row.volts = parseList<kRailCount, double>(kv.value, key, parseDecimal);
        } else if (key == "fans") {
            row.fans = parseList<kFanCount, std::int32_t>(kv.value, key, parseInt32);
        } else {
            throw LineError("unknown key " + quoted(key));
        }
    }

    std::string fileName_;
    Scenario scenario_;
    std::map<std::string, int> factLines_;  // keyword -> line where it was given
    std::string lastTime_;
};

}  // namespace

ScenarioResult parseScenario(std::string_view text, std::string_view fileName) { return Parser(fileName).run(text); }

ScenarioResult loadScenarioFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {std::nullopt, path + ": cannot open: " + std::strerror(errno)};
    std::string text;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(file);
    const int error = errno;
    std::fclose(file);
    if (failed) return {std::nullopt, path + ": cannot read: " + std::strerror(error)};
    return parseScenario(text, path);
}

}  // namespace kvx::sim
