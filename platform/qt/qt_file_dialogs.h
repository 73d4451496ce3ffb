#pragma once
#include "platform/file_dialogs.h"

namespace kvx::platform::qt {

// Qt's own open-file dialog, modal over the whole application.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> chooseFile(FileChoice choice, const std::string& startPath) override;
};

}  // namespace kvx::platform::qt
