#pragma once
#include <string>

namespace kvx::lmsensors {

// The whole content of a small file (sysfs attributes, the override hive).
// `opened` is false when the file could not be opened; `complete` is false when
// a read failed part-way, and `text` then holds what came before the failure.
// Plain stdio: a file stream would build the C++ locale, which this library
// otherwise never needs while the program rests.
struct FileText {
    bool opened = false;
    bool complete = false;
    std::string text;
};
FileText readFileText(const std::string& path);

// The first line of a file without its "\n"; empty when the file cannot be read.
std::string firstLineOf(const std::string& path);

}  // namespace kvx::lmsensors
