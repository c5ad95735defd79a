#include "core/FieldKeys.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace k7t {

void focusNextControl(QWidget* from)
{
    QWidget* w = from;
    // An editable combo box's line edit sits in the chain behind its box.
    while ((w = w->nextInFocusChain()) && w != from) {
        if (w->isAncestorOf(from) || from->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(from->window())) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void FieldKeys::enterMovesNext(std::initializer_list<QWidget*> fields)
{
    for (QWidget* field : fields) {
        auto* filter = new FieldKeys(field);
        filter->enterMovesNext_ = true;
        field->installEventFilter(filter);
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(filter);
    }
}

void FieldKeys::onFocusLost(QWidget* field, std::function<void()> action)
{
    auto* filter = new FieldKeys(field);
    filter->focusLost_ = std::move(action);
    field->installEventFilter(filter);
}

void FieldKeys::onDoubleClick(QWidget* field, std::function<void()> action)
{
    auto* filter = new FieldKeys(field);
    filter->doubleClick_ = std::move(action);
    // A multi-line box takes its mouse events in its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(field)) area->viewport()->installEventFilter(filter);
    else field->installEventFilter(filter);
}

bool FieldKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (enterMovesNext_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextControl(static_cast<QWidget*>(parent()));
            return true;
        }
    }
    if (focusLost_ && event->type() == QEvent::FocusOut && watched == parent()) {
        // Only the operator moving on counts: not a list popping up, not a switch to
        // another application, not the window going away.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto* field = static_cast<QWidget*>(parent());
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && field->isVisible()) focusLost_();
    }
    if (doubleClick_ && event->type() == QEvent::MouseButtonDblClick) doubleClick_();
    return QObject::eventFilter(watched, event);
}

} // namespace k7t
