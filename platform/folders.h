#pragma once
#include <string>

namespace kvx::platform {

// Where the program keeps its files.
struct Folders {
    // Home of the log files, with a trailing "/".
    std::string program;
    // Home of the settings hives (user.reg, machine.reg), without a trailing "/".
    std::string config;
    // The folder of the running executable, with a trailing "/" (the default sensor library lives there).
    std::string executable;
};

}  // namespace kvx::platform
