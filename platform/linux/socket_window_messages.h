#pragma once
#include <string>

#include "platform/window_messages.h"

namespace kvx::platform::linux_backend {

// The message bus on Unix datagram sockets: the receiver of a title is bound
// to "<folder>/<safeFileName(title)>", and each datagram is one message in the
// form of formatWindowMessage. The folder is kept at mode 0700, so only this
// user's processes can post. A socket file whose process has ended refuses
// connections; listen() finds such a file and replaces it. Checking and
// binding run under a flock on the folder, so two processes that listen to
// the same title at once cannot both win.
//
// A receiver holds at most the system's datagram queue length
// (net.unix.max_dgram_qlen, usually 10) unread messages; post() answers false
// beyond that.
class SocketWindowMessages final : public WindowMessages {
public:
    // `folder`: normally windowMessagesFolder(); created when missing.
    explicit SocketWindowMessages(std::string folder);
    ~SocketWindowMessages() override;
    SocketWindowMessages(const SocketWindowMessages&) = delete;
    SocketWindowMessages& operator=(const SocketWindowMessages&) = delete;

    std::unique_ptr<MessageReceiver> listen(const std::string& title, std::string& error) override;
    bool post(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) override;
    bool exists(const std::string& title) override;

    std::string socketPath(const std::string& title) const;

private:
    std::string folder_;
    int sender_ = -1;  // one unbound socket for every post, made on first use
};

}  // namespace kvx::platform::linux_backend
