#pragma once
#include <string>
#include <vector>

#include "platform/program_launcher.h"

namespace kvx::platform::fake {

// Records what would be started and answers with a set outcome (started by
// default); nothing is run.
class FakeProgramLauncher final : public ProgramLauncher {
public:
    struct Launch {
        std::string file;
        std::string parameters;
        std::string workingFolder;
        friend bool operator==(const Launch&, const Launch&) = default;
    };

    using ProgramLauncher::launch;
    LaunchOutcome launch(const std::string& file, const std::string& parameters,
                         const std::string& workingFolder) override {
        launches_.push_back({file, parameters, workingFolder});
        return outcome_;
    }

    // Recorded as a launch without parameters or folder.
    LaunchOutcome openDocument(const std::string& path) override { return launch(path, {}, {}); }

    void answerWith(LaunchOutcome outcome) { outcome_ = std::move(outcome); }
    const std::vector<Launch>& launches() const { return launches_; }

private:
    LaunchOutcome outcome_{true, {}};
    std::vector<Launch> launches_;
};

}  // namespace kvx::platform::fake
