#include "platform/linux/socket_window_messages.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/private_folder.h"
#include "platform/linux/safe_file_name.h"

namespace kvx::platform::linux_backend {
namespace {

// Longer datagrams are not messages; they are read whole and dropped.
constexpr std::size_t kMaxMessageLength = 80;

std::string systemError(const std::string& operation, const std::string& path, int error) {
    return operation + " " + path + ": " + std::strerror(error);
}

bool makeAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int datagramSocket(int extraFlags = 0) { return ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | extraFlags, 0); }

// Whether a live socket is bound at `address`: 0 = yes, otherwise the errno of
// connect (ECONNREFUSED for a file left by a process that ended, ENOENT for none).
int probe(const sockaddr_un& address) {
    const int fd = datagramSocket();
    if (fd < 0) return errno;
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int error = result == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// Serialises check-and-bind and check-and-unlink among processes.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

class SocketReceiver final : public MessageReceiver {
public:
    SocketReceiver(int fd, std::string title, std::string folder, std::string path, const struct stat& bound)
        : fd_(fd), title_(std::move(title)), folder_(std::move(folder)), path_(std::move(path)), bound_(bound) {}

    ~SocketReceiver() override {
        FolderLock lock(folder_);
        // Remove the file only while it is still ours: a later listener may
        // have replaced it already.
        struct stat now {};
        if (::lstat(path_.c_str(), &now) == 0 && sameFile(now, bound_)) ::unlink(path_.c_str());
        ::close(fd_);
    }

    const std::string& title() const override { return title_; }
    int fd() const override { return fd_; }

    std::optional<WindowMessage> receive() override {
        char buffer[kMaxMessageLength + 1];
        for (;;) {
            // MSG_TRUNC: the result is the datagram's full length, so an
            // overlong one is recognised instead of parsed cut short.
            const ssize_t length = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
            if (length < 0) {
                if (errno == EINTR) continue;
                return std::nullopt;  // EAGAIN: nothing pending
            }
            if (static_cast<std::size_t>(length) > kMaxMessageLength) continue;
            if (auto message = parseWindowMessage(std::string_view(buffer, static_cast<std::size_t>(length))))
                return message;
        }
    }

private:
    int fd_;
    std::string title_;
    std::string folder_;
    std::string path_;
    struct stat bound_;
};

}  // namespace

SocketWindowMessages::SocketWindowMessages(std::string folder) : folder_(std::move(folder)) {}

SocketWindowMessages::~SocketWindowMessages() {
    if (sender_ >= 0) ::close(sender_);
}

std::string SocketWindowMessages::socketPath(const std::string& title) const {
    return folder_ + "/" + safeFileName(title);
}

std::unique_ptr<MessageReceiver> SocketWindowMessages::listen(const std::string& title, std::string& error) {
    if (title.empty()) {
        error = "a window title must not be empty";
        return nullptr;
    }
    if (!ensurePrivateFolder(folder_, error)) return nullptr;
    const std::string path = socketPath(title);
    sockaddr_un address;
    if (!makeAddress(path, address)) {
        error = "socket path too long: " + path;
        return nullptr;
    }

    FolderLock lock(folder_);
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error = path + " exists and is not a socket";
            return nullptr;
        }
        const int answer = probe(address);
        if (answer == 0) {
            error = "window \"" + title + "\" is already listened to (" + path + ")";
            return nullptr;
        }
        if (answer != ECONNREFUSED) {
            error = systemError("connect", path, answer);
            return nullptr;
        }
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {  // left by a process that ended
            error = systemError("unlink", path, errno);
            return nullptr;
        }
    } else if (errno != ENOENT) {
        error = systemError("stat", path, errno);
        return nullptr;
    }

    const int fd = datagramSocket(SOCK_NONBLOCK);
    if (fd < 0) {
        error = systemError("socket", path, errno);
        return nullptr;
    }
    struct stat bound {};
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::lstat(path.c_str(), &bound) != 0) {
        error = systemError("bind", path, errno);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<SocketReceiver>(fd, title, folder_, path, bound);
}

bool SocketWindowMessages::post(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) {
    if (title.empty()) return false;
    sockaddr_un address;
    if (!makeAddress(socketPath(title), address)) return false;
    if (sender_ < 0) sender_ = datagramSocket();
    if (sender_ < 0) return false;
    const std::string text = formatWindowMessage({number, wparam, lparam});
    ssize_t sent;
    do {
        // MSG_DONTWAIT: a receiver that does not read makes this fail, never wait.
        sent = ::sendto(sender_, text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(text.size());
}

bool SocketWindowMessages::exists(const std::string& title) {
    if (title.empty()) return false;
    sockaddr_un address;
    return makeAddress(socketPath(title), address) && probe(address) == 0;
}

}  // namespace kvx::platform::linux_backend
