#include "logs/up_down_log.h"

#include "logs/log_file_names.h"
#include "logs/log_file_sizes.h"

namespace kvx::logs {

UpDownLogBoxes::UpDownLogBoxes(ui::Window& form, ui::Control* logGeneralPanel)
    : textBox_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox6")),
      htmlBox_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox79")),
      saveOnExit_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox39")),
      textSize_(form.add<ui::Label>(logGeneralPanel, "UpDownLogTxtSizeLabel")),
      htmlSize_(form.add<ui::Label>(logGeneralPanel, "UpDownLogHtmSizeLabel")) {
    textBox_.setCaption("TXT");
    textBox_.setBounds({8, 120, 50, 17});
    textBox_.setChecked(true);
    htmlBox_.setCaption("HTML");
    htmlBox_.setBounds({64, 120, 56, 17});
    htmlBox_.setChecked(true);
    saveOnExit_.setCaption("Save Up/Down Log when Exiting");
    saveOnExit_.setBounds({8, 150, 200, 17});
    textSize_.setBounds({8, 172, 70, 13});
    htmlSize_.setBounds({80, 172, 70, 13});
}

platform::FsStatus UpDownLogBoxes::CheckUpDownLogFileSize(platform::LogStorage& storage,
                                                          const std::string& programFolder) {
    const LogFileSizes sizes = measureLogFiles(storage, programFolder, {{kUpDownLogText}, {kUpDownLogHtml}});
    if (!sizes.status.ok()) return sizes.status;
    textSize_.setCaption(sizeDisplayText("TXT:", sizes.kb[0]));
    htmlSize_.setCaption(sizeDisplayText("HTM:", sizes.kb[1]));
    return {};
}

}  // namespace kvx::logs
