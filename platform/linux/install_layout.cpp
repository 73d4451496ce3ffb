#include "platform/linux/install_layout.h"

#include <filesystem>
#include <system_error>

namespace kvx::platform::linux_backend {
namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

}  // namespace

std::optional<InstallLayout> installedLayout(const std::string& executableFolder,
                                             const std::string& sysconfFromPrefix) {
    fs::path folder = fs::path(executableFolder).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    if (folder.filename() != "bin") return std::nullopt;
    const fs::path prefix = folder.parent_path();
    std::error_code ec;
    if (!fs::is_directory(prefix / "lib" / "korvex", ec)) return std::nullopt;

    InstallLayout layout;
    layout.prefix = withSlash(prefix.string());
    layout.libraries = withSlash((prefix / "lib" / "korvex").string());
    layout.data = withSlash((prefix / "share" / "korvex").string());
    // An absolute folder stays as it is: prefix / "/etc" is "/etc".
    const fs::path sysconf = (prefix / sysconfFromPrefix).lexically_normal();
    layout.machineHive = (sysconf / "korvex" / "machine.reg").string();
    return layout;
}

}  // namespace kvx::platform::linux_backend
