#include "logs/warning_log_sizes.h"

#include "logs/log_file_names.h"
#include "logs/log_file_sizes.h"

namespace kvx::logs {

WarningLogSizes::WarningLogSizes(ui::Window& form, ui::Control* logGeneralPanel)
    : textSize_(form.add<ui::Label>(logGeneralPanel, "WarnLogTxtSizeLabel")),
      htmlSize_(form.add<ui::Label>(logGeneralPanel, "WarnLogHtmSizeLabel")) {
    textSize_.setBounds({8, 30, 70, 13});
    htmlSize_.setBounds({80, 30, 70, 13});
}

platform::FsStatus WarningLogSizes::CheckWarnLogFileSize(platform::LogStorage& storage,
                                                         const std::string& programFolder) {
    const LogFileSizes sizes = measureLogFiles(storage, programFolder, {{kWarningLogText}, {kWarningLogHtml}});
    if (!sizes.status.ok()) return sizes.status;
    textSize_.setCaption(sizeDisplayText("TXT:", sizes.kb[0]));
    htmlSize_.setCaption(sizeDisplayText("HTM:", sizes.kb[1]));
    return {};
}

}  // namespace kvx::logs
