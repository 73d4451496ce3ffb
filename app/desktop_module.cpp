#include "app/desktop_module.h"

#include <filesystem>
#include <memory>

namespace kvx::app {

std::vector<std::string> desktopModuleCandidates(const std::string& executablePath) {
    const std::filesystem::path folder = std::filesystem::path(executablePath).parent_path();
    return {(folder / kDesktopModuleName).lexically_normal().string(),
            (folder / ".." / "lib" / "korvex" / kDesktopModuleName).lexically_normal().string()};
}

int runDesktopModule(platform::SharedLibraryLoader& loader, const std::vector<std::string>& candidates, int argc,
                     char** argv, const Options& options, ProgramContext& context, platform::Diagnostics& diagnostics) {
    for (const std::string& path : candidates) {
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored)) continue;
        std::string error;
        std::unique_ptr<platform::SharedLibrary> module = loader.open(path, error);
        if (!module) {
            diagnostics << "korvex: cannot load the desktop module: " << error << "\n";
            return kExitBadInput;
        }
        auto entry = reinterpret_cast<DesktopEntry>(module->symbol(kDesktopEntrySymbol));
        if (!entry) {
            diagnostics << "korvex: the desktop module " << path << " lacks " << kDesktopEntrySymbol << "\n";
            return kExitBadInput;
        }
        // Kept loaded until exit on purpose (see the header). The static keeps it reachable, so
        // that leak checkers do not report it; volatile, so that the store is not optimised away.
        [[maybe_unused]] static platform::SharedLibrary* volatile kept = nullptr;
        kept = module.release();
        return entry(argc, argv, options, context);
    }
    diagnostics << "korvex: the desktop module " << kDesktopModuleName << " is missing (looked for";
    for (const std::string& path : candidates) diagnostics << " " << path;
    diagnostics << "); korvex --headless runs without it\n";
    return kExitBadInput;
}

}  // namespace kvx::app
