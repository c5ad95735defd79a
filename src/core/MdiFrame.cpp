#include "core/MdiFrame.h"

#include "core/AppIcon.h"

#include <QPainter>

namespace k7t {

MdiFrame::MdiFrame(QWidget* parent) : QMdiArea(parent) { setBackground(Qt::white); }

void MdiFrame::paintEvent(QPaintEvent* event)
{
    QMdiArea::paintEvent(event);
    QPainter p(viewport());
    const int size = qMin(viewport()->width(), viewport()->height()) / 3;
    if (size < 32) return;
    p.setOpacity(0.08);
    p.drawPixmap(QRect(viewport()->rect().center() - QPoint(size / 2, size / 2), QSize(size, size)), appIcon().pixmap(128).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace k7t
