#include "Query.h"

namespace nocsim {

QString decodeComponent(const QByteArray& raw)
{
    QByteArray bytes = raw;
    bytes.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(bytes));
}

Pairs parsePairs(const QByteArray& raw)
{
    Pairs pairs;
    for (const QByteArray& piece : raw.split('&')) {
        if (piece.isEmpty()) continue;
        const int eq = piece.indexOf('=');
        if (eq < 0)
            pairs.append({decodeComponent(piece), QString()});
        else
            pairs.append({decodeComponent(piece.left(eq)), decodeComponent(piece.mid(eq + 1))});
    }
    return pairs;
}

QString value(const Pairs& pairs, const QString& key)
{
    for (const auto& p : pairs)
        if (p.first == key) return p.second;
    return {};
}

} // namespace nocsim
