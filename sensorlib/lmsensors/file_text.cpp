#include "sensorlib/lmsensors/file_text.h"

#include <cstdio>

namespace kvx::lmsensors {

FileText readFileText(const std::string& path) {
    FileText result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return result;
    result.opened = true;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) result.text.append(buffer, got);
    result.complete = !std::ferror(file);
    std::fclose(file);
    return result;
}

std::string firstLineOf(const std::string& path) {
    std::string text = readFileText(path).text;
    const std::size_t end = text.find('\n');
    if (end != std::string::npos) text.resize(end);
    return text;
}

}  // namespace kvx::lmsensors
