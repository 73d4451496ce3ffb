#include "ui/model/main_window.h"

namespace kvx::ui {

MainWindow::MainWindow(platform::Scheduler& scheduler, acquisition::SensorLibrary& library)
    : pageControl_(form_.add<PageControl>(nullptr, "PageControl1")),
      generalPage_(form_.add<Page>(&pageControl_, "GenTabTabSheet")),
      general1Panel_(form_.add<Panel>(&generalPage_, "GenTabGeneral1Panel")),
      popupMenu_(form_.add<MenuItem>(nullptr, "PopupMenu1")),
      exitItem_(form_.add<MenuItem>(&popupMenu_, "Exit1")),
      poll_(form_, &general1Panel_, scheduler, library) {
    form_.setCaption("Korvex");
    form_.setBounds({200, 200, kExpandedWidth, kExpandedHeight});
    pageControl_.setBounds({288, 0, 273, 281});
    pageControl_.addPage(generalPage_);
    generalPage_.setCaption("General");
    generalPage_.setBounds({4, 24, 265, 253});
    general1Panel_.setBounds({0, 28, 265, 225});
    popupMenu_.setVisible(false);
    exitItem_.setCaption("Exit");
    exitItem_.onClick = [this] {
        if (onExit) onExit();
    };
    popupMenu_.addItem(exitItem_);
}

}  // namespace kvx::ui
