#include "metrics/metrics_file.h"

#include <utility>

namespace kvx::metrics {

MetricsFile::MetricsFile(platform::FileSystem& files, std::string folder) : files_(files), folder_(std::move(folder)) {
    path_ = folder_.empty() || folder_.back() == '/' ? folder_ + kFileName : folder_ + "/" + kFileName;
}

std::optional<std::string> MetricsFile::write(std::string_view text) {
    // A folder that is missing (or was removed while running) is made again.
    platform::FsStatus status = files_.createFolders(folder_);
    if (status.ok()) status = files_.replaceFile(path_, text);
    if (status.ok()) {
        failing_ = false;
        return std::nullopt;
    }
    if (failing_) return std::nullopt;
    failing_ = true;
    return "Cannot write the metrics file " + path_ + ": " + status.message +
           ". Monitoring goes on; the file is tried again after every poll.";
}

}  // namespace kvx::metrics
