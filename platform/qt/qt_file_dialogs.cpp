#include "platform/qt/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kvx::platform::qt {

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
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    } else {
        dialog.setWindowTitle("Select Wave");
        dialog.setNameFilter("Wave (*.wav *.WAV)");
    }
    dialog.setObjectName(choice == FileChoice::Program ? "SelectFileDialog" : "SelectWaveDialog");
    if (!startPath.empty()) {
        const QFileInfo start(QString::fromStdString(startPath));
        dialog.setDirectory(start.absolutePath());
        if (start.isFile()) dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace kvx::platform::qt
