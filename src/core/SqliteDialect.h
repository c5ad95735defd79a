#pragma once
// What the embedded database adds so that the statements written for the central
// server run unchanged: a date-time collation, DATEDIFF and GETDATE.
#include <QString>

class QSqlDatabase;
struct sqlite3;

namespace k7t {

class Clock;

namespace SqliteDialect {

// Name of the collation that date-time columns are declared with: values compare
// by the instant they name, whatever pattern wrote them.
inline constexpr const char* kDateTimeCollation = "SQLDATETIME";

// Registers the collation and functions on an open connection.
void install(QSqlDatabase& db, const Clock* clock);
// The same on a connection opened with the sqlite3 library directly (tools, benchmarks).
void install(sqlite3* handle, const Clock* clock);

// DATEDIFF's first argument is a bare unit word on the server ("DATEDIFF(day, ...)");
// here it becomes a text ("DATEDIFF('day', ...)"). Text inside literals is never touched.
QString rewrite(const QString& statement);

} // namespace SqliteDialect
} // namespace k7t
