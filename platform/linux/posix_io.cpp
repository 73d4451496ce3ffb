#include "platform/linux/posix_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kvx::platform::linux_backend {

FsStatus errnoStatus(const char* operation, const std::string& path, int error) {
    FsStatus status;
    status.kind = error == ENOENT ? FsStatus::Kind::NotFound : FsStatus::Kind::Failed;
    status.message = std::string(operation) + " " + path + ": " + std::strerror(error);
    return status;
}

FsStatus writeAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            FsStatus status = errnoStatus("write", path, errno);
            status.kind = FsStatus::Kind::Failed;
            return status;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return FsStatus::success();
}

}  // namespace kvx::platform::linux_backend
