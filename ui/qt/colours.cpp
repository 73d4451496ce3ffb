#include "ui/qt/colours.h"

#include <QApplication>
#include <QPalette>

namespace kvx::ui::qt {

QColor toQColor(Colour colour) {
    if (colour & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (colour & 0xFFu) {
            case 1: return palette.color(QPalette::Window);     // desktop background
            case 2: return palette.color(QPalette::Highlight);  // active caption
            case 4: return palette.color(QPalette::Window);     // menu
            case 5:
                return palette.color(QPalette::Base);  // window
            // NOLINTNEXTLINE(bugprone-branch-clone): a table of system colours; two share a palette role.
            case 7: return palette.color(QPalette::WindowText);       // menu text
            case 8: return palette.color(QPalette::WindowText);       // window text
            case 9: return palette.color(QPalette::HighlightedText);  // caption text
            case 13: return palette.color(QPalette::Highlight);
            case 14: return palette.color(QPalette::HighlightedText);
            case 15: return palette.color(QPalette::Button);           // button face
            case 16: return palette.color(QPalette::Mid);              // button shadow
            case 17: return palette.color(QPalette::PlaceholderText);  // grey text
            case 18: return palette.color(QPalette::ButtonText);
            case 20: return palette.color(QPalette::Light);  // button highlight
            case 21: return palette.color(QPalette::Shadow);
            case 22: return palette.color(QPalette::Midlight);
            case 23: return palette.color(QPalette::ToolTipText);
            case 24: return palette.color(QPalette::ToolTipBase);
            default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace kvx::ui::qt
