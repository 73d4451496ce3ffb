#pragma once
#include <memory>
#include <string>

#include "platform/shared_library.h"

namespace kvx::alarms {

// The shutdown launcher library (libshdnlnch.so, the calls of
// launcher/shdnlnch.h), opened at run time. A library that cannot be opened
// or lacks a call is "not installed": location() answers "" and launch()
// does nothing. No message either way.
class ShutdownLauncher {
public:
    static std::unique_ptr<ShutdownLauncher> load(platform::SharedLibraryLoader& loader, const std::string& path);
    ~ShutdownLauncher();

    bool loaded() const { return location_ != nullptr && launch_ != nullptr; }
    // Why it is not loaded ("" when it is).
    const std::string& problem() const { return problem_; }
    // The shutdown program's location, copied at once; "" when not installed.
    std::string location() const;
    // Starts the shutdown program with `switchText`; the outcome is not reported.
    void launch(const std::string& switchText) const;

private:
    ShutdownLauncher() = default;

    std::unique_ptr<platform::SharedLibrary> handle_;
    const char* (*location_)() = nullptr;
    int32_t (*launch_)(const char*, int32_t*) = nullptr;
    std::string problem_;
};

}  // namespace kvx::alarms
