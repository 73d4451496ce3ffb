#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/log_storage.h"

namespace kvx::logs {

// The sizes of some log files in whole KB (bytes / 1024, rounded down), in the
// order asked. A file that cannot be opened ends the measuring: `status`
// carries the system's text, and `kb` holds only the files measured before it;
// a CSV file that cannot be opened is not an error but counts as -1 KB.
struct LogFileSizes {
    platform::FsStatus status;
    std::vector<std::int64_t> kb;
};

struct SizedFile {
    std::string_view fileName;
    bool mayBeLocked = false;  // the CSV file: -1 KB when it cannot be opened
};

LogFileSizes measureLogFiles(platform::LogStorage& storage, const std::string& programFolder,
                             const std::vector<SizedFile>& files);

// A size display: "TXT:12Kb"; the CSV display reads "CSV: File Locked" at -1 KB.
std::string sizeDisplayText(std::string_view prefix, std::int64_t kb);

}  // namespace kvx::logs
