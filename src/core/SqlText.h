#pragma once
// Building statement text and the date-time texts that statements carry.
#include <QDateTime>
#include <QString>
#include <optional>

namespace k7t::sql {

// The value as it goes between the single quotes of a statement's literal pieces:
// every quote doubled, so the value stays one string literal whatever it holds.
QString text(const QString& value);

// Is `value` a plain decimal number (digits only, at least one)? Values that a
// statement carries without quotes must pass this first.
bool isPlainNumber(const QString& value);

// Clock patterns used in statements and on screens.
QString dayText(const QDateTime& t);          // "d-mmm-yy"            4-Jan-23
QString stampText(const QDateTime& t);        // "d-mmm-yy h:m AM/PM"  4-Jan-23 9:5 PM
QString clockText(const QDateTime& t);        // "d-mmm-yy hh:mm"      4-Jan-23 21:05
QString usStampText(const QDateTime& t);      // "MM/DD/yyyy h:m AM/PM" 01/04/2023 9:5 PM
QString periodStartText(const QDate& d);      // "yyyy-mm-dd 00:00:01"
QString periodEndText(const QDate& d);        // "yyyy-mm-dd 23:59:59"
QString serverDateTimeText(const QDateTime& t); // how a server date-time value reads as text: 4/4/1990 12:00:00 AM

// Reads a date-time text written in any of the patterns above, the server's own
// text form ("4/4/1990 12:00:00 AM", "4/4/1970") or ISO ("2023-01-04 21:15:00",
// "2023-01-04T21:15"). Two-digit years 00-49 are 20xx, 50-99 are 19xx.
std::optional<QDateTime> parseDateTime(const QString& text);

// The same, as wall-clock seconds since 1 January 1970 (no time zone);
// used where many values are compared.
std::optional<qint64> parseInstant(const char* text, int length);

// Hour boundaries (times hh:00) passed from `from` to `to`: both cut down to the
// whole hour, then the difference in hours. Negative when `to` lies before `from`.
qint64 hourBoundaries(const QDateTime& from, const QDateTime& to);

// Boundaries of the given unit ("day", "hour", "minute", "month", "year", ...)
// between two instants, as the server's DATEDIFF counts them.
std::optional<qint64> unitBoundaries(const QString& unit, qint64 fromSeconds, qint64 toSeconds);

} // namespace k7t::sql
