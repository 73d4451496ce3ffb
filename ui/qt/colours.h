#pragma once
#include <QColor>

#include "ui/model/control.h"

namespace kvx::ui::qt {

// A stored colour as Qt draws it: 0x00BBGGRR as red, green and blue; a system
// colour (0x80000000 + n) as the matching role of the application's palette.
QColor toQColor(Colour colour);

}  // namespace kvx::ui::qt
