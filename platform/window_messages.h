#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kvx::platform {

// Private messages between the program's windows and outside programs, each
// window addressed by its title, the way desktop programs post numbered
// messages to a window they found by title.

// Asks the running copy to bring its main window forward: shown normally when
// minimised or hidden, else raised to the foreground. A second copy posts it
// to the title "Korvex" before it ends. Both parameters are 0.
// 0x8200 lies in the range for programs' own messages and clear of the
// numbers other programs use with the main window (0x8000, 0x8190-0x8192).
inline constexpr uint32_t kComeForwardMessage = 0x8200;  // 33280

// The platform's close request (asks a window to close as its close box does).
inline constexpr uint32_t kCloseMessage = 16;

struct WindowMessage {
    uint32_t number = 0;
    int64_t wparam = 0;
    int64_t lparam = 0;

    friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

// The wire form of a message: "number wparam lparam", decimal, single blanks,
// no line end. parseWindowMessage accepts exactly that form (a '-' sign on the
// parameters, nothing else) and answers nullopt for anything else.
std::string formatWindowMessage(const WindowMessage& message);
std::optional<WindowMessage> parseWindowMessage(std::string_view text);

// The messages posted to one title, received in the order they were posted.
// Owned by the caller of listen(); while it lives, the title exists for
// post() and exists(). Destroying it stops listening.
class MessageReceiver {
public:
    virtual ~MessageReceiver() = default;

    virtual const std::string& title() const = 0;

    // A descriptor that becomes readable while messages are pending, for an
    // event loop to watch; -1 when the receiver has none (test fakes). Owned
    // by the receiver: never close it, and stop watching it before the
    // receiver is destroyed.
    virtual int fd() const = 0;

    // The next pending message, or nullopt at once when none is pending.
    // Never blocks. Malformed messages from outside are dropped silently.
    // Call it until it answers nullopt each time fd() becomes readable.
    virtual std::optional<WindowMessage> receive() = 0;
};

// The local message bus of the user's session. Titles are any non-empty text.
// Calls come from one thread.
class WindowMessages {
public:
    virtual ~WindowMessages() = default;

    // Starts listening under `title`. Returns nullptr with a one-line reason in
    // `error` when the title is empty or already listened to by a live
    // receiver (in any process), or the bus cannot be reached. A title left
    // behind by a process that ended without closing its receiver is taken
    // over.
    virtual std::unique_ptr<MessageReceiver> listen(const std::string& title, std::string& error) = 0;

    // Queues a message for the receiver of `title` and returns at once, without
    // waiting for it to be read. False when nobody listens under that title or
    // its queue is full (the message is then lost).
    virtual bool post(const std::string& title, uint32_t number, int64_t wparam, int64_t lparam) = 0;

    // Whether a live receiver listens under `title`.
    virtual bool exists(const std::string& title) = 0;
};

}  // namespace kvx::platform
