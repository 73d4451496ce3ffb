#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kvx::app {

// What the program did outside its windows, in order, for the state dump:
// programs it ran ("run"), waves it played or stopped ("play", "stopWave"),
// the PC speaker's tone switched off at the end of an alarm ("stopSound"),
// files opened with the desktop's default program ("open") and files moved to
// the trash ("trash"); the last two name their file under "path".
class EventLog {
public:
    struct Entry {
        int64_t timeMs = 0;
        std::string kind;
        std::string detail;
        std::string detailKey = "detail";  // the dump's name for `detail`
    };
    void add(int64_t timeMs, std::string kind, std::string detail = {}) {
        entries_.push_back({timeMs, std::move(kind), std::move(detail)});
    }
    void addPath(int64_t timeMs, std::string kind, std::string path) {
        entries_.push_back({timeMs, std::move(kind), std::move(path), "path"});
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace kvx::app
