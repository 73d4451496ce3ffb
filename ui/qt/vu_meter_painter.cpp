#include "ui/qt/vu_meter_painter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

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
    painter.fillRect(QRectF(QPointF(0, 0), bitmap.deviceIndependentSize()), toQColor(op.colour));
}

void draw(QPainter& painter, const QImage& bitmap, const LineOp& op) {
    const QColor colour = toQColor(op.colour);
    if (op.penWidth <= 1 && bitmap.devicePixelRatio() == 1.0) {
        // The pixels linePixels() gives, set in one call: Qt's own thin lines
        // include their end points and place ties differently, which would let
        // segments overwrite each other.
        QPolygon pixels;
        for (size_t i = 1; i < op.points.size(); ++i)
            for (const Point& p : linePixels(op.points[i - 1], op.points[i])) pixels << QPoint(p.x, p.y);
        painter.setPen(QPen(colour, 1));
        painter.drawPoints(pixels);
        return;
    }
    // Wide lines, and every line on a high-density screen, are Qt's lines:
    // there a line is drawn at the screen's own resolution and stays sharp.
    QPen pen(colour, std::max(op.penWidth, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPolygon line;
    for (const Point& p : op.points)
        if (line.isEmpty() || line.back() != QPoint(p.x, p.y)) line << QPoint(p.x, p.y);
    if (line.size() > 1) painter.drawPolyline(line);  // a line of no length draws nothing
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
