// libshdnlnch.so: the two calls of shdnlnch.h over machine.reg and the
// program's detached start (no shell).
#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/plugin/shutdown_location.h"
#include "launcher/shdnlnch.h"
#include "platform/linux/detached_spawn.h"

namespace {

// The text handed out by ShdnLocation, kept until the next call.
std::string& lastLocation() {
    static std::string text;
    return text;
}

std::string currentLocation() {
    std::string folder = kvx::launcher::configFolder();
    if (folder.empty()) return {};
    std::ifstream in(folder + "/machine.reg", std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return kvx::launcher::locationFromHive(text.str());
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
