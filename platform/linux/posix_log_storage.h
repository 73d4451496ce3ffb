#pragma once
#include "platform/log_storage.h"

namespace kvx::platform::linux_backend {

// LogStorage on POSIX file calls; error messages carry strerror(errno).
// New files get mode 0666 less the umask, like any file a desktop program makes.
class PosixLogStorage final : public LogStorage {
public:
    Created createFile(const std::string& path, std::string_view bytes, Existing existing) override;
    std::unique_ptr<OpenLogFile> openForAppend(const std::string& path, FsStatus& status) override;
    Size fileSize(const std::string& path) override;
};

}  // namespace kvx::platform::linux_backend
