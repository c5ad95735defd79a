#include "core/ClickableLabel.h"

#include <QMouseEvent>

namespace k7t {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { setCursor(Qt::PointingHandCursor); }

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release of the left button over the label.
void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

} // namespace k7t
