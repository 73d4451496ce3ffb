#pragma once
#include <string>

#include "platform/program_launcher.h"

namespace kvx::platform::linux_backend {

// ProgramLauncher for a Linux desktop. What runs:
// - `file` names an existing executable regular file (a path with '/', or a
//   bare name found in PATH): that program, argv = the file and the split
//   parameters; no shell is involved, so nothing in them is expanded.
// - `file` names an existing document or folder, or is a URL ("scheme:...",
//   scheme of two or more characters): `opener` with the file (made absolute)
//   or URL as its one argument.
// - otherwise nothing: "no such file".
// Programs are started with spawnDetached.
class DetachedProgramLauncher final : public ProgramLauncher {
public:
    // `opener`: the desktop's opener, a path or a name looked up in PATH.
    explicit DetachedProgramLauncher(std::string opener = "xdg-open");

    using ProgramLauncher::launch;
    LaunchOutcome launch(const std::string& file, const std::string& parameters,
                         const std::string& workingFolder) override;
    LaunchOutcome openDocument(const std::string& path) override;

private:
    LaunchOutcome open(const std::string& target, const std::string& workingFolder);

    std::string opener_;
};

// The executable regular file that `name` runs as a command: `name` itself
// when it holds a '/', else the first match in PATH. Empty when none.
std::string findProgram(const std::string& name);

// Whether `text` starts like a URL: a scheme of two or more characters
// (letter, then letters, digits, '+', '-', '.') and a ':'.
bool looksLikeUrl(const std::string& text);

}  // namespace kvx::platform::linux_backend
