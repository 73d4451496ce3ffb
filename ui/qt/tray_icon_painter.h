#pragma once
#include <QIcon>
#include <QImage>

#include "ui/model/tray_icon.h"

namespace kvx::ui::qt {

// A sensor's temperature as a tray icon bitmap: `drawing.width` × 16 pixels
// times `scale` (the screen's device pixel ratio), every pixel opaque. The
// font is drawn without smoothing, so the digits keep hard edges at 16 pixels.
QImage paintTrayDrawing(const TrayIconDrawing& drawing, qreal scale = 1.0);

// The program's own pictures, drawn here: a chip on black, and the same chip
// crossed out for suspend mode. `size` pixels square.
QImage paintTrayPicture(TrayPicture picture, int size = 32);

// What the icon shows now, at 1× and, on a high-density screen, at `scale` too.
QIcon trayIconImage(const TrayIcon& icon, qreal scale);

}  // namespace kvx::ui::qt
