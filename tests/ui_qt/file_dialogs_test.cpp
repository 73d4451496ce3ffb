// "Select File" and "Select Wave" on the desktop: Qt's open-file dialog, driven
// as a person would, with the files it offers read from its own list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "platform/qt/qt_file_dialogs.h"
#include "qt_application.h"

using namespace kvx;

namespace {

struct Folder {
    std::string path = (std::filesystem::temp_directory_path() / ("kvx-dialog-" + std::to_string(getpid()))).string();
    Folder() {
        std::filesystem::create_directories(path + "/sounds");
        for (const char* name : {"alarm.sh", "notes.txt", "bell.wav", "Horn.WAV", "run-me"})
            std::ofstream(path + "/" + name) << "x\n";
        for (const char* name : {"alarm.sh", "run-me"})
            std::filesystem::permissions(path + "/" + name, std::filesystem::perms::owner_all);
    }
    ~Folder() { std::filesystem::remove_all(path); }
};

// Waits until the open dialog lists `rows` names of its folder (the listing
// fills in the background), notes the names it shows, then does `act` with it.
void whenListed(int rows, std::set<std::string>& shown, const std::function<void(QFileDialog&)>& act) {
    QTimer::singleShot(20, [rows, &shown, act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* list = dialog ? dialog->findChild<QAbstractItemView*>("listView") : nullptr;
        if (!list || list->model()->rowCount(list->rootIndex()) < rows) return whenListed(rows, shown, act);
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            shown.insert(list->model()->index(row, 0, list->rootIndex()).data().toString().toStdString());
        act(*dialog);
    });
}

// Types a file name and presses "Open".
void open(QFileDialog& dialog, const char* name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    static_cast<QDialog&>(dialog).accept();
}

}  // namespace

// Guards against a program dialog that offers files that cannot be run (or
// hides the ones that can), a wave dialog that offers other files, and a
// cancelled dialog that still hands back a path.
TEST(QtFileDialogs, OfferProgramsOrWavesAndReturnTheChoice) {
    test::qtApplication();
    Folder folder;
    platform::qt::QtFileDialogs dialogs;

    std::set<std::string> shown;
    whenListed(3, shown, [](QFileDialog& dialog) { open(dialog, "run-me"); });
    EXPECT_EQ(dialogs.chooseFile(platform::FileChoice::Program, folder.path + "/alarm.sh"), folder.path + "/run-me");
    EXPECT_EQ(shown, (std::set<std::string>{"sounds", "alarm.sh", "run-me"}));

    shown.clear();
    whenListed(3, shown, [](QFileDialog& dialog) { open(dialog, "bell.wav"); });
    EXPECT_EQ(dialogs.chooseFile(platform::FileChoice::Wave, folder.path + "/"), folder.path + "/bell.wav");
    EXPECT_EQ(shown, (std::set<std::string>{"sounds", "bell.wav", "Horn.WAV"}));

    shown.clear();
    whenListed(1, shown, [](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.chooseFile(platform::FileChoice::Wave, folder.path + "/bell.wav"), std::nullopt);
}
