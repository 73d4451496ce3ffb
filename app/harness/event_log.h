#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kvx::app {

// What the program did outside its windows, in order, for the state dump:
// programs it ran ("run": program, parameters, folder), waves it played
// ("play": path, loop) or stopped ("stopWave"),
// the PC speaker's tone switched off at the end of an alarm ("stopSound"),
// messages posted to other programs' windows ("post"), shutdown launches
// ("launch"), files opened with the desktop's default program ("open") and
// files moved to the trash ("trash"). An entry with fields is dumped with them
// in place of its detail; "open" and "trash" name their file under "path".
class EventLog {
public:
    using Field = std::pair<std::string, std::variant<std::string, int64_t, bool>>;
    struct Entry {
        int64_t timeMs = 0;
        std::string kind;
        std::string detail;
        std::vector<Field> fields;
    };
    void add(int64_t timeMs, std::string kind, std::string detail = {}) {
        entries_.push_back({timeMs, std::move(kind), std::move(detail), {}});
    }
    void addFields(int64_t timeMs, std::string kind, std::vector<Field> fields) {
        entries_.push_back({timeMs, std::move(kind), {}, std::move(fields)});
    }
    void addPath(int64_t timeMs, std::string kind, std::string path) {
        addFields(timeMs, std::move(kind), {{"path", std::move(path)}});
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace kvx::app
