#include "core/ScreenCatalog.h"

#include <QMdiSubWindow>

namespace k7t {

QWidget* Navigator::switchScreen(QWidget* screen, const QString& form)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) frame->close();
    else screen->close();
    return openScreen(form);
}

} // namespace k7t
