#pragma once
#include <functional>

#include "platform/message_box.h"

class QMessageBox;

namespace kvx::platform::qt {

// Real message boxes, modal, with the requested buttons. A box has an event
// loop of its own, so the end of the session (`closeOpen`) must close it: else
// a SIGTERM while a box waits for a person would leave the program running.
// Once the session is ending (`ending` true) no new box is shown; each then
// gets its last button, the one Escape would press.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(std::function<bool()> ending = {}) : ending_(std::move(ending)) {}
    std::string show(const MessageBoxRequest& request) override;
    void closeOpen();

private:
    std::function<bool()> ending_;
    QMessageBox* open_ = nullptr;
};

}  // namespace kvx::platform::qt
