#include "platform/fake/fake_window_messages.h"

namespace kvx::platform::fake {

class FakeReceiver final : public MessageReceiver {
public:
    FakeReceiver(FakeWindowMessages& bus, std::string title) : bus_(bus), title_(std::move(title)) {}
    ~FakeReceiver() override { bus_.queues_.erase(title_); }

    const std::string& title() const override { return title_; }
    int fd() const override { return -1; }

    std::optional<WindowMessage> receive() override {
        auto& queue = bus_.queues_[title_];
        if (queue.empty()) return std::nullopt;
        WindowMessage message = queue.front();
        queue.pop_front();
        return message;
    }

private:
    FakeWindowMessages& bus_;
    std::string title_;
};

std::unique_ptr<MessageReceiver> FakeWindowMessages::listen(const std::string& title, std::string& error) {
    if (title.empty()) {
        error = "a window title must not be empty";
        return nullptr;
    }
    if (queues_.count(title) != 0) {
        error = "window \"" + title + "\" is already listened to";
        return nullptr;
    }
    queues_[title];
    return std::make_unique<FakeReceiver>(*this, title);
}

bool FakeWindowMessages::post(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) {
    const WindowMessage message{number, wparam, lparam};
    const auto queue = queues_.find(title);
    const bool delivered = queue != queues_.end();
    if (delivered) queue->second.push_back(message);
    posted_.push_back({title, message, delivered});
    return delivered;
}

}  // namespace kvx::platform::fake
