#include "core/SqlText.h"

#include <array>
#include <cctype>
#include <cstring>

namespace k7t::sql {

namespace {

const std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QString monthAbbrev(int month) { return QString::fromLatin1(kMonths[month - 1]); }

int hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }
QString amPm(int hour) { return hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"); }

QString timeText(const QTime& t)
{
    return QStringLiteral("%1:%2 %3").arg(hour12(t.hour())).arg(t.minute()).arg(amPm(t.hour()));
}

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

const QDate kEpoch(1970, 1, 1);

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

struct Cursor {
    const char* p;
    const char* end;
    bool atEnd() const { return p >= end; }
    void skipBlanks() { while (p < end && (*p == ' ' || *p == '\t')) ++p; }
    bool take(char c)
    {
        if (p < end && *p == c) { ++p; return true; }
        return false;
    }
    // Up to `maxDigits` digits; returns -1 when there is none.
    int number(int maxDigits, int* count = nullptr)
    {
        int value = 0, n = 0;
        while (p < end && n < maxDigits && std::isdigit(static_cast<unsigned char>(*p))) {
            value = value * 10 + (*p - '0');
            ++p;
            ++n;
        }
        if (count) *count = n;
        return n ? value : -1;
    }
};

int fullYear(int year, int digits)
{
    if (digits > 2) return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

int monthFromName(Cursor& c)
{
    if (c.end - c.p < 3) return -1;
    for (int i = 0; i < 12; ++i) {
        if (strncasecmp(c.p, kMonths[i], 3) == 0) {
            c.p += 3;
            while (c.p < c.end && std::isalpha(static_cast<unsigned char>(*c.p))) ++c.p; // "January"
            return i + 1;
        }
    }
    return -1;
}

// Optional time part: "h:m[:s][.fff] [AM|PM]" after blanks (or a "T").
bool readTime(Cursor& c, int& h, int& mi, int& s)
{
    h = mi = s = 0;
    c.skipBlanks();
    c.take('T');
    if (c.atEnd()) return true;
    h = c.number(2);
    if (h < 0 || !c.take(':')) return false;
    mi = c.number(2);
    if (mi < 0) return false;
    if (c.take(':')) {
        s = c.number(2);
        if (s < 0) return false;
        if (c.take('.')) while (!c.atEnd() && std::isdigit(static_cast<unsigned char>(*c.p))) ++c.p;
    }
    c.skipBlanks();
    if (c.end - c.p >= 2 && (c.p[1] == 'M' || c.p[1] == 'm')) {
        const char ap = static_cast<char>(std::toupper(static_cast<unsigned char>(c.p[0])));
        if (ap != 'A' && ap != 'P') return false;
        if (h < 1 || h > 12) return false;
        h = h % 12 + (ap == 'P' ? 12 : 0);
        c.p += 2;
    }
    c.skipBlanks();
    return c.atEnd() && h < 24 && mi < 60 && s < 60;
}

} // namespace

QString text(const QString& value)
{
    if (!value.contains(QLatin1Char('\''))) return value;
    QString out = value;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

bool isPlainNumber(const QString& value)
{
    if (value.isEmpty()) return false;
    for (QChar ch : value)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return false;
    return true;
}

QString dayText(const QDateTime& t)
{
    const QDate d = t.date();
    return QStringLiteral("%1-%2-%3").arg(d.day()).arg(monthAbbrev(d.month())).arg(d.year() % 100, 2, 10, QLatin1Char('0'));
}

QString stampText(const QDateTime& t) { return dayText(t) + QLatin1Char(' ') + timeText(t.time()); }

QString clockText(const QDateTime& t)
{
    return dayText(t) + QStringLiteral(" %1:%2").arg(t.time().hour(), 2, 10, QLatin1Char('0')).arg(t.time().minute(), 2, 10, QLatin1Char('0'));
}

QString usStampText(const QDateTime& t)
{
    const QDate d = t.date();
    return QStringLiteral("%1/%2/%3 ").arg(d.month(), 2, 10, QLatin1Char('0')).arg(d.day(), 2, 10, QLatin1Char('0')).arg(d.year(), 4, 10, QLatin1Char('0'))
        + timeText(t.time());
}

QString periodStartText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:01"); }
QString periodEndText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59"); }

QString serverDateTimeText(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    return QStringLiteral("%1/%2/%3 %4:%5:%6 %7")
        .arg(d.month()).arg(d.day()).arg(d.year())
        .arg(hour12(tm.hour())).arg(tm.minute(), 2, 10, QLatin1Char('0')).arg(tm.second(), 2, 10, QLatin1Char('0'))
        .arg(amPm(tm.hour()));
}

std::optional<qint64> parseInstant(const char* text, int length)
{
    Cursor c{text, text + length};
    c.skipBlanks();
    while (c.end > c.p && (c.end[-1] == ' ' || c.end[-1] == '\t')) --c.end;
    int y = 0, m = 0, d = 0, digits = 0;
    const int first = c.number(4, &digits);
    if (first < 0) return std::nullopt;
    if (digits == 4 && (c.take('-') || c.take('/'))) { // yyyy-mm-dd
        y = first;
        m = c.number(2);
        if (m < 0 || !(c.take('-') || c.take('/'))) return std::nullopt;
        d = c.number(2);
    } else if (digits <= 2 && c.take('-')) {            // d-mmm-yy
        d = first;
        m = monthFromName(c);
        if (m < 0 || !c.take('-')) return std::nullopt;
        y = c.number(4, &digits);
        y = fullYear(y, digits);
    } else if (digits <= 2 && c.take('/')) {            // m/d/yyyy
        m = first;
        d = c.number(2);
        if (d < 0 || !c.take('/')) return std::nullopt;
        y = c.number(4, &digits);
        y = fullYear(y, digits);
    } else {
        return std::nullopt;
    }
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return std::nullopt;
    int h, mi, s;
    if (!readTime(c, h, mi, s)) return std::nullopt;
    return daysFromCivil(y, m, d) * 86400 + h * 3600 + mi * 60 + s;
}

std::optional<QDateTime> parseDateTime(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    const auto seconds = parseInstant(latin.constData(), latin.size());
    if (!seconds) return std::nullopt;
    const qint64 days = *seconds / 86400 - (*seconds % 86400 < 0);
    const qint64 rest = *seconds - days * 86400;
    return QDateTime(kEpoch.addDays(days), QTime(0, 0).addSecs(static_cast<int>(rest)));
}

qint64 hourBoundaries(const QDateTime& from, const QDateTime& to)
{
    // Wall-clock hours, so a change of daylight saving time moves no mark.
    return from.date().daysTo(to.date()) * 24 + (to.time().hour() - from.time().hour());
}

std::optional<qint64> unitBoundaries(const QString& unit, qint64 fromSeconds, qint64 toSeconds)
{
    const QString u = unit.trimmed().toLower();
    auto floorDiv = [](qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    auto count = [&](qint64 size) { return floorDiv(toSeconds, size) - floorDiv(fromSeconds, size); };
    if (u == QLatin1String("day") || u == QLatin1String("dd") || u == QLatin1String("d")) return count(86400);
    if (u == QLatin1String("hour") || u == QLatin1String("hh")) return count(3600);
    if (u == QLatin1String("minute") || u == QLatin1String("mi") || u == QLatin1String("n")) return count(60);
    if (u == QLatin1String("second") || u == QLatin1String("ss") || u == QLatin1String("s")) return toSeconds - fromSeconds;
    if (u == QLatin1String("week") || u == QLatin1String("wk") || u == QLatin1String("ww")) {
        // Weeks begin on Sunday; day 0 (1 January 1970) was a Thursday.
        return floorDiv(floorDiv(toSeconds, 86400) + 4, 7) - floorDiv(floorDiv(fromSeconds, 86400) + 4, 7);
    }
    const QDate a = kEpoch.addDays(floorDiv(fromSeconds, 86400));
    const QDate b = kEpoch.addDays(floorDiv(toSeconds, 86400));
    if (u == QLatin1String("month") || u == QLatin1String("mm") || u == QLatin1String("m"))
        return (b.year() - a.year()) * 12LL + (b.month() - a.month());
    if (u == QLatin1String("year") || u == QLatin1String("yy") || u == QLatin1String("yyyy"))
        return b.year() - a.year();
    return std::nullopt;
}

} // namespace k7t::sql
