#pragma once
#include <QImage>

#include <vector>

#include "ui/model/vu_meter.h"

namespace kvx::ui::qt {

// Carries out a gauge's paint plan on its bitmap, in order and without
// antialiasing, so that a needle drawn again in the background colour covers
// exactly the pixels it covered before. One-pixel lines are set pixel by pixel
// as linePixels() gives them; wider lines are Qt's, with round ends. System colours are taken from
// the application's palette.
void paintGauge(QImage& bitmap, const std::vector<PaintOp>& plan);

}  // namespace kvx::ui::qt
