#include "gateways/notify/MailTransport.h"

#include "core/Database.h"
#include "core/LocalWait.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QThread>
#include <QUuid>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace k7t {

namespace {

// A header value on one line: a line break in a value would start a header of its own.
QString oneLine(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("[\\r\\n]+")), QStringLiteral(" "));
    return text;
}

// RFC 2047 encoded words for a header text that is not plain ASCII.
QByteArray headerText(const QString& text)
{
    const QString line = oneLine(text);
    bool ascii = true;
    for (QChar c : line) ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii) return line.toLatin1();
    QByteArrayList words;
    QString chunk;
    for (int i = 0; i < line.size(); ++i) {
        chunk += line.at(i);
        // Keep surrogate pairs together and each word within the line length.
        if (chunk.toUtf8().size() >= 42 && !line.at(i).isHighSurrogate()) {
            words << "=?UTF-8?B?" + chunk.toUtf8().toBase64() + "?=";
            chunk.clear();
        }
    }
    if (!chunk.isEmpty()) words << "=?UTF-8?B?" + chunk.toUtf8().toBase64() + "?=";
    return words.join("\r\n ");
}

// The mailbox part of "Name <box@host>" or the text itself.
QString mailbox(const QString& address)
{
    const int open = address.lastIndexOf('<');
    const int close = address.lastIndexOf('>');
    if (open >= 0 && close > open) return address.mid(open + 1, close - open - 1).trimmed();
    return address.trimmed();
}

QByteArray base64Lines(const QByteArray& data)
{
    const QByteArray all = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < all.size(); i += 76) out += all.mid(i, 76) + "\r\n";
    return out;
}

struct Upload {
    QByteArray data;
    qsizetype offset = 0;
};

size_t readUpload(char* buffer, size_t size, size_t count, void* userData)
{
    auto* upload = static_cast<Upload*>(userData);
    const size_t room = size * count;
    const size_t left = size_t(upload->data.size() - upload->offset);
    const size_t n = qMin(room, left);
    memcpy(buffer, upload->data.constData() + upload->offset, n);
    upload->offset += qsizetype(n);
    return n;
}

struct Outcome {
    CURLcode code = CURLE_OK;
    long response = 0;
    QString detail;
};

// One SMTP transfer; runs on a worker thread.
Outcome transfer(const QByteArray& url, const QByteArray& user, const QByteArray& password, const QByteArray& from,
                 const QList<QByteArray>& recipients, const QByteArray& text, long limitMs)
{
    Outcome outcome;
    CURL* curl = curl_easy_init();
    if (!curl) {
        outcome.code = CURLE_FAILED_INIT;
        return outcome;
    }
    char error[CURL_ERROR_SIZE] = {};
    curl_slist* rcpt = nullptr;
    for (const QByteArray& r : recipients) rcpt = curl_slist_append(rcpt, r.constData());
    Upload upload{text};
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    if (!user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, rcpt);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(text.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limitMs);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limitMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    outcome.code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &outcome.response);
    outcome.detail = QString::fromUtf8(error[0] ? error : curl_easy_strerror(outcome.code));
    curl_slist_free_all(rcpt);
    curl_easy_cleanup(curl);
    return outcome;
}

} // namespace

QStringList MailMessage::addresses(const QString& list)
{
    QStringList out;
    for (const QString& part : list.split(';')) {
        const QString address = oneLine(part).trimmed();
        if (!address.isEmpty()) out << address;
    }
    return out;
}

MailMessage MailMessage::compose(const QString& from, const QString& to, const QString& cc, const QString& subject,
                                 const QString& htmlBody)
{
    MailMessage m;
    m.from = oneLine(from).trimmed();
    m.to = addresses(to);
    m.cc = addresses(cc);
    QByteArray text;
    text += "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    text += "From: " + headerText(m.from) + "\r\n";
    if (!m.to.isEmpty()) text += "To: " + headerText(m.to.join(", ")) + "\r\n";
    if (!m.cc.isEmpty()) text += "Cc: " + headerText(m.cc.join(", ")) + "\r\n";
    text += "Subject: " + headerText(subject) + "\r\n";
    const QString host = m.from.section('@', 1).remove('>').trimmed();
    text += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@"
            + (host.isEmpty() ? QByteArray("k7t.local") : host.toLatin1()) + ">\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += "Content-Type: text/html; charset=UTF-8\r\n";
    text += "Content-Transfer-Encoding: base64\r\n";
    text += "\r\n";
    text += base64Lines(htmlBody.toUtf8());
    m.text = text;
    return m;
}

MailTransport::MailTransport(QString url, QString user, QString password, int limitMs)
    : url_(std::move(url)), user_(std::move(user)), password_(std::move(password)), limitMs_(limitMs)
{
}

void MailTransport::send(QWidget* owner, const MailMessage& message) const
{
    if (message.to.isEmpty() && message.cc.isEmpty()) throw ActionError{-1, QStringLiteral("The mail has no recipient")};
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    QList<QByteArray> recipients;
    for (const QString& r : message.to + message.cc) recipients << ("<" + mailbox(r) + ">").toUtf8();
    const QByteArray from = ("<" + mailbox(message.from) + ">").toUtf8();
    auto outcome = std::make_shared<Outcome>();
    QThread* worker = QThread::create([=, url = url_.toUtf8(), user = user_.toUtf8(), password = password_.toUtf8(),
                                       text = message.text, limit = long(limitMs_)] {
        *outcome = transfer(url, user, password, from, recipients, text, limit);
    });
    // The transfer has its own time limit; the window paints meanwhile.
    LocalWait wait(owner, limitMs_ + 2000, QEventLoop::ExcludeUserInputEvents);
    QObject::connect(worker, &QThread::finished, &wait, &LocalWait::finish);
    worker->start();
    if (wait.exec() != LocalWait::End::Done) worker->wait(); // ends by the transfer's limit
    delete worker;

    if (outcome->code != CURLE_OK) {
        QString text = QStringLiteral("The mail could not be sent through %1: %2").arg(url_, outcome->detail);
        if (outcome->response) text += QStringLiteral(" (server reply %1)").arg(outcome->response);
        throw ActionError{int(outcome->code), text};
    }
}

} // namespace k7t
