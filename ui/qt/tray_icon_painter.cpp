#include "ui/qt/tray_icon_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

#include "ui/qt/colours.h"

namespace kvx::ui::qt {
namespace {

constexpr int kHeight = 16;
// Points to pixels on the 96-dpi grid the icon is designed on.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QFont trayFont(const TrayIconDrawing& drawing, qreal scale) {
    QFont font;
    // "Arial" is metric-compatible with Liberation Sans, the face Debian ships.
    font.setFamilies({QString::fromStdString(drawing.fontName), "Liberation Sans"});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(drawing.fontSize * kPixelsPerPoint * scale))));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void drawChip(QPainter& p, int size) {
    const double s = size / 32.0;
    p.save();
    p.translate(size / 2.0, size / 2.0);
    p.rotate(-45);
    // Pins: yellow legs along the two long sides.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 0));
    for (int i = 0; i < 4; ++i) {
        double x = (-7.5 + 5.0 * i - 1.0) * s;
        p.drawRect(QRectF(x, -11.0 * s, 2.0 * s, 5.0 * s));
        p.drawRect(QRectF(x, 6.0 * s, 2.0 * s, 5.0 * s));
    }
    // Body: a grey package with a darker rim and a notch marking pin 1.
    p.setBrush(QColor(128, 128, 128));
    p.setPen(QPen(QColor(64, 64, 64), std::max(1.0, s)));
    p.drawRect(QRectF(-11 * s, -6.5 * s, 22 * s, 13 * s));
    p.setBrush(QColor(192, 192, 192));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(-7.5 * s, 2.5 * s), 1.6 * s, 1.6 * s);
    p.restore();
}

void drawCrossOut(QPainter& p, int size) {
    const double s = size / 32.0;
    QPen pen(QColor(255, 0, 0), 3.0 * s);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(size / 2.0, size / 2.0), 13.0 * s, 13.0 * s);
    p.drawLine(QPointF(size / 2.0 - 9.2 * s, size / 2.0 - 9.2 * s),
               QPointF(size / 2.0 + 9.2 * s, size / 2.0 + 9.2 * s));
}

}  // namespace

QImage paintTrayDrawing(const TrayIconDrawing& drawing, qreal scale) {
    const QColor background = toQColor(drawing.background);
    const QColor ink = toQColor(drawing.fontColour);
    // RGB32 has no alpha channel: the whole icon is opaque.
    QImage image(static_cast<int>(std::lround(drawing.width * scale)), static_cast<int>(std::lround(kHeight * scale)),
                 QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    if (drawing.lines) {
        // Rows 0 and 15, from column 0 through width - 2: the last column keeps the background.
        p.fillRect(QRectF(0, 0, (drawing.width - 1) * scale, scale), ink);
        p.fillRect(QRectF(0, (kHeight - 1) * scale, (drawing.width - 1) * scale, scale), ink);
    }
    const QString text = QString::fromStdString(drawing.text);
    if (!text.isEmpty()) {
        QFont font = trayFont(drawing, scale);
        p.setFont(font);
        QFontMetrics metrics(font);
        QRectF cell(drawing.textLeft * scale, 1 * scale, metrics.horizontalAdvance(text), metrics.height());
        // Text cells are painted in the background colour, over the lines too.
        p.fillRect(cell, background);
        p.setPen(ink);
        p.drawText(QPointF(cell.left(), cell.top() + metrics.ascent()), text);
    }
    return image;
}

QImage paintTrayPicture(TrayPicture picture, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawChip(p, size);
    if (picture == TrayPicture::Suspend) drawCrossOut(p, size);
    return image;
}

QIcon trayIconImage(const TrayIcon& icon, qreal scale) {
    QIcon result;
    bool sensor = icon.picture() != TrayPicture::Chip && icon.picture() != TrayPicture::Suspend;
    auto at = [&](qreal ratio) {
        QImage image = sensor ? paintTrayDrawing(icon.drawing(), ratio)
                              : paintTrayPicture(icon.picture(), static_cast<int>(std::lround(32 * ratio)));
        image.setDevicePixelRatio(sensor ? ratio : 2.0 * ratio);
        return QPixmap::fromImage(image);
    };
    result.addPixmap(at(1.0));
    if (scale > 1.0) result.addPixmap(at(scale));
    return result;
}

}  // namespace kvx::ui::qt
