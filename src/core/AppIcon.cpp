#include "core/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace k7t {

namespace {
QPixmap badge(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x0b, 0x4f, 0x8a));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(size * 3 / 8);
    p.setFont(f);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("K7T"));
    return pm;
}
} // namespace

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64, 128}) icon.addPixmap(badge(size));
    return icon;
}


} // namespace k7t
