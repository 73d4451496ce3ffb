#include "alarms/shutdown_launcher.h"

#include "launcher/shdnlnch.h"

namespace kvx::alarms {

struct ShutdownLauncher::Opened {
    std::unique_ptr<platform::SharedLibrary> handle;
    // The contract's own declarations check the types of what is looked up.
    decltype(&ShdnLocation) location = nullptr;
    decltype(&ShdnLaunch) launch = nullptr;
};

std::unique_ptr<ShutdownLauncher> ShutdownLauncher::load(platform::SharedLibraryLoader& loader,
                                                         const std::string& path) {
    std::unique_ptr<ShutdownLauncher> launcher(new ShutdownLauncher(loader, path));
    launcher->open(launcher->problem_);  // checked now, closed again at once
    return launcher;
}

ShutdownLauncher::~ShutdownLauncher() = default;

std::unique_ptr<ShutdownLauncher::Opened> ShutdownLauncher::open(std::string& problem) const {
    auto opened = std::make_unique<Opened>();
    opened->handle = loader_.open(path_, problem);
    if (!opened->handle) {
        if (problem.empty()) problem = "cannot open " + path_;
        return nullptr;
    }
    opened->location = reinterpret_cast<decltype(&ShdnLocation)>(opened->handle->symbol("ShdnLocation"));
    opened->launch = reinterpret_cast<decltype(&ShdnLaunch)>(opened->handle->symbol("ShdnLaunch"));
    if (!opened->location || !opened->launch) {
        problem = path_ + " lacks ShdnLocation or ShdnLaunch";
        return nullptr;
    }
    return opened;
}

std::string ShutdownLauncher::location() const {
    if (!loaded()) return {};
    std::string problem;
    auto opened = open(problem);
    if (!opened) return {};  // gone since start: not installed any more
    const char* text = opened->location();
    return text ? std::string(text) : std::string();  // copied before the library is closed
}

void ShutdownLauncher::launch(const std::string& switchText) const {
    if (!loaded()) return;
    std::string problem;
    auto opened = open(problem);
    if (!opened) return;
    int32_t status = 0;
    opened->launch(switchText.c_str(), &status);
}

}  // namespace kvx::alarms
