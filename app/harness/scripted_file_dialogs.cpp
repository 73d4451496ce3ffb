#include "app/harness/scripted_file_dialogs.h"

namespace kvx::app {

std::optional<std::string> ScriptedFileDialogs::chooseFile(platform::FileChoice choice, const std::string& startPath) {
    if (auto answer = answers_.scriptedFor(kWindow)) {
        if (answer->button.empty()) return std::nullopt;
        return answer->button;
    }
    if (person_) return person_->chooseFile(choice, startPath);
    return std::nullopt;
}

}  // namespace kvx::app
