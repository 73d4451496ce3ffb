#pragma once
#include "platform/clipboard.h"

namespace kvx::platform::qt {

// The clipboard of the running QGuiApplication.
class QtClipboard final : public Clipboard {
public:
    void setText(const std::string& text) override;
};

}  // namespace kvx::platform::qt
