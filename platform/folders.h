#pragma once
#include <string>

namespace kvx::platform {

// Where the program keeps its files.
struct Folders {
    // Home of the log files, with a trailing "/".
    std::string program;
    // Home of the settings hives (user.reg, machine.reg), without a trailing "/".
    std::string config;
    // The folder of the running executable, with a trailing "/".
    std::string executable;
    // The folder of the sensor libraries (libkvx.so, libkvx-sim.so), with a trailing "/": the
    // executable's folder in a build tree, <prefix>/lib/korvex/ when installed.
    std::string libraries;
    // The machine-wide hive: machine.reg in the configuration folder when there is one there,
    // else the installed system-wide one (/etc/korvex/machine.reg).
    std::string machineHive;
    // Read-only files that come with the program (the Help folder), with a trailing "/": the
    // executable's folder in a build tree, <prefix>/share/korvex/ when installed.
    std::string data;
};

}  // namespace kvx::platform
