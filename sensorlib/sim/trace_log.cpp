#include "sensorlib/sim/trace_log.h"

#include <cerrno>
#include <cstring>

namespace kvx::sim {

std::unique_ptr<TraceLog> TraceLog::open(const std::string& path, std::string& error) {
    // "e": close on exec, so that programs the host starts do not inherit it.
    std::FILE* file = std::fopen(path.c_str(), "ae");
    if (!file) {
        error = path + ": cannot open: " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<TraceLog>(new TraceLog(file));
}

TraceLog::~TraceLog() { std::fclose(file_); }

void TraceLog::write(std::int64_t ms, std::string_view operation, std::initializer_list<std::int64_t> args) {
    std::string line = std::to_string(ms) + " " + std::string(operation);
    for (std::int64_t arg : args) line += " " + std::to_string(arg);
    line += "\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace kvx::sim
