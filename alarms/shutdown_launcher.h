#pragma once
#include <memory>
#include <string>

#include "platform/shared_library.h"

namespace kvx::alarms {

// The shutdown launcher library (libshdnlnch.so, the calls of
// launcher/shdnlnch.h), opened at run time. A library that cannot be opened
// or lacks a call is "not installed": location() answers "" and launch()
// does nothing. No message either way.
//
// load() only checks the library; each call opens it for that call and closes
// it again, so a run that never shuts the machine down does not keep it mapped.
// `loader` must outlive the launcher.
class ShutdownLauncher {
public:
    static std::unique_ptr<ShutdownLauncher> load(platform::SharedLibraryLoader& loader, const std::string& path);
    ~ShutdownLauncher();

    bool loaded() const { return problem_.empty(); }
    // Why it is not loaded ("" when it is).
    const std::string& problem() const { return problem_; }
    // The shutdown program's location, copied at once; "" when not installed.
    std::string location() const;
    // Starts the shutdown program with `switchText`; the outcome is not reported.
    void launch(const std::string& switchText) const;

private:
    struct Opened;
    ShutdownLauncher(platform::SharedLibraryLoader& loader, std::string path)
        : loader_(loader), path_(std::move(path)) {}
    // The library and its two calls, or nothing (with `problem` set) when it cannot be used.
    std::unique_ptr<Opened> open(std::string& problem) const;

    platform::SharedLibraryLoader& loader_;
    std::string path_;
    std::string problem_;
};

}  // namespace kvx::alarms
