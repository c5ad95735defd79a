#pragma once
// Query strings and form bodies as a web server reads them: pairs in the order
// received, "+" meaning a blank and %XX escapes decoded as UTF-8.
#include <QList>
#include <QPair>
#include <QString>

namespace nocsim {

using Pairs = QList<QPair<QString, QString>>;

// Decodes one key or value of a query string or form body.
QString decodeComponent(const QByteArray& raw);

// Splits "a=1&b=2" into its pairs; empty pieces are skipped, a piece without "="
// is a key with an empty value.
Pairs parsePairs(const QByteArray& raw);

// The first value of a key, empty when absent.
QString value(const Pairs& pairs, const QString& key);

} // namespace nocsim
