#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kvx::app {

// What the program did outside its windows, in order, for the state dump:
// programs it ran ("run"), waves it played or stopped ("play", "stopWave"),
// and the PC speaker's tone switched off at the end of an alarm ("stopSound").
class EventLog {
public:
    struct Entry {
        int64_t timeMs = 0;
        std::string kind;
        std::string detail;
    };
    void add(int64_t timeMs, std::string kind, std::string detail = {}) {
        entries_.push_back({timeMs, std::move(kind), std::move(detail)});
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace kvx::app
