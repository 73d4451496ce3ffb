#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kvx::metrics {

// The file `korvex.prom` in the folder that node_exporter's textfile collector
// reads. Every write replaces it whole (temporary file beside it, flushed, then
// renamed), so a scrape sees the previous poll or this one, never a mix; the
// temporary name does not end in ".prom", so the collector never reads it.
class MetricsFile {
public:
    static constexpr const char* kFileName = "korvex.prom";

    MetricsFile(platform::FileSystem& files, std::string folder);

    const std::string& path() const { return path_; }

    // Writes `text`. Returns the line to report when this write failed and the
    // one before did not: a disk that keeps refusing is reported once, and
    // again only after a write has succeeded in between.
    std::optional<std::string> write(std::string_view text);

private:
    platform::FileSystem& files_;
    std::string folder_;
    std::string path_;
    bool failing_ = false;
};

}  // namespace kvx::metrics
