#include "core/SqliteDialect.h"

#include "core/Clock.h"
#include "core/SqlText.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

#include <cstring>

namespace k7t::SqliteDialect {

namespace {

int compareNoCase(const char* a, int la, const char* b, int lb)
{
    const int n = la < lb ? la : lb;
    const int c = sqlite3_strnicmp(a, b, n);
    if (c != 0) return c;
    return la - lb;
}

// Dates first in time order, then texts that name no date, those without case.
int compareDateTimes(void*, int la, const void* va, int lb, const void* vb)
{
    const char* a = static_cast<const char*>(va);
    const char* b = static_cast<const char*>(vb);
    const auto ia = sql::parseInstant(a, la);
    const auto ib = sql::parseInstant(b, lb);
    if (ia && ib) return *ia < *ib ? -1 : (*ia > *ib ? 1 : 0);
    if (ia) return -1;
    if (ib) return 1;
    return compareNoCase(a, la, b, lb);
}

std::optional<qint64> instantOf(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return sql::parseInstant(text, sqlite3_value_bytes(v));
}

void dateDiff(sqlite3_context* ctx, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[1]) == SQLITE_NULL || sqlite3_value_type(args[2]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto from = instantOf(args[1]);
    const auto to = instantOf(args[2]);
    if (!from || !to) {
        sqlite3_result_error(ctx, "Conversion failed when converting date and/or time from character string.", -1);
        return;
    }
    const QString unit = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(args[0])));
    const auto n = sql::unitBoundaries(unit, *from, *to);
    if (!n) {
        const QByteArray message = "'" + unit.toUtf8() + "' is not a recognized datediff option.";
        sqlite3_result_error(ctx, message.constData(), -1);
        return;
    }
    sqlite3_result_int64(ctx, *n);
}

void getDate(sqlite3_context* ctx, int, sqlite3_value**)
{
    const auto* clock = static_cast<const Clock*>(sqlite3_user_data(ctx));
    const QDateTime now = clock ? clock->now() : QDateTime::currentDateTime();
    const QByteArray text = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    sqlite3_result_text(ctx, text.constData(), text.size(), SQLITE_TRANSIENT);
}

} // namespace

void install(QSqlDatabase& db, const Clock* clock)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return;
    install(*static_cast<sqlite3* const*>(handle.constData()), clock);
}

void install(sqlite3* h, const Clock* clock)
{
    if (!h) return;
    sqlite3_create_collation_v2(h, kDateTimeCollation, SQLITE_UTF8, nullptr, compareDateTimes, nullptr);
    sqlite3_create_function_v2(h, "DATEDIFF", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, dateDiff, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "GETDATE", 0, SQLITE_UTF8, const_cast<Clock*>(clock), getDate, nullptr, nullptr, nullptr);
}

QString rewrite(const QString& statement)
{
    static const QString word = QStringLiteral("DATEDIFF");
    if (!statement.contains(word, Qt::CaseInsensitive)) return statement;
    QString out;
    out.reserve(statement.size() + 8);
    const int n = statement.size();
    int i = 0;
    while (i < n) {
        const QChar c = statement[i];
        if (c == QLatin1Char('\'')) { // copy the whole literal, doubled quotes included
            int j = i + 1;
            while (j < n) {
                if (statement[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && statement[j + 1] == QLatin1Char('\'')) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            out += QStringView(statement).mid(i, qMin(j + 1, n) - i);
            i = j + 1;
            continue;
        }
        const bool wordStart = i == 0 || !(statement[i - 1].isLetterOrNumber() || statement[i - 1] == QLatin1Char('_'));
        if (wordStart && QStringView(statement).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
            int j = i + word.size();
            while (j < n && statement[j].isSpace()) ++j;
            if (j < n && statement[j] == QLatin1Char('(')) {
                int k = j + 1;
                while (k < n && statement[k].isSpace()) ++k;
                int unitEnd = k;
                while (unitEnd < n && statement[unitEnd].isLetter()) ++unitEnd;
                if (unitEnd > k) {
                    out += QStringView(statement).mid(i, k - i);
                    out += QLatin1Char('\'') + statement.mid(k, unitEnd - k) + QLatin1Char('\'');
                    i = unitEnd;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace k7t::SqliteDialect
