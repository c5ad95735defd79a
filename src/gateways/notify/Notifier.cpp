#include "gateways/notify/Notifier.h"

#include "core/LocalWait.h"
#include "core/Settings.h"
#include "gateways/GatewayAddress.h"
#include "gateways/notify/MailTransport.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace k7t {

namespace {

// One network access for the program: a request still under way when its screen
// closes goes on to its end.
QNetworkAccessManager& network()
{
    static QPointer<QNetworkAccessManager> manager;
    if (!manager) manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

// A text as a JSON string, quotes included.
QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

Notifier::Notifier(const Settings& settings, QWidget* owner) : settings_(settings), owner_(owner) {}

int Notifier::limitMs() const { return qMax(1, settings_.intValue("PageWaitSeconds")) * 1000; }

QUrl Notifier::smsAddress(const QString& number, const QString& text) const
{
    return gatewayAddress(settings_.value("SmsGatewayBaseUrl"), "/api/swsendSingle.asp",
                          {{"username", settings_.value("SmsGatewayUser")},
                           {"password", settings_.value("SmsGatewayPassword")},
                           {"sender", settings_.value("SmsSenderId")},
                           {"sendto", number},
                           {"message", text}});
}

QUrl Notifier::whatsAppAddress() const
{
    const QString instance = settings_.value("WhatsAppInstanceId");
    return gatewayAddress(settings_.value("WhatsAppApiBaseUrl"), "/instance" + instance + "/sendMessage",
                          {{"token", settings_.value("WhatsAppToken")}});
}

QByteArray Notifier::whatsAppBody(const QString& number, const QString& text)
{
    return "{\"phone\": " + jsonString(number) + ", \"body\": " + jsonString(text) + "}";
}

void Notifier::SendSms(const QString& number, const QString& text)
{
    QNetworkRequest request(smsAddress(number, text));
    request.setTransferTimeout(limitMs());
    finish(network().get(request), false, QStringLiteral("SMS gateway"));
}

void Notifier::SendWhatsApp(const QString& number, const QString& text)
{
    QNetworkRequest request(whatsAppAddress());
    request.setRawHeader("Content-type", "application/json");
    request.setRawHeader("X-WM-CLIENT-ID", settings_.value("WhatsAppInstanceId").toUtf8());
    request.setTransferTimeout(limitMs());
    finish(network().post(request, whatsAppBody(number, text)), true, QStringLiteral("WhatsApp API"));
}

void Notifier::SendMail(const QString& to, const QString& cc, const QString& subject, const QString& htmlBody)
{
    MailTransport transport(settings_.value("SmtpUrl"), settings_.value("SmtpUser"), settings_.value("SmtpPassword"),
                            limitMs());
    transport.send(owner_, MailMessage::compose(settings_.value("MailFrom"), to, cc, subject, htmlBody));
}

void Notifier::finish(QNetworkReply* reply, bool blockInput, const QString& service)
{
    LocalWait wait(owner_, limitMs() + 1000,
                   blockInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    QObject::connect(reply, &QNetworkReply::finished, &wait, &LocalWait::finish);
    if (reply->isFinished()) wait.finish();
    switch (wait.exec()) {
    case LocalWait::End::Done:
        break;
    case LocalWait::End::Closing:
        // The window is closing: the request goes on without it.
        QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
        return;
    case LocalWait::End::TimeLimit:
        reply->abort();
        reply->deleteLater();
        throw ActionError{QNetworkReply::TimeoutError,
                          QStringLiteral("The %1 did not answer within %2 seconds").arg(service).arg(limitMs() / 1000)};
    }
    reply->deleteLater();
    if (reply->isOpen()) reply->readAll(); // the answer is not used
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::OperationCanceledError && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isNull())
        throw ActionError{QNetworkReply::TimeoutError,
                          QStringLiteral("The %1 did not answer within %2 seconds").arg(service).arg(limitMs() / 1000)};
    if (status >= 400)
        throw ActionError{status, QStringLiteral("The %1 answered %2 %3")
                                      .arg(service)
                                      .arg(status)
                                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())};
    if (reply->error() != QNetworkReply::NoError)
        throw ActionError{int(reply->error()), QStringLiteral("The %1 could not be reached: %2").arg(service, reply->errorString())};
}

} // namespace k7t
