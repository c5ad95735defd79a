#include "gateways/GatewayAddress.h"

#include <QUrlQuery>

namespace k7t {

QUrl gatewayAddress(const QString& base, const QString& path, const QueryItems& query)
{
    QString root = base.trimmed();
    while (root.endsWith('/')) root.chop(1);
    QUrl url(root + path);
    // Values go in already encoded: given plainly, QUrlQuery leaves "+" as it is,
    // which the servers read as a blank.
    QUrlQuery q;
    for (const auto& [key, value] : query)
        q.addQueryItem(QString::fromLatin1(QUrl::toPercentEncoding(key)), QString::fromLatin1(QUrl::toPercentEncoding(value)));
    url.setQuery(q);
    return url;
}

} // namespace k7t
