#pragma once
#include <QImage>

#include <vector>

#include "ui/model/vu_meter.h"

namespace kvx::ui::qt {

// Carries out a gauge's paint plan on its bitmap, in order and without
// antialiasing, so that a needle drawn again in the background colour covers
// exactly the pixels it covered before. On a bitmap of device pixel ratio 1,
// one-pixel lines set the pixels linePixels() gives them; wider lines, and all
// lines on a bitmap of a higher ratio (drawn in the gauge's own coordinates at
// the screen's resolution), are Qt's, with round ends. System colours are
// taken from the application's palette.
void paintGauge(QImage& bitmap, const std::vector<PaintOp>& plan);

}  // namespace kvx::ui::qt
