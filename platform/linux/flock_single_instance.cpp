#include "platform/linux/flock_single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/private_folder.h"
#include "platform/linux/safe_file_name.h"

namespace kvx::platform::linux_backend {
namespace {

InstanceClaim failure(const std::string& operation, const std::string& path, int error) {
    return {InstanceClaim::Kind::Error, operation + " " + path + ": " + std::strerror(error)};
}

// For people looking at the folder; a failure here does not matter.
void recordHolder(int fd) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0) return;
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
}

}  // namespace

FlockSingleInstance::FlockSingleInstance(std::string folder) : folder_(std::move(folder)) {}

FlockSingleInstance::~FlockSingleInstance() {
    for (const auto& [name, fd] : held_) ::close(fd);
}

std::string FlockSingleInstance::lockPath(const std::string& name) const {
    return folder_ + "/" + safeFileName(name) + ".lock";
}

InstanceClaim FlockSingleInstance::acquire(const std::string& name) {
    if (name.empty()) return {InstanceClaim::Kind::Error, "an instance name must not be empty"};
    if (held_.count(name) != 0) return {InstanceClaim::Kind::Acquired, {}};

    std::string error;
    if (!ensurePrivateFolder(folder_, error)) return {InstanceClaim::Kind::Error, error};

    const std::string path = lockPath(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return failure("open", path, errno);

    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int cause = errno;
        ::close(fd);
        if (cause == EWOULDBLOCK) return {InstanceClaim::Kind::AnotherCopyRuns, {}};
        return failure("flock", path, cause);
    }
    recordHolder(fd);
    held_[name] = fd;
    return {InstanceClaim::Kind::Acquired, {}};
}

}  // namespace kvx::platform::linux_backend
