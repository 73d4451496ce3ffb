#include "ui/qt/vu_meter_view.h"

#include <QPainter>

#include <algorithm>

#include "ui/qt/vu_meter_painter.h"

namespace kvx::ui::qt {

VUMeterView::VUMeterView(VUMeter& model, QWidget* parent)
    : QWidget(parent), model_(model), paintsDrawn_(model.paintCount()) {
    setObjectName(QString::fromStdString(model_.name()));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the bitmap covers every pixel
    resize(model_.bounds().width, model_.bounds().height);
    observation_ = model_.observe([this] { modelChanged(); });
}

VUMeterView::~VUMeterView() { model_.unobserve(observation_); }

void VUMeterView::modelChanged() {
    const Bounds& b = model_.bounds();
    if (b.width > 0 && b.height > 0 && size() != QSize(b.width, b.height)) resize(b.width, b.height);
    // Hint, visibility and geometry changes arrive here too; only a paint draws.
    if (model_.paintCount() == paintsDrawn_) return;
    paintsDrawn_ = model_.paintCount();
    // A gauge nobody sees (the parked window) draws nothing; its first paint
    // on the screen draws it in full.
    if (!isVisible()) {
        waitingForScreen_ = false;
        return;
    }
    drawBitmap(model_.repaintFlags());
    waitingForScreen_ = true;
    update();
}

void VUMeterView::drawBitmap(RepaintFlags flags) {
    // On a high-density screen the bitmap has the screen's pixels, so the
    // needle, arc and label are drawn sharp rather than scaled up.
    const qreal ratio = devicePixelRatioF();
    const QSize size(std::max(model_.bounds().width, 1), std::max(model_.bounds().height, 1));
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    if (bitmap_.size() != pixels || bitmap_.devicePixelRatio() != ratio) {
        // A new bitmap holds nothing worth keeping.
        bitmap_ = QImage(pixels, QImage::Format_RGB32);
        bitmap_.setDevicePixelRatio(ratio);
        flags = {};
    }
    paintGauge(bitmap_, paintPlan(model_, flags));
}

void VUMeterView::paintEvent(QPaintEvent*) {
    if (!waitingForScreen_) drawBitmap({});
    waitingForScreen_ = false;
    QPainter(this).drawImage(0, 0, bitmap_);
}

QWidget* createVUMeterView(VUMeter& model, QWidget* parent) { return new VUMeterView(model, parent); }

}  // namespace kvx::ui::qt
