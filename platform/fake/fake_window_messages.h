#pragma once
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window_messages.h"

namespace kvx::platform::fake {

// The message bus in memory, for unit tests: receivers have no descriptor
// (fd() is -1), so tests call receive() themselves. Every post() is recorded,
// delivered or not. A receiver must not outlive the bus.
class FakeWindowMessages final : public WindowMessages {
public:
    struct Posted {
        std::string title;
        WindowMessage message;
        bool delivered = false;
    };

    std::unique_ptr<MessageReceiver> listen(const std::string& title, std::string& error) override;
    bool post(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) override;
    bool exists(const std::string& title) override { return queues_.count(title) != 0; }

    // Makes `title` exist as if another program listened to it; its messages
    // are then only recorded.
    void addOutsideWindow(const std::string& title) { queues_[title]; }
    void removeOutsideWindow(const std::string& title) { queues_.erase(title); }

    const std::vector<Posted>& posted() const { return posted_; }

private:
    friend class FakeReceiver;
    std::map<std::string, std::deque<WindowMessage>> queues_;
    std::vector<Posted> posted_;
};

}  // namespace kvx::platform::fake
