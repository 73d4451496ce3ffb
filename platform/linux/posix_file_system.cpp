#include "platform/linux/posix_file_system.h"
#include "platform/linux/posix_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace kvx::platform::linux_backend {
namespace {

FsStatus failed(const char* operation, const std::string& path, int error) {
    FsStatus status = errnoStatus(operation, path, error);
    status.kind = FsStatus::Kind::Failed;
    return status;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A rename or new name is durable only once the folder's entry list is on disk.
FsStatus syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return failed("open folder", folder, errno);
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL) error = errno;  // some file systems cannot sync folders
    ::close(fd);
    if (error != 0) return failed("fsync folder", folder, error);
    return FsStatus::success();
}

// New files are created exclusively and never through a symbolic link: a name
// that is already taken, a planted link included, fails the open with EEXIST.
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// The temporary file of a replacement. Whatever already holds its name is left
// over from a save that crashed, or was put there; it is removed first (unlink
// removes a link itself, never what it points to) and the name created anew.
// A folder there cannot be unlinked and fails the save.
int createTemporary(const std::string& path) {
    const int fd = ::open(path.c_str(), kNewFileFlags, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
    return ::open(path.c_str(), kNewFileFlags, 0666);
}

// Writes a new file and flushes it. `temporary`: the name may hold a leftover to
// clear away first; otherwise an existing name fails with EEXIST.
FsStatus writeFlushed(const std::string& path, std::string_view bytes, mode_t mode, bool temporary) {
    const int fd = temporary ? createTemporary(path) : ::open(path.c_str(), kNewFileFlags, 0666);
    if (fd < 0) return failed("create", path, errno);
    FsStatus status = FsStatus::success();
    if (mode != 0 && ::fchmod(fd, mode) != 0) status = failed("chmod", path, errno);
    if (status.ok()) status = writeAll(fd, bytes, path);
    if (status.ok() && ::fsync(fd) != 0) status = failed("fsync", path, errno);
    if (::close(fd) != 0 && status.ok()) status = failed("close", path, errno);
    if (!status.ok()) ::unlink(path.c_str());  // ours: created exclusively above
    return status;
}

// The file a symbolic link points to, so that a linked settings file stays linked.
std::string resolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string asideName(const std::string& path, int attempt) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = path + ".bad-" + stamp;
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name;
}

constexpr int kMaxAsideAttempts = 1000;

// Renames without replacing an existing file.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // File systems without RENAME_NOREPLACE: a hard link also refuses to replace.
    if (::link(from.c_str(), to.c_str()) != 0) return errno;
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return error;
    }
    return 0;
}

}  // namespace

FileContent PosixFileSystem::readFile(const std::string& path) {
    FileContent content;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        content.status = errnoStatus("open", path, errno);
        return content;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            content.status = failed("read", path, errno);
            content.bytes.clear();
            break;
        }
        if (got == 0) break;
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return content;
}

FsStatus PosixFileSystem::replaceFile(const std::string& requestedPath, std::string_view bytes) {
    const std::string path = resolveLink(requestedPath);
    const std::string tempPath = path + ".tmp";

    mode_t mode = 0;  // a new file gets the usual 0666 less the umask
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;

    FsStatus status = writeFlushed(tempPath, bytes, mode, true);
    if (!status.ok()) return status;
    if (beforeRename_) beforeRename_(tempPath);
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        status = failed("rename", tempPath, errno);
        ::unlink(tempPath.c_str());
        return status;
    }
    return syncFolder(folderOf(path));
}

KeptAside PosixFileSystem::moveAside(const std::string& path) {
    KeptAside result;
    for (int attempt = 1; attempt <= kMaxAsideAttempts; ++attempt) {
        const std::string target = asideName(path, attempt);
        const int error = renameNoReplace(path, target);
        if (error == EEXIST) continue;
        if (error != 0) {
            result.status = failed("rename", path, error);
            return result;
        }
        result.path = target;
        result.status = syncFolder(folderOf(path));
        return result;
    }
    result.status = failed("rename", path, EEXIST);
    return result;
}

KeptAside PosixFileSystem::copyAside(const std::string& path) {
    KeptAside result;
    FileContent content = readFile(path);
    if (!content.status.ok()) {
        result.status = content.status;
        return result;
    }
    struct stat info {};
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
    for (int attempt = 1; attempt <= kMaxAsideAttempts; ++attempt) {
        const std::string target = asideName(path, attempt);
        if (exists(target)) continue;
        // O_EXCL: even a file that appeared just now is never overwritten.
        result.status = writeFlushed(target, content.bytes, mode, false);
        if (!result.status.ok()) return result;
        result.path = target;
        result.status = syncFolder(folderOf(path));
        return result;
    }
    result.status = failed("create", path, EEXIST);
    return result;
}

FsStatus PosixFileSystem::createFolders(const std::string& path) {
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = path.find('/', position + 1);
        const std::string prefix = path.substr(0, position);
        if (prefix.empty()) continue;
        if (::mkdir(prefix.c_str(), 0777) == 0) continue;
        const int error = errno;
        struct stat info {};
        if (error == EEXIST && ::stat(prefix.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) continue;
        return failed("mkdir", prefix, error == EEXIST ? ENOTDIR : error);
    }
    return FsStatus::success();
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

FsStatus PosixFileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return FsStatus::success();
    int error = errno;
    FsStatus status;
    status.kind = error == ENOENT ? FsStatus::Kind::NotFound : FsStatus::Kind::Failed;
    status.message = "delete " + path + ": " + std::strerror(error);
    return status;
}

}  // namespace kvx::platform::linux_backend
