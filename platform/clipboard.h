#pragma once
#include <string>

namespace kvx::platform {

// The desktop's clipboard. Calls come from the user-interface thread.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's text with `text` (UTF-8).
    virtual void setText(const std::string& text) = 0;
};

}  // namespace kvx::platform
