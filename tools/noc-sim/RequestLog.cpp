#include "RequestLog.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QMutexLocker>

namespace nocsim {

namespace {

QJsonArray pairsJson(const Pairs& pairs)
{
    QJsonArray a;
    for (const auto& p : pairs) a.append(QJsonArray{p.first, p.second});
    return a;
}

} // namespace

QString Incoming::header(const QString& name) const
{
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0) return h.second;
    return {};
}

QString Incoming::param(const QString& key) const
{
    for (const auto& p : query)
        if (p.first == key) return p.second;
    return value(form, key);
}

bool Incoming::hasParam(const QString& key) const
{
    for (const Pairs* list : {&query, &form})
        for (const auto& p : *list)
            if (p.first == key) return true;
    return false;
}

RequestLog::RequestLog(QString file) : file_(std::move(file)) {}

QJsonObject RequestLog::toJson(const Incoming& r)
{
    QJsonObject headers;
    for (const auto& h : r.headers) {
        // A header sent more than once is kept as one comma-separated value.
        const QString before = headers.value(h.first).toString();
        headers.insert(h.first, before.isEmpty() ? h.second : before + ", " + h.second);
    }
    QJsonObject o{
        {"method", r.method},
        {"path", r.path},
        {"query", pairsJson(r.query)},
        {"rawQuery", QString::fromUtf8(r.rawQuery)},
        {"headers", headers},
        {"body", QString::fromUtf8(r.body)},
        {"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
    };
    if (!r.form.isEmpty()) o.insert("form", pairsJson(r.form));
    return o;
}

bool RequestLog::record(const Incoming& request)
{
    const QJsonObject o = toJson(request);
    QMutexLocker lock(&mutex_);
    if (file_.isEmpty()) {
        memory_.append(o);
        return true;
    }
    // Open, append, close: the line is on disk before the answer leaves, and a log
    // emptied by a test meanwhile is simply continued.
    QFile f(file_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const QByteArray line = QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
    const bool ok = f.write(line) == line.size();
    f.close();
    return ok;
}

QJsonArray RequestLog::all() const
{
    QMutexLocker lock(&mutex_);
    if (file_.isEmpty()) return memory_;
    QJsonArray a;
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly)) return a;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QJsonDocument d = QJsonDocument::fromJson(line);
        if (d.isObject()) a.append(d.object());
    }
    return a;
}

void RequestLog::clear()
{
    QMutexLocker lock(&mutex_);
    memory_ = QJsonArray();
    if (!file_.isEmpty()) {
        QFile f(file_);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.close();
    }
}

} // namespace nocsim
