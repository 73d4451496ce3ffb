#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kvx::app {

// How modal windows and question boxes are answered when no person is there:
// set by the script's `answer` command, with defaults for the rest.
class ModalAnswers {
public:
    struct Answer {
        std::string button;  // caption of the button to press; empty = let the window run out
        int64_t afterMs = 0;
    };

    static constexpr const char* kMessageBox = "MessageBox";

    ModalAnswers();
    // Every later showing of `window` is answered so, until changed.
    void set(std::string_view window, Answer answer);
    // The answer for a window; nullopt means "its first closing button, at once".
    std::optional<Answer> forWindow(std::string_view window) const;
    // Only what a script set, without the defaults: on the desktop a person answers the rest.
    std::optional<Answer> scriptedFor(std::string_view window) const;

private:
    std::map<std::string, Answer> answers_;   // set by scripts, by folded window name
    std::map<std::string, Answer> defaults_;  // when no person is there
};

// Captions compared as a person reads them: without the "&" accelerator marks and case.
bool sameCaption(std::string_view a, std::string_view b);

}  // namespace kvx::app
