#include "screens/complaints/ComplaintHistory.h"

#include "core/Database.h"
#include "core/SqlText.h"

namespace k7t::complaint {

namespace {
// Enough for any number of operators writing at once; a history that still changes
// after so many reads is left alone and the failure shown.
constexpr int kAttempts = 50;
} // namespace

Stored read(Connection& db, const QString& select)
{
    Stored s;
    for (RowSet rs = db.execute(select); !rs.atEnd(); rs.next()) {
        s.found = true;
        s.issueDate = rs.trimmed(3);
        s.description = rs.value(4);
    }
    return s;
}

QString unchangedHistory(const QString& asRead)
{
    // coalesce: a history that was never written reads as the empty text.
    return " and coalesce(description,'')='" + sql::text(asRead) + "'";
}

Stored writeOnStored(Connection& db, const QString& select, Stored stored, const std::function<void(const Stored&)>& write)
{
    for (int attempt = 1; stored.found; ++attempt) {
        write(stored);
        // -1: the driver cannot tell; the write stands.
        if (db.affectedRows() != 0) return stored;
        if (attempt == kAttempts)
            throw ActionError{-1, QStringLiteral("the history of the complaint kept changing while it was written; nothing was stored")};
        stored = read(db, select);
    }
    return stored;
}

qint64 pendingHours(const QString& issueDate, const QDateTime& end)
{
    const auto issued = sql::parseDateTime(issueDate);
    if (!issued) throw ActionError{-1, QStringLiteral("the issue date \"%1\" is not a date").arg(issueDate)};
    const auto until = sql::parseDateTime(sql::stampText(end));
    const QDateTime issuedToMinute(issued->date(), QTime(issued->time().hour(), issued->time().minute()));
    return sql::hourBoundaries(issuedToMinute, until.value_or(end));
}

} // namespace k7t::complaint
