#include "support/NocSim.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace k7t::test {

namespace {

// Debian's interpreter, which has the aiosmtpd package; the first python3 on PATH may be another.
const char* const kPython = "/usr/bin/python3";
const char* const kDecoder = K7T_SOURCE_DIR "/tests/support/maildir_to_json.py";

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

bool accepts(int port)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, quint16(port));
    return s.waitForConnected(1000);
}

QStringList strings(const QJsonValue& v)
{
    QStringList list;
    for (const QJsonValue& s : v.toArray()) list << s.toString();
    return list;
}

} // namespace

SmtpSink::SmtpSink() = default;

SmtpSink::~SmtpSink()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(10000)) {
            process_->kill();
            process_->waitForFinished(10000);
        }
    }
}

bool SmtpSink::start()
{
    if (process_ && process_->state() == QProcess::Running) return true;
    if (!dir_.isValid()) {
        error_ = "no temporary folder for the maildir";
        return false;
    }
    const QString maildir = dir_.filePath("maildir");
    // The port is free when probed; another program may take it before the server
    // binds, so a server that ends at once is started again on another port.
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = freePort();
        process_ = std::make_unique<QProcess>();
        process_->setProcessChannelMode(QProcess::ForwardedChannels);
        process_->start(kPython, {"-m", "aiosmtpd", "-n", "-u", "-l", QStringLiteral("127.0.0.1:%1").arg(port_),
                                  "-c", "aiosmtpd.handlers.Mailbox", maildir});
        if (!process_->waitForStarted(30000)) {
            error_ = QStringLiteral("%1 did not start: %2").arg(kPython, process_->errorString());
            return false;
        }
        const QDeadlineTimer deadline(60000);
        while (process_->state() == QProcess::Running && !deadline.hasExpired()) {
            if (accepts(port_)) return true;
            process_->waitForFinished(200);
        }
        error_ = process_->state() == QProcess::Running ? QStringLiteral("the SMTP server did not accept connections in time")
                                                        : QStringLiteral("the SMTP server ended with code %1").arg(process_->exitCode());
        if (process_->state() == QProcess::Running) {
            process_->kill();
            process_->waitForFinished(10000);
        }
    }
    return false;
}

QString SmtpSink::url() const
{
    return QStringLiteral("smtp://127.0.0.1:%1").arg(port_);
}

QList<Mail> SmtpSink::messages() const
{
    // Maildir keeps arrivals in new/ (cur/ once read by a mail program).
    QFileInfoList files;
    for (const char* sub : {"new", "cur"})
        files += QDir(dir_.filePath(QStringLiteral("maildir/") + sub)).entryInfoList(QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() != b.lastModified() ? a.lastModified() < b.lastModified() : a.fileName() < b.fileName();
    });

    QStringList fresh;
    for (const QFileInfo& f : files) {
        const bool known = std::any_of(cache_.begin(), cache_.end(), [&](const auto& c) { return c.first == f.fileName(); });
        if (!known) fresh << f.absoluteFilePath();
    }
    if (!fresh.isEmpty()) {
        QProcess decoder;
        decoder.start(kPython, QStringList{kDecoder} + fresh);
        decoder.waitForFinished(60000);
        const QJsonDocument d = QJsonDocument::fromJson(decoder.readAllStandardOutput());
        if (!d.isArray()) qWarning("SmtpSink: the maildir decoder failed: %s", decoder.readAllStandardError().constData());
        for (const QJsonValue& v : d.array()) {
            const QJsonObject o = v.toObject();
            Mail m;
            m.from = o.value("from").toString();
            m.to = strings(o.value("to"));
            m.cc = strings(o.value("cc"));
            m.subject = o.value("subject").toString();
            m.htmlBody = o.value("html").toString();
            m.textBody = o.value("text").toString();
            m.envelopeFrom = o.value("envelopeFrom").toString();
            m.envelopeTo = strings(o.value("envelopeTo"));
            m.raw = o.value("raw").toString();
            cache_.append({QFileInfo(o.value("file").toString()).fileName(), m});
        }
    }

    QList<Mail> list;
    for (const QFileInfo& f : files)
        for (const auto& c : cache_)
            if (c.first == f.fileName()) list.append(c.second);
    return list;
}

} // namespace k7t::test
