#pragma once
#include "platform/file_system.h"

#include <functional>

namespace kvx::platform::linux_backend {

// FileSystem on POSIX calls. Error messages carry strerror(errno).
class PosixFileSystem final : public FileSystem {
public:
    FileContent readFile(const std::string& path) override;
    FsStatus replaceFile(const std::string& path, std::string_view bytes) override;
    KeptAside moveAside(const std::string& path) override;
    KeptAside copyAside(const std::string& path) override;
    FsStatus createFolders(const std::string& path) override;
    bool exists(const std::string& path) override;
    FsStatus removeFile(const std::string& path) override;

    // Called by replaceFile once the temporary file is complete and flushed, just
    // before it is renamed over the target. Lets a test stop the process at the
    // one moment where both files exist.
    void setBeforeRenameHook(std::function<void(const std::string& tempPath)> hook) { beforeRename_ = std::move(hook); }

private:
    std::function<void(const std::string&)> beforeRename_;
};

}  // namespace kvx::platform::linux_backend
