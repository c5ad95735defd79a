#include "core/Desktop.h"

#include <QDesktopServices>
#include <QProcess>

namespace k7t {

bool Desktop::openUrl(const QUrl& url)
{
    urls_.append(url);
    return recording_ ? !refusing_ : QDesktopServices::openUrl(url);
}

bool Desktop::startProgram(const QString& program, const QStringList& arguments)
{
    started_.append({program, arguments});
    return recording_ ? !refusing_ : QProcess::startDetached(program, arguments);
}

} // namespace k7t
