#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/window_set.h"

namespace kvx::app {

// One line of a script: `at SECONDS COMMAND ARGS`.
struct ScriptCommand {
    enum class Verb { Click, Set, Select, Up, Down, Slide, Popup, DoubleClick, Answer, Dump, Press, Release };
    int line = 0;
    int64_t atMs = 0;
    Verb verb = Verb::Click;
    std::string target;   // control or window name; the file for dump
    std::string text;     // set: the text; answer: the button caption
    int number = 0;       // select: the index; slide: the position
    int64_t afterMs = 0;  // answer: the delay before the button is pressed
};

struct LoadedScript {
    std::vector<ScriptCommand> commands;
    // "FILE:LINE: reason" for the first bad line; empty when the script is good.
    std::string error;
};

// Parses a script and checks every name against the windows, so that a
// mistake is reported before anything runs.
LoadedScript parseScript(std::string_view text, std::string_view fileName, const ui::WindowSet& windows);

}  // namespace kvx::app
