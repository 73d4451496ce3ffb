#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace kvx::platform::qt {

std::string QtMessageBoxes::show(const MessageBoxRequest& request) {
    std::string escapeAnswer = request.buttons.empty() ? std::string() : request.buttons.back();
    if (ending_ && ending_()) return escapeAnswer;
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text));
    switch (request.icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::None: break;
    }
    std::vector<QAbstractButton*> buttons;
    for (const auto& caption : request.buttons)
        buttons.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::AcceptRole));
    if (!buttons.empty()) box.setEscapeButton(buttons.back());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QMessageBox* outer = open_;
    open_ = &box;
    box.exec();
    open_ = outer;
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return request.buttons[i];
    return escapeAnswer;
}

void QtMessageBoxes::closeOpen() {
    // Closing the innermost box lets its exec() return; one shown beneath it
    // sees the session ending when its turn comes.
    if (open_) open_->reject();
}

}  // namespace kvx::platform::qt
