#include "alarms/shutdown_launcher.h"

#include "launcher/shdnlnch.h"

namespace kvx::alarms {

std::unique_ptr<ShutdownLauncher> ShutdownLauncher::load(platform::SharedLibraryLoader& loader,
                                                         const std::string& path) {
    std::unique_ptr<ShutdownLauncher> launcher(new ShutdownLauncher());
    launcher->handle_ = loader.open(path, launcher->problem_);
    if (!launcher->handle_) return launcher;
    // The contract's own declarations check the types of what is looked up.
    auto location = reinterpret_cast<decltype(&ShdnLocation)>(launcher->handle_->symbol("ShdnLocation"));
    auto launch = reinterpret_cast<decltype(&ShdnLaunch)>(launcher->handle_->symbol("ShdnLaunch"));
    if (!location || !launch) {
        launcher->problem_ = path + " lacks ShdnLocation or ShdnLaunch";
        return launcher;
    }
    launcher->location_ = location;
    launcher->launch_ = launch;
    return launcher;
}

ShutdownLauncher::~ShutdownLauncher() = default;

std::string ShutdownLauncher::location() const {
    if (!loaded()) return {};
    const char* text = location_();
    return text ? std::string(text) : std::string();
}

void ShutdownLauncher::launch(const std::string& switchText) const {
    if (!loaded()) return;
    int32_t status = 0;
    launch_(switchText.c_str(), &status);
}

}  // namespace kvx::alarms
