#pragma once
#include <string>
#include <vector>

#include "platform/diagnostics.h"
#include "platform/message_box.h"
#include "platform/scheduler.h"

namespace kvx::app {

// Every message box shown, in order, for the state dump; each request is
// passed on to the real message boxes.
class MessageLog final : public platform::MessageBoxes {
public:
    struct Entry {
        int64_t timeMs;
        std::string title;
        std::string text;
    };

    MessageLog(platform::MessageBoxes& inner, const platform::Scheduler& clock) : inner_(inner), clock_(clock) {}
    std::string show(const platform::MessageBoxRequest& request) override;
    const std::vector<Entry>& entries() const { return entries_; }

private:
    platform::MessageBoxes& inner_;
    const platform::Scheduler& clock_;
    std::vector<Entry> entries_;
};

// Message boxes without a screen: the message goes to standard error as
// "korvex: TITLE: TEXT" ("korvex: TEXT" when the title is the program's name) and
// the box is answered from the script's `answer MessageBox` (a question agrees by default).
class HeadlessMessageBoxes final : public platform::MessageBoxes {
public:
    HeadlessMessageBoxes(platform::Scheduler& scheduler, const class ModalAnswers& answers, platform::Diagnostics& out)
        : scheduler_(scheduler), answers_(answers), out_(out) {}
    std::string show(const platform::MessageBoxRequest& request) override;

private:
    platform::Scheduler& scheduler_;
    const ModalAnswers& answers_;
    platform::Diagnostics& out_;
};

}  // namespace kvx::app
