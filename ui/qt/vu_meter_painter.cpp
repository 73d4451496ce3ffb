#include "ui/qt/vu_meter_painter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include "ui/qt/colours.h"

namespace kvx::ui::qt {
namespace {

QFont toQFont(const LabelFont& label) {
    QFont font = label.name.empty() ? QApplication::font() : QFont(QString::fromStdString(label.name));
    if (label.size > 0) font.setPointSize(label.size);
    font.setBold(label.style & kFontBold);
    font.setItalic(label.style & kFontItalic);
    font.setUnderline(label.style & kFontUnderline);
    font.setStrikeOut(label.style & kFontStrikeOut);
    return font;
}

void draw(QPainter& painter, const QImage& bitmap, const FillOp& op) {
    painter.fillRect(bitmap.rect(), toQColor(op.colour));
}

void draw(QPainter& painter, const QImage&, const LineOp& op) {
    const QColor colour = toQColor(op.colour);
    if (op.penWidth <= 1) {
        // Pixel by pixel: Qt's own thin lines include their end points and
        // place ties differently, which would let segments overwrite each other.
        for (size_t i = 1; i < op.points.size(); ++i)
            for (const Point& p : linePixels(op.points[i - 1], op.points[i])) painter.fillRect(p.x, p.y, 1, 1, colour);
        return;
    }
    QPen pen(colour, op.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    for (size_t i = 1; i < op.points.size(); ++i) {
        const Point& from = op.points[i - 1];
        const Point& to = op.points[i];
        if (from == to) continue;  // a segment of no length draws nothing
        painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    }
}

void draw(QPainter& painter, const QImage&, const TextOp& op) {
    const QString text = QString::fromStdString(op.text);
    painter.setFont(toQFont(op.font));
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect box(op.topLeft.x, op.topLeft.y, metrics.horizontalAdvance(text), metrics.height());
    painter.fillRect(box, toQColor(op.background));
    painter.setPen(toQColor(op.font.colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

void paintGauge(QImage& bitmap, const std::vector<PaintOp>& plan) {
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PaintOp& op : plan) std::visit([&](const auto& each) { draw(painter, bitmap, each); }, op);
}

}  // namespace kvx::ui::qt
