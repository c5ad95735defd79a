#pragma once
// E-mail: a MIME message with an HTML body, sent over SMTP (libcurl).
#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace k7t {

struct MailMessage {
    QString from;
    QStringList to;
    QStringList cc;
    QByteArray text; // the whole message: headers, blank line, body

    // Recipients are separated by ";"; empty places and blanks are left out.
    static MailMessage compose(const QString& from, const QString& to, const QString& cc, const QString& subject,
                               const QString& htmlBody);
    static QStringList addresses(const QString& list);
};

class MailTransport {
public:
    // `url`: smtp://host:port or smtps://host:port; user and password may be empty.
    MailTransport(QString url, QString user, QString password, int limitMs);

    // Sends `message`; blocks the operator's input (the window still paints) until the
    // server has taken it. Throws ActionError when it did not.
    void send(QWidget* owner, const MailMessage& message) const;

private:
    QString url_;
    QString user_;
    QString password_;
    int limitMs_;
};

} // namespace k7t
