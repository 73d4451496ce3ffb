// libshdnlnch.so: the two calls of shdnlnch.h over machine.reg and the
// program's detached start (no shell).
#include <dlfcn.h>

#include <cerrno>
#include <string>
#include <vector>

#include "launcher/plugin/shutdown_location.h"
#include "launcher/shdnlnch.h"
#include "platform/linux/detached_spawn.h"
#include "platform/linux/install_layout.h"
#include "platform/linux/posix_file_system.h"

namespace {

// The text handed out by ShdnLocation, kept until the next call.
std::string& lastLocation() {
    static std::string text;
    return text;
}

// The machine-wide hive of an installed Korvex (/etc/korvex/machine.reg for the
// prefix /usr), found from where this library lies (<prefix>/lib/korvex/);
// empty in a build tree.
std::string machineWideHive() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&machineWideHive), &info) || !info.dli_fname) return {};
    std::string own = info.dli_fname;
    own.erase(own.find_last_of('/') + 1);
    auto layout = kvx::platform::linux_backend::installedLayout(own + "../../bin/", KVX_SYSCONF_FROM_PREFIX);
    return layout ? layout->machineHive : std::string();
}

std::string currentLocation() {
    // A user's own machine.reg wins over the machine-wide one, as in the program.
    // Read with the program's own file helper: a file stream would build the C++
    // locale inside korvex, which asks for the location when it starts.
    kvx::platform::linux_backend::PosixFileSystem files;
    std::string folder = kvx::launcher::configFolder();
    kvx::platform::FileContent hive;
    hive.status.kind = kvx::platform::FsStatus::Kind::NotFound;
    if (!folder.empty()) hive = files.readFile(folder + "/machine.reg");
    if (!hive.status.ok())
        if (std::string wide = machineWideHive(); !wide.empty()) hive = files.readFile(wide);
    if (!hive.status.ok()) return {};
    return kvx::launcher::locationFromHive(hive.bytes);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* ShdnLocation(void) {
    try {
        lastLocation() = currentLocation();
    } catch (...) {  // nothing may cross the C boundary; a failed read is "not installed"
        lastLocation().clear();
    }
    return lastLocation().c_str();
}

extern "C" __attribute__((visibility("default"))) int32_t ShdnLaunch(const char* switchText, int32_t* status) {
    int32_t result = 0;
    try {
        std::string path = currentLocation();
        if (path.empty()) {
            result = ENOENT;
        } else {
            std::vector<std::string> arguments{path};
            if (switchText && *switchText) arguments.emplace_back(switchText);
            auto outcome = kvx::platform::linux_backend::spawnDetached(path, arguments, std::string());
            result = outcome.started ? 0 : EIO;
        }
    } catch (...) {  // nothing may cross the C boundary
        result = EIO;
    }
    if (status) *status = result;
    return result;
}
