#pragma once
// The outside web services for tests: starts the project's simulator `noc-sim` on a free
// loopback port with a fresh request log, and reads back what it received.
// Each logged request is a JSON object: {"method", "path", "query": [[key, value], ...]
// (decoded, in the order sent), "rawQuery", "headers": {name: value}, "body", "form"}.
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

namespace k7t::test {

class NocSim {
public:
    NocSim();
    ~NocSim(); // stops the simulator
    NocSim(const NocSim&) = delete;
    NocSim& operator=(const NocSim&) = delete;

    // Starts the simulator with its shipped data file, or with `dataFile`, and waits
    // until it listens. False (with errorText()) when it could not be started.
    bool start();
    bool start(const QString& dataFile);
    QString errorText() const { return error_; }

    QString baseUrl() const; // "http://127.0.0.1:<port>"
    int port() const { return port_; }
    QString logFile() const;

    // Every request received so far, oldest first.
    QList<QJsonObject> requests() const;
    // Those whose (decoded) path is `path`.
    QList<QJsonObject> requestsTo(const QString& path) const;
    void clearLog();

    // Reading a logged request.
    static QList<QPair<QString, QString>> query(const QJsonObject& request);
    static QString queryValue(const QJsonObject& request, const QString& key);
    static QStringList queryKeys(const QJsonObject& request);
    static QString header(const QJsonObject& request, const QString& name); // name without regard to case

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
    QString error_;
};

// A mail server for tests: a real SMTP server (aiosmtpd) on a free loopback port that
// keeps every message it receives in a maildir; messages() decodes them.
struct Mail {
    QString from;             // address of the From header
    QStringList to;           // addresses of the To header
    QStringList cc;           // addresses of the Cc header
    QString subject;          // decoded
    QString htmlBody;         // decoded text of the text/html part, empty when none
    QString textBody;         // decoded text of the text/plain part, empty when none
    QString envelopeFrom;     // MAIL FROM
    QStringList envelopeTo;   // RCPT TO, every recipient the message was delivered to
    QString raw;              // the message as received
};

class SmtpSink {
public:
    SmtpSink();
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    bool start();
    QString errorText() const { return error_; }
    int port() const { return port_; }
    QString url() const; // "smtp://127.0.0.1:<port>"

    // Every message received so far, in the order of arrival.
    QList<Mail> messages() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
    QString error_;
    mutable QList<QPair<QString, Mail>> cache_; // file name, decoded message
};

} // namespace k7t::test
