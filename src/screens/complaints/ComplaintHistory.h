#pragma once
// A complaint's history only grows. Each entry is appended to the history as it is
// stored at the moment of the write, so an entry that another workstation wrote
// meanwhile is kept, never written over.
#include <QDateTime>
#include <QString>
#include <functional>

namespace k7t {

class Connection;

namespace complaint {

struct Stored {
    bool found = false;
    QString issueDate;   // column 3, trimmed
    QString description; // column 4, exactly as stored
};

// The complaint that `select` ("select * from complain where id=...") gives; the last
// row wins.
Stored read(Connection& db, const QString& select);

// The condition that ends a history write: true only while the stored history is
// still `asRead`.
QString unchangedHistory(const QString& asRead);

// Runs `write`, built on `stored` and ending with unchangedHistory(stored.description).
// When it changed no row because the history was changed since it was read, reads the
// complaint again with `select` and writes anew. Returns the state the last write was
// built on; not found when the complaint is gone.
Stored writeOnStored(Connection& db, const QString& select, Stored stored, const std::function<void(const Stored&)>& write);

// Hour marks passed from the stored issue date to `end`, both at minute precision.
// Throws ActionError when the issue date is no date.
qint64 pendingHours(const QString& issueDate, const QDateTime& end);

} // namespace complaint
} // namespace k7t
