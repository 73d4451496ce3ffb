#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kvx::app {

// What the program did outside its windows, in order, for the state dump:
// programs it ran ("run": program, parameters, folder), waves it played
// ("play": path, loop) or stopped ("stopWave"), and the PC speaker's tone
// switched off at the end of an alarm ("stopSound").
class EventLog {
public:
    using Value = std::variant<std::string, bool>;
    struct Field {
        std::string key;
        Value value;
    };
    struct Entry {
        int64_t timeMs = 0;
        std::string kind;
        std::vector<Field> fields;  // written after "kind", in this order
    };
    void add(int64_t timeMs, std::string kind, std::vector<Field> fields = {}) {
        entries_.push_back({timeMs, std::move(kind), std::move(fields)});
    }
    // An event with one text besides its kind, under the key "detail".
    void add(int64_t timeMs, std::string kind, std::string detail) {
        add(timeMs, std::move(kind), std::vector<Field>{{"detail", std::move(detail)}});
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace kvx::app
