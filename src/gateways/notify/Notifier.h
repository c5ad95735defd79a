#pragma once
// The notification gateways: SMS over the SMS gateway's web address, WhatsApp over
// the messaging API, e-mail over SMTP.
//
// A failure (network error, an HTTP error answer, no answer within the time limit,
// an SMTP server that cannot be reached or refuses the mail) reaches the caller as
// ActionError; callers that ignore errors catch it themselves. Every request is
// bounded by the PageWaitSeconds setting.
#include "core/Database.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QNetworkReply;

namespace k7t {

class Settings;

class Notifier {
public:
    // `owner`: a widget of the screen that sends; its window does not close under a
    // send that is still waiting.
    explicit Notifier(const Settings& settings, QWidget* owner = nullptr);

    // GET of the gateway's send address; waits for the answer while serving the
    // window's events. The answer page is not read.
    void SendSms(const QString& number, const QString& text);
    // POST of {"phone": ..., "body": ...}; blocks the operator's input until the
    // answer has arrived. The answer is not read.
    void SendWhatsApp(const QString& number, const QString& text);
    // Several addresses in `to` and `cc` are separated by ";".
    void SendMail(const QString& to, const QString& cc, const QString& subject, const QString& htmlBody);

    // The requests as they go out.
    QUrl smsAddress(const QString& number, const QString& text) const;
    QUrl whatsAppAddress() const;
    static QByteArray whatsAppBody(const QString& number, const QString& text);

private:
    int limitMs() const;
    // Waits for the reply's end and throws when it failed; `blockInput` keeps the
    // operator's input out meanwhile.
    void finish(QNetworkReply* reply, bool blockInput, const QString& service);

    const Settings& settings_;
    QPointer<QWidget> owner_;
};

} // namespace k7t
