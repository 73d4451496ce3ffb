#include "ui/qt/spin_arrows.h"

namespace kvx::ui::qt {

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
    int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace kvx::ui::qt
