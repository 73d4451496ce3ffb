#pragma once
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace kvx::sim {

// Appends `<ms> <operation> <args>` lines to a file, each flushed at once so
// that a killed program leaves every line it wrote.
class TraceLog {
public:
    // Opens `path` for appending; on failure returns nullptr and sets `error`
    // to "PATH: cannot open: reason".
    static std::unique_ptr<TraceLog> open(const std::string& path, std::string& error);

    ~TraceLog();
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    void write(std::int64_t ms, std::string_view operation, std::initializer_list<std::int64_t> args);

private:
    explicit TraceLog(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

}  // namespace kvx::sim
