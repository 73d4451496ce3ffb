#include "platform/linux/xdg_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/linux/install_layout.h"

namespace kvx::platform::linux_backend {
namespace fs = std::filesystem;

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string home() {
    std::string h = env("HOME");
    return h.empty() ? "/tmp" : h;
}

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool ensureFolder(const std::string& path, std::string& error) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec || !fs::is_directory(path)) {
        error = "cannot create folder " + path + ": " + (ec ? ec.message() : "not a folder");
        return false;
    }
    return true;
}

}  // namespace

std::string executablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return withSlash(fs::current_path().string());
    return withSlash(exe.parent_path().string());
}

bool resolveFolders(const std::string& programOverride, const std::string& configOverride, Folders& folders,
                    std::string& error) {
    folders.executable = executableFolder();
    const auto installed = installedLayout(folders.executable, KVX_SYSCONF_FROM_PREFIX);
    folders.libraries = installed ? installed->libraries : folders.executable;
    folders.data = installed ? installed->data : folders.executable;

    if (!programOverride.empty()) {
        folders.program = withSlash(fs::absolute(programOverride).lexically_normal().string());
    } else if (!installed && ::access(folders.executable.c_str(), W_OK) == 0) {
        folders.program = folders.executable;
    } else {
        std::string state = env("XDG_STATE_HOME");
        if (state.empty()) state = home() + "/.local/state";
        folders.program = withSlash(state + "/korvex");
    }

    std::string config = configOverride;
    if (config.empty()) config = env("KORVEX_CONFIG_DIR");
    if (config.empty()) {
        std::string base = env("XDG_CONFIG_HOME");
        if (base.empty()) base = home() + "/.config";
        config = base + "/korvex";
    }
    folders.config = fs::absolute(config).lexically_normal().string();
    while (folders.config.size() > 1 && folders.config.back() == '/') folders.config.pop_back();

    // A machine.reg in the configuration folder wins (a user's own, or a test's); an installed
    // program otherwise reads the system-wide one that the package puts in place.
    folders.machineHive = folders.config + "/machine.reg";
    std::error_code ec;
    if (installed && !fs::exists(folders.machineHive, ec)) folders.machineHive = installed->machineHive;

    return ensureFolder(folders.program, error) && ensureFolder(folders.config, error);
}

}  // namespace kvx::platform::linux_backend
