#include "platform/linux/posix_log_storage.h"
#include "platform/linux/posix_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kvx::platform::linux_backend {
namespace {

class PosixOpenLogFile final : public OpenLogFile {
public:
    PosixOpenLogFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixOpenLogFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    Tail readTail(std::size_t count) override {
        Tail tail;
        struct stat info {};
        if (::fstat(fd_, &info) != 0) {
            tail.status = errnoStatus("stat", path_, errno);
            return tail;
        }
        tail.fileSize = static_cast<std::uint64_t>(info.st_size);
        const std::uint64_t wanted = std::min<std::uint64_t>(count, tail.fileSize);
        tail.bytes.resize(static_cast<std::size_t>(wanted));
        std::size_t got = 0;
        while (got < tail.bytes.size()) {
            const auto at = static_cast<off_t>(tail.fileSize - wanted + got);
            const ssize_t n = ::pread(fd_, tail.bytes.data() + got, tail.bytes.size() - got, at);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                tail.status = errnoStatus("read", path_, errno);
                return tail;
            }
            if (n == 0) break;  // shrunk meanwhile by someone else: keep what is there
            got += static_cast<std::size_t>(n);
        }
        tail.bytes.resize(got);
        return tail;
    }

    FsStatus truncate(std::uint64_t length) override {
        if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) return errnoStatus("truncate", path_, errno);
        return FsStatus::success();
    }

    FsStatus append(std::string_view bytes) override { return writeAll(fd_, bytes, path_); }

    FsStatus close() override {
        const int fd = fd_;
        fd_ = -1;
        if (fd < 0) return errnoStatus("close", path_, EBADF);
        if (::close(fd) != 0) return errnoStatus("close", path_, errno);
        return FsStatus::success();
    }

private:
    int fd_;
    std::string path_;
};

// Whether another program holds a lock on the open file that conflicts with
// reading (`forWriting` false) or writing it: a POSIX record lock, as office
// programs take on the documents they have open, or a whole-file flock.
bool lockedByAnotherProgram(int fd, bool forWriting) {
    struct flock probe {};
    probe.l_type = forWriting ? F_WRLCK : F_RDLCK;
    probe.l_whence = SEEK_SET;
    if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) return true;
    // A flock can only be seen by trying to take one; ours is let go at once.
    if (::flock(fd, (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) return errno == EWOULDBLOCK;
    ::flock(fd, LOCK_UN);
    return false;
}

FsStatus lockedStatus(const std::string& path) {
    return {FsStatus::Kind::Failed, "open " + path + ": locked by another program"};
}

}  // namespace

LogStorage::Created PosixLogStorage::createFile(const std::string& path, std::string_view bytes, Existing existing) {
    Created result;
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (existing == Existing::Keep ? O_EXCL : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        if (existing == Existing::Keep && errno == EEXIST) return result;  // ok, not created
        result.status = errnoStatus("create", path, errno);
        result.status.kind = FsStatus::Kind::Failed;  // a missing folder is a failure to create, not "no file"
        return result;
    }
    result.status = writeAll(fd, bytes, path);
    if (::close(fd) != 0 && result.status.ok()) result.status = errnoStatus("close", path, errno);
    if (!result.status.ok()) {
        ::unlink(path.c_str());  // ours: created or emptied just above
        result.status.kind = FsStatus::Kind::Failed;
        return result;
    }
    result.created = true;
    return result;
}

std::unique_ptr<OpenLogFile> PosixLogStorage::openForAppend(const std::string& path, FsStatus& status) {
    // O_APPEND: every write lands at the current end, also after a truncate.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        status = errnoStatus("open", path, errno);
        return nullptr;
    }
    if (lockedByAnotherProgram(fd, true)) {
        ::close(fd);
        status = lockedStatus(path);
        return nullptr;
    }
    status = FsStatus::success();
    return std::make_unique<PosixOpenLogFile>(fd, path);
}

LogStorage::Size PosixLogStorage::fileSize(const std::string& path) {
    Size result;
    // Opened for reading, as a reader would: a file nobody may read has no size to show.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = errnoStatus("open", path, errno);
        return result;
    }
    struct stat info {};
    if (lockedByAnotherProgram(fd, false)) result.status = lockedStatus(path);
    else if (::fstat(fd, &info) != 0) result.status = errnoStatus("stat", path, errno);
    else result.bytes = static_cast<std::uint64_t>(info.st_size);
    ::close(fd);
    return result;
}

}  // namespace kvx::platform::linux_backend
