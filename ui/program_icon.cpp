#include "ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ProgramIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on the 64 by 64 grid of porukano.svg.
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#1f5fa8"));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath page;
    page.moveTo(16, 9);
    page.lineTo(40, 9);
    page.lineTo(50, 19);
    page.lineTo(50, 55);
    page.lineTo(16, 55);
    page.closeSubpath();
    p.fillPath(page, Qt::white);
    QPainterPath fold;
    fold.moveTo(40, 9);
    fold.lineTo(40, 19);
    fold.lineTo(50, 19);
    fold.closeSubpath();
    p.fillPath(fold, QColor("#b9cde8"));
    p.fillRect(QRectF(21, 24, 24, 4), QColor("#d83a2e"));
    p.fillRect(QRectF(21, 32, 24, 3), QColor("#7a8899"));
    p.fillRect(QRectF(21, 39, 18, 3), QColor("#7a8899"));
    p.fillRect(QRectF(21, 47, 24, 2), QColor("#1f5fa8"));
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}
