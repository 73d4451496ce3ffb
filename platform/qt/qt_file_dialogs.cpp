#include "platform/qt/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace kvx::platform::qt {
namespace {

// Folders, and the files that may be run. (The dialog's own permission filter
// cannot say this: asked for executables, it hides every readable file.)
class ProgramsOnly final : public QSortFilterProxyModel {
protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

}  // namespace

std::optional<std::string> QtFileDialogs::chooseFile(FileChoice choice, const std::string& startPath) {
    QFileDialog dialog;
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog, so that the filter below applies whatever the desktop's dialogs are.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (choice == FileChoice::Program) {
        // A Linux program has no extension: the dialog lists the files that may be run.
        dialog.setWindowTitle("Select File");
        dialog.setNameFilter("Executable Files (*)");
        dialog.setProxyModel(new ProgramsOnly);  // the dialog takes ownership
    } else {
        dialog.setWindowTitle("Select Wave");
        dialog.setNameFilter("Wave (*.wav *.WAV)");
    }
    dialog.setObjectName(choice == FileChoice::Program ? "SelectFileDialog" : "SelectWaveDialog");
    // Opens in the folder of the current file. The file itself is not
    // preselected: a selection would win over a name the user then types.
    if (!startPath.empty()) dialog.setDirectory(QFileInfo(QString::fromStdString(startPath)).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace kvx::platform::qt
