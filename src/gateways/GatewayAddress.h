#pragma once
// Addresses of the outside web services: base address, path and query keys in the
// order given. Values are percent-encoded, so every character arrives as it was given
// ("&", "#", "+", "=", blanks, line breaks included).
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace k7t {

using QueryItems = QList<QPair<QString, QString>>;

// `base` is a scheme and host (a trailing "/" is dropped); `path` starts with "/".
QUrl gatewayAddress(const QString& base, const QString& path, const QueryItems& query);

} // namespace k7t
