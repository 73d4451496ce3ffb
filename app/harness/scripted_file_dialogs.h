#pragma once
#include "app/harness/modal_answers.h"
#include "platform/file_dialogs.h"

namespace kvx::app {

// Open-file dialogs answered by the script: `answer FileDialog "PATH"` makes
// every later dialog choose PATH, `answer FileDialog ""` cancel. Without an
// answer the dialog goes to `person` (the desktop's real dialog), or, when no
// person is there, is cancelled.
class ScriptedFileDialogs final : public platform::FileDialogs {
public:
    static constexpr const char* kWindow = "FileDialog";

    ScriptedFileDialogs(const ModalAnswers& answers, platform::FileDialogs* person)
        : answers_(answers), person_(person) {}
    std::optional<std::string> chooseFile(platform::FileChoice choice, const std::string& startPath) override;

private:
    const ModalAnswers& answers_;
    platform::FileDialogs* person_;
};

}  // namespace kvx::app
