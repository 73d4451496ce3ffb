// The yardstick of kvx-bench-idle: the least a Qt tray monitor can do. A tray
// icon whose number is redrawn every poll interval (the first argument, in ms),
// and nothing else.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int intervalMs = argc > 1 ? std::max(100, atoi(argv[1])) : 10000;

    QSystemTrayIcon tray;
    int value = 40;
    auto redraw = [&] {
        value = value >= 60 ? 40 : value + 1;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::black);
        QPainter painter(&pixmap);
        painter.setPen(Qt::white);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(value));
        painter.end();
        tray.setIcon(QIcon(pixmap));
        tray.setToolTip(QString("Temp %1 C").arg(value));
    };
    redraw();
    tray.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, redraw);
    poll.start(intervalMs);
    return QApplication::exec();
}
