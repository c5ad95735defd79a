#pragma once
// Every request the simulator receives, one JSON object per line:
// {"method", "path", "query": [[key, value], ...], "rawQuery", "headers": {name: value},
//  "body", "form": [[key, value], ...] (for form posts), "time"}.
// Lines are appended to the log file, when one is given, before the request is answered.
#include "Query.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QString>

namespace nocsim {

// One request as it arrived.
struct Incoming {
    QString method;
    QString path;          // percent-decoded
    QByteArray rawQuery;   // as received, without "?"
    Pairs query;           // decoded, in the order received
    Pairs headers;         // as received
    QByteArray body;
    Pairs form;            // decoded body of an application/x-www-form-urlencoded post

    QString header(const QString& name) const;
    // A query or form value (query first).
    QString param(const QString& key) const;
    bool hasParam(const QString& key) const;
};

class RequestLog {
public:
    explicit RequestLog(QString file);
    // Appends the request; returns false when the log file cannot be written.
    bool record(const Incoming& request);
    // Every request recorded so far (from the log file when there is one).
    QJsonArray all() const;
    void clear();
    QString file() const { return file_; }

    static QJsonObject toJson(const Incoming& request);

private:
    QString file_;
    mutable QMutex mutex_;
    QJsonArray memory_; // only without a log file
};

} // namespace nocsim
