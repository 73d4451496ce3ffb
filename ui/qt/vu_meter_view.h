#pragma once
#include <QImage>
#include <QWidget>

#include <cstdint>

#include "ui/model/vu_meter.h"

namespace kvx::ui::qt {

// Shows a gauge model. Every paint of the model is drawn at once into an
// off-screen bitmap of the gauge's size, as the model's repaint flags allow,
// and the bitmap is then copied to the screen in one piece. When Qt asks for a
// paint of its own (first showing, uncovering, resizing) the bitmap is redrawn
// in full first.
class VUMeterView : public QWidget {
    Q_OBJECT
public:
    explicit VUMeterView(VUMeter& model, QWidget* parent = nullptr);
    ~VUMeterView() override;

    VUMeter& model() { return model_; }
    // The bitmap as last drawn (null before the first paint).
    const QImage& bitmap() const { return bitmap_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void modelChanged();
    void drawBitmap(RepaintFlags flags);

    VUMeter& model_;
    int observation_ = 0;
    std::uint64_t paintsDrawn_ = 0;
    bool waitingForScreen_ = false;  // the bitmap holds a model paint not yet copied
    QImage bitmap_;
};

// The widget WindowView makes for a gauge.
QWidget* createVUMeterView(VUMeter& model, QWidget* parent);

}  // namespace kvx::ui::qt
