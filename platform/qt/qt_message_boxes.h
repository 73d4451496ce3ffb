#pragma once
#include "platform/message_box.h"

namespace kvx::platform::qt {

// Real message boxes, modal, with the requested buttons.
class QtMessageBoxes final : public MessageBoxes {
public:
    std::string show(const MessageBoxRequest& request) override;
};

}  // namespace kvx::platform::qt
