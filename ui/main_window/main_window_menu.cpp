// The tray menu, the page shown first and the gauge layout option of the main window.
#include <string>

#include "ui/main_window/main_window.h"

namespace kvx::ui {
namespace {

MenuItem& separator(Window& form, MenuItem& menu, const char* name) {
    auto& item = form.add<MenuItem>(&menu, name);
    item.setCaption("-");
    return item;
}

}  // namespace

void MainWindow::buildMenu() {
    popupMenu_.setVisible(false);
    popupMenu_.onPopup = [this] { PopupMenu1Popup(); };
    uninstallItem_.setCaption("Un-install");
    uninstallItem_.onClick = [this] {
        if (onUninstall) onUninstall();
    };
    tovelItem_.setCaption("Tovel Beer Can Holder");
    tovelItem_.setVisible(false);
    tovelItem_.onClick = [this] { runCommand(tovelItem_, commands.tovel); };

    auto& helpMenu = form_.add<MenuItem>(&popupMenu_, "Help1");
    helpMenu.setCaption("Help");
    struct Command {
        const char* name;
        const char* caption;
        Handler MenuCommands::*command;
    };
    for (const Command& c :
         {Command{"Help2", "Help", &MenuCommands::help}, Command{"About1", "About", &MenuCommands::about},
          Command{"N4", "-", nullptr}, Command{"WebPage1", "Web Page", &MenuCommands::webPage},
          Command{"EMailAuthor1", "E-Mail Author", &MenuCommands::eMailAuthor}}) {
        auto& item = form_.add<MenuItem>(&helpMenu, c.name);
        item.setCaption(c.caption);
        if (c.command) item.onClick = [this, &item, command = c.command] { runCommand(item, commands.*command); };
        helpMenu.addItem(item);
    }

    quickCheckMenu_.setCaption("Quick Check");
    showExpandItem_.setCaption("Show && Expand");
    showExpandItem_.onClick = [this] { Show1Click(); };
    showItem_.setCaption("Show");
    showItem_.onClick = [this] { Show2Click(); };
    hideItem_.setCaption("Hide");
    hideItem_.onClick = [this] { Hide1Click(); };
    pauseItem_.setCaption("pause");
    pauseItem_.onClick = [this] { poll_.pause1Click(timer2_, timer3_); };
    exitItem_.setCaption("Exit");
    exitItem_.onClick = [this] {
        if (onExit) onExit();
    };

    // Top to bottom; the log items (and their separator N6) show with "Show Log Options On Popup Menu".
    MenuItem& n5 = separator(form_, popupMenu_, "N5");
    MenuItem& n2 = separator(form_, popupMenu_, "N2");
    MenuItem& n3 = separator(form_, popupMenu_, "N3");
    MenuItem& n1 = separator(form_, popupMenu_, "N1");
    for (MenuItem* item : {&uninstallItem_, &tovelItem_, &intervalLog_.separator(), &intervalLog_.startItem(),
                           &intervalLog_.stopItem(), &logFiles_.viewItem(), &logFiles_.eraseItem(), &n5, &helpMenu, &n2, &quickCheckMenu_, &showExpandItem_,
                           &showItem_, &hideItem_, &n3, &pauseItem_, &n1, &exitItem_})
        popupMenu_.addItem(*item);
}

void MainWindow::runCommand(const MenuItem& item, const Handler& command) {
    if (command) command();
    else if (onMissingCommand) onMissingCommand(item.name());
}

void MainWindow::buildGeneral2Options() {
    Panel* general2 = pages_["GenTabTabSheet"].panels[1];
    auto& caption = form_.add<Label>(general2, "GenTabTabOnTopLabel");
    caption.setCaption("Tab on top at startup:");
    caption.setBounds({8, 8, 120, 13});
    tabOnTopList_ = &form_.add<ComboBox>(general2, "GenTabTabOnTopComboBox");
    tabOnTopList_->setItems(
        {"General", "Temperatures", "Voltages", "Fan's", "Compensation", "Visual", "Log", "Up's & Downs", "CPU Idle"});
    tabOnTopList_->setItemIndex(0);
    tabOnTopList_->setBounds({8, 24, 120, 21});
    tabOnTopList_->onChange = [this] { tabOnTop_ = tabOnTopList_->itemIndex(); };

    horizontalBox_ = &form_.add<CheckBox>(general2, "CheckBox15");
    horizontalBox_->setCaption("Show VUMeters Horizontal");
    horizontalBox_->setBounds({8, 52, 200, 17});
    horizontalBox_->onClick = [this] { CheckBox15Click(); };
}

void MainWindow::setTabOnTop(int index) {
    tabOnTop_ = index;
    tabOnTopList_->setItemIndex(index);
}

void MainWindow::SetActiveTab(int index) {
    // Nine pages can come first; the last one ("SHDN!") cannot.
    if (index < 0 || index > 8) return;
    pageControl_.setActivePageIndex(index);
}

void MainWindow::trayDoubleClick() {
    if (doubleClickSmall) Show2Click();
    else Show1Click();
}

void MainWindow::CheckBox15Click() {
    const bool horizontal = horizontalBox_->checked();
    if (horizontal == horizontalGauges_) return;
    horizontalGauges_ = horizontal;
    // Ticking trades width for height; unticking undoes exactly that.
    const int sign = horizontal ? 1 : -1;
    fullHeight_ += sign * 62;
    fullWidth_ -= sign * 104;
    Bounds window = form_.bounds();
    // The small window keeps its size; the full-size window (shown or parked) takes the new one.
    if (expandButton_.caption() == "3" || parked()) {
        window.width = fullWidth_;
        window.height = fullHeight_;
        form_.setBounds(window);
    }
    for (Control* group :
         {static_cast<Control*>(&display_.voltageGroup()), static_cast<Control*>(&display_.fanGroup())}) {
        const Bounds& b = group->bounds();
        group->setPosition(b.left - sign * 108, b.top + sign * 64);
    }
    const Bounds& pages = pageControl_.bounds();
    pageControl_.setPosition(pages.left - sign * 104, pages.top + sign * 64);
    SetVUMmeters();
}

}  // namespace kvx::ui
