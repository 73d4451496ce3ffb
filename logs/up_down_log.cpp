#include "logs/up_down_log.h"

namespace kvx::logs {

UpDownLogBoxes::UpDownLogBoxes(ui::Window& form, ui::Control* logGeneralPanel)
    : textBox_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox6")),
      htmlBox_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox79")),
      saveOnExit_(form.add<ui::CheckBox>(logGeneralPanel, "CheckBox39")) {
    textBox_.setCaption("TXT");
    textBox_.setBounds({8, 120, 50, 17});
    textBox_.setChecked(true);
    htmlBox_.setCaption("HTML");
    htmlBox_.setBounds({64, 120, 56, 17});
    htmlBox_.setChecked(true);
    saveOnExit_.setCaption("Save Up/Down Log when Exiting");
    saveOnExit_.setBounds({8, 150, 200, 17});
}

}  // namespace kvx::logs
