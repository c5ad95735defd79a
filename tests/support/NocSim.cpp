#include "support/NocSim.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

namespace k7t::test {

namespace {

constexpr int kStartSeconds = 60;

void stop(QProcess* p)
{
    if (!p || p->state() == QProcess::NotRunning) return;
    p->terminate();
    if (!p->waitForFinished(10000)) {
        p->kill();
        p->waitForFinished(10000);
    }
}

} // namespace

NocSim::NocSim() = default;

NocSim::~NocSim()
{
    stop(process_.get());
}

bool NocSim::start()
{
    return start(QString());
}

bool NocSim::start(const QString& dataFile)
{
    if (process_ && process_->state() == QProcess::Running) return true;
    error_.clear();
    const QString program = QStringLiteral(K7T_BINARY_DIR "/tools/noc-sim/noc-sim");
    if (!QFileInfo(program).isExecutable()) {
        error_ = program + " is not built";
        return false;
    }
    if (!dir_.isValid()) {
        error_ = "no temporary folder for the request log";
        return false;
    }
    QStringList args{"--port", "0", "--log", logFile()};
    if (!dataFile.isEmpty()) args << "--data" << dataFile;

    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(program, args);
    if (!process_->waitForStarted(kStartSeconds * 1000)) {
        error_ = "noc-sim did not start: " + process_->errorString();
        return false;
    }
    // The first line tells the port: "LISTENING <port>".
    const QDeadlineTimer deadline(kStartSeconds * 1000);
    while (!process_->canReadLine()) {
        if (process_->state() != QProcess::Running || deadline.hasExpired()) {
            error_ = process_->state() == QProcess::Running ? "noc-sim did not report its port in time"
                                                            : QStringLiteral("noc-sim ended with code %1").arg(process_->exitCode());
            stop(process_.get());
            return false;
        }
        process_->waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
    }
    const QString line = QString::fromUtf8(process_->readLine()).trimmed();
    static const QRegularExpression listening("^LISTENING (\\d+)$");
    const auto m = listening.match(line);
    if (!m.hasMatch()) {
        error_ = "noc-sim answered \"" + line + "\" instead of LISTENING <port>";
        stop(process_.get());
        return false;
    }
    port_ = m.captured(1).toInt();
    return true;
}

QString NocSim::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

QString NocSim::logFile() const
{
    return dir_.filePath("noc-sim-requests.jsonl");
}

QList<QJsonObject> NocSim::requests() const
{
    QList<QJsonObject> list;
    QFile f(logFile());
    if (!f.open(QIODevice::ReadOnly)) return list;
    for (const QByteArray& line : f.readAll().split('\n')) {
        // A line still being written does not parse yet; it is read next time.
        const QJsonDocument d = QJsonDocument::fromJson(line);
        if (d.isObject()) list.append(d.object());
    }
    return list;
}

QList<QJsonObject> NocSim::requestsTo(const QString& path) const
{
    QList<QJsonObject> list;
    for (const QJsonObject& r : requests())
        if (r.value("path").toString() == path) list.append(r);
    return list;
}

void NocSim::clearLog()
{
    QFile f(logFile());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.close();
}

QList<QPair<QString, QString>> NocSim::query(const QJsonObject& request)
{
    QList<QPair<QString, QString>> pairs;
    for (const QJsonValue& v : request.value("query").toArray()) {
        const QJsonArray p = v.toArray();
        pairs.append({p.at(0).toString(), p.at(1).toString()});
    }
    return pairs;
}

QString NocSim::queryValue(const QJsonObject& request, const QString& key)
{
    for (const auto& p : query(request))
        if (p.first == key) return p.second;
    return {};
}

QStringList NocSim::queryKeys(const QJsonObject& request)
{
    QStringList keys;
    for (const auto& p : query(request)) keys << p.first;
    return keys;
}

QString NocSim::header(const QJsonObject& request, const QString& name)
{
    const QJsonObject headers = request.value("headers").toObject();
    for (auto it = headers.begin(); it != headers.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.value().toString();
    return {};
}

} // namespace k7t::test
