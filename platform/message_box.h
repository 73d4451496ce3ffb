#pragma once
#include <string>
#include <vector>

namespace kvx::platform {

enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageBoxRequest {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    // Button captions, left to right ("OK"; "Yes", "No"; ...).
    std::vector<std::string> buttons{"OK"};
};

// Shows a message and waits for the user's answer. Returns the caption of the
// button pressed (a closed box answers with the last button, as Escape does).
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual std::string show(const MessageBoxRequest& request) = 0;
};

}  // namespace kvx::platform
