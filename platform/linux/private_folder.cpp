#include "platform/linux/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kvx::platform::linux_backend {

bool ensurePrivateFolder(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "no folder given for locks and sockets";
        return false;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "mkdir " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        error = "stat " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = path + " is not a folder";
        return false;
    }
    // Another user's folder in a shared place such as /tmp could see or
    // replace our sockets; refuse it.
    if (info.st_uid != ::getuid()) {
        error = path + " belongs to another user (uid " + std::to_string(info.st_uid) + ")";
        return false;
    }
    if ((info.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) {
        error = "chmod " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string runtimeFolder(std::string& error) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    // Relative values are invalid by the base-directory rules and are ignored.
    if (runtime != nullptr && runtime[0] == '/') return runtime;
    std::string fallback = "/tmp/korvex-" + std::to_string(::getuid());
    if (!ensurePrivateFolder(fallback, error)) return {};
    return fallback;
}

std::string lockFolder(const std::string& runtime) { return runtime + "/korvex-lock"; }

std::string windowMessagesFolder(const std::string& runtime) { return runtime + "/korvex-windows"; }

}  // namespace kvx::platform::linux_backend
