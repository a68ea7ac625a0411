#include "gui/app_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace gui {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF coin(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    QRadialGradient shine(coin.center() - QPointF(size * 0.15, size * 0.15), size * 0.6);
    shine.setColorAt(0, QColor(120, 200, 120));
    shine.setColorAt(1, QColor(20, 110, 40));
    painter.setBrush(shine);
    painter.setPen(QPen(QColor(10, 70, 25), size / 24.0));
    painter.drawEllipse(coin);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(size / 2);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(coin, Qt::AlignCenter, QStringLiteral("%"));
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 32, 48, 64}) result.addPixmap(drawIcon(size));
        return result;
    }();
    return icon;
}

}  // namespace gui
