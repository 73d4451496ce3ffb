#include "platform/linux/detached_program_launcher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/linux/detached_spawn.h"

namespace kvx::platform::linux_backend {
namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The folder changes in the started process, so relative paths must not.
std::string absolute(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(path, ignored);
    return full.empty() ? path : full.string();
}

}  // namespace

bool looksLikeUrl(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) return false;  // "C:" is no scheme
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

std::string findProgram(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
    const char* pathVariable = std::getenv("PATH");
    const std::string searchPath = pathVariable != nullptr ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = searchPath.find(':', start);
        const std::string folder = searchPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
        // An empty PATH entry means the working folder.
        std::string candidate = folder.empty() ? "./" + name : folder + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

DetachedProgramLauncher::DetachedProgramLauncher(std::string opener) : opener_(std::move(opener)) {}

LaunchOutcome DetachedProgramLauncher::launch(const std::string& file, const std::string& parameters,
                                              const std::string& workingFolder) {
    if (file.empty()) return {false, "no program or document given"};

    const bool isPath = file.find('/') != std::string::npos;
    struct stat info {};
    const bool present = ::stat(file.c_str(), &info) == 0;
    const int statError = errno;

    if (!present && looksLikeUrl(file)) return open(file, workingFolder);

    std::string program;
    if (present && S_ISREG(info.st_mode) && ::access(file.c_str(), X_OK) == 0 && isPath) program = absolute(file);
    else if (!isPath) program = findProgram(file);  // a bare name is a command first, as on a command line
    if (!program.empty()) {
        std::vector<std::string> arguments = splitParameters(parameters);
        arguments.insert(arguments.begin(), file);
        return spawnDetached(program, arguments, workingFolder);
    }

    if (present) return open(absolute(file), workingFolder);
    if (!isPath) return {false, "cannot start " + file + ": no such file or command in PATH"};
    return {false, "cannot start " + file + ": " + std::strerror(statError)};
}

LaunchOutcome DetachedProgramLauncher::openDocument(const std::string& path) {
    if (path.empty()) return {false, "no document given"};
    return open(absolute(path), std::string());
}

LaunchOutcome DetachedProgramLauncher::open(const std::string& target, const std::string& workingFolder) {
    const std::string opener = findProgram(opener_);
    if (opener.empty()) return {false, "cannot open " + target + ": " + opener_ + " is not installed"};
    return spawnDetached(opener, {opener_, target}, workingFolder);
}

}  // namespace kvx::platform::linux_backend
