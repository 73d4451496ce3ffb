#include "logs/log_file_sizes.h"

#include "logs/log_file_names.h"

namespace kvx::logs {

LogFileSizes measureLogFiles(platform::LogStorage& storage, const std::string& programFolder,
                             const std::vector<SizedFile>& files) {
    LogFileSizes sizes;
    for (const SizedFile& file : files) {
        const platform::LogStorage::Size size = storage.fileSize(logFilePath(programFolder, file.fileName));
        if (size.status.ok()) {
            sizes.kb.push_back(static_cast<std::int64_t>(size.bytes / 1024));
        } else if (file.mayBeLocked) {
            sizes.kb.push_back(-1);
        } else {
            sizes.status = size.status;
            return sizes;
        }
    }
    return sizes;
}

std::string sizeDisplayText(std::string_view prefix, std::int64_t kb) {
    if (kb < 0) return std::string(prefix) + " File Locked";
    return std::string(prefix) + std::to_string(kb) + "Kb";
}

}  // namespace kvx::logs
