#pragma once
#include <optional>
#include <string>

namespace kvx::platform {

// What an open-file dialog offers.
enum class FileChoice {
    Program,  // files that can be run (on Linux: those with an execute permission)
    Wave,     // wave sounds, *.wav
};

// Asks the user for one existing file. The call returns when the dialog is
// closed: the chosen file's full path, or nullopt when it was cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> chooseFile(FileChoice choice, const std::string& startPath) = 0;
};

}  // namespace kvx::platform
