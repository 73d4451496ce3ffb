#include "app/dialogs/about_window.h"

#include "kvx_version.h"

namespace kvx::app {

AboutWindow::AboutWindow() {
    window_.setCaption("About Korvex");
    window_.setBounds({0, 0, 320, 250});
    window_.stayOnTop = true;
    auto& version = window_.add<ui::Label>(nullptr, "VersionLabel");
    version.setCaption(kVersionCaption);
    version.setBounds({8, 8, 304, 13});
    auto& notes = window_.add<ui::Memo>(nullptr, "NotesMemo");
    notes.setLines({kNotes});
    notes.setBounds({8, 28, 304, 150});
    auto& close = window_.add<ui::Button>(nullptr, "CloseButton");
    close.setCaption("&Close");
    close.closesWindow = true;
    close.isDefault = true;
    close.isCancel = true;
    close.setBounds({122, 190, 75, 25});
}

}  // namespace kvx::app
