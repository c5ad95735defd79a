// SMS, WhatsApp and mail as the gateways and a real SMTP server receive them, and
// their failures reaching the caller.
#include "gateways/notify/Notifier.h"
#include "support/NocSim.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QJsonDocument>
#include <QTcpServer>
#include <QtTest/QTest>

using namespace k7t;
using k7t::test::NocSim;
using k7t::test::SmtpSink;
using Pairs = QList<QPair<QString, QString>>;

namespace {
// A loopback port where nothing listens.
int closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}
} // namespace

class NotifierTest : public QObject {
    Q_OBJECT
    NocSim sim;
    SmtpSink smtp;
    std::unique_ptr<test::TestApp> t;

    Settings& settings() { return t->app().settings(); }

    static void addTexts()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "919876543210" << "FAULT OPENED AT SITE DLH-042";
        QTest::newRow("quotes and backslash") << "919876543210" << "SITE \"DLH-042\" C:\\noc 'down'";
        QTest::newRow("query characters") << "+91 98765 43210" << "A&B #7 +1 =2 50% ?x/y";
        QTest::newRow("line breaks and tab") << "919876543210" << "LINE 1\nLINE 2\r\nLINE\t3";
        QTest::newRow("non-ASCII") << "919876543210" << QString::fromUtf8("नमस्ते – ₹500 ✓");
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        QVERIFY2(smtp.start(), qPrintable(smtp.errorText()));
    }

    void init()
    {
        t = std::make_unique<test::TestApp>();
        settings().set("SmsGatewayBaseUrl", sim.baseUrl());
        settings().set("SmsGatewayUser", "k7tsmsuser1");
        settings().set("SmsGatewayPassword", "12345678");
        settings().set("SmsSenderId", "KSEVEN");
        settings().set("WhatsAppApiBaseUrl", sim.baseUrl());
        settings().set("WhatsAppInstanceId", "123456");
        settings().set("WhatsAppToken", "abcd1234efgh5678");
        settings().set("SmtpUrl", smtp.url());
        settings().set("MailFrom", "noc@k7t.test");
        settings().set("PageWaitSeconds", "10");
        sim.clearLog();
    }

    void smsGoesOutAsGiven_data() { addTexts(); }
    void smsGoesOutAsGiven()
    {
        QFETCH(QString, number);
        QFETCH(QString, text);
        Notifier(settings()).SendSms(number, text);
        const auto got = sim.requestsTo("/api/swsendSingle.asp");
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.first().value("method").toString(), QStringLiteral("GET"));
        QCOMPARE(NocSim::query(got.first()), (Pairs{{"username", "k7tsmsuser1"}, {"password", "12345678"},
                                                   {"sender", "KSEVEN"}, {"sendto", number}, {"message", text}}));
    }

    void whatsAppGoesOutAsGiven_data() { addTexts(); }
    void whatsAppGoesOutAsGiven()
    {
        QFETCH(QString, number);
        QFETCH(QString, text);
        Notifier(settings()).SendWhatsApp(number, text);
        const auto got = sim.requestsTo("/instance123456/sendMessage");
        QCOMPARE(got.size(), 1);
        const QJsonObject r = got.first();
        QCOMPARE(r.value("method").toString(), QStringLiteral("POST"));
        QCOMPARE(NocSim::query(r), (Pairs{{"token", "abcd1234efgh5678"}}));
        QCOMPARE(NocSim::header(r, "Content-type"), QStringLiteral("application/json"));
        QCOMPARE(NocSim::header(r, "X-WM-CLIENT-ID"), QStringLiteral("123456"));

        // The body keeps its shape and is valid JSON whatever the text holds.
        const QString body = r.value("body").toString();
        QVERIFY2(body.startsWith("{\"phone\": \"") && body.endsWith("\"}") && body.contains("\", \"body\": \""), qPrintable(body));
        QJsonParseError error;
        const QJsonObject parsed = QJsonDocument::fromJson(body.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(parsed.keys().size(), 2);
        QCOMPARE(parsed.value("phone").toString(), number);
        QCOMPARE(parsed.value("body").toString(), text);
        if (text == "FAULT OPENED AT SITE DLH-042")
            QCOMPARE(body, QStringLiteral("{\"phone\": \"919876543210\", \"body\": \"FAULT OPENED AT SITE DLH-042\"}"));
    }

    void failuresReachTheCaller_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("number");
        const QString refused = QStringLiteral("http://127.0.0.1:%1").arg(closedPort());
        QTest::newRow("SMS gateway unreachable") << "sms" << "SmsGatewayBaseUrl" << refused << -1;
        QTest::newRow("SMS gateway answers 404") << "sms" << "SmsGatewayBaseUrl" << sim.baseUrl() + "/gone" << 404;
        QTest::newRow("WhatsApp API unreachable") << "whatsapp" << "WhatsAppApiBaseUrl" << refused << -1;
        QTest::newRow("WhatsApp API refuses the token") << "whatsapp" << "WhatsAppToken" << "" << 401;
        QTest::newRow("SMTP server unreachable") << "mail" << "SmtpUrl" << QStringLiteral("smtp://127.0.0.1:%1").arg(closedPort()) << -1;
        QTest::newRow("mail without recipient") << "mail-nobody" << "SmtpUrl" << smtp.url() << -1;
    }
    void failuresReachTheCaller()
    {
        QFETCH(QString, service);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, number);
        settings().set(key, value);
        Notifier notifier(settings());
        try {
            if (service == "sms") notifier.SendSms("919876543210", "TEST");
            else if (service == "whatsapp") notifier.SendWhatsApp("919876543210", "TEST");
            else if (service == "mail") notifier.SendMail("a@k7t.test", "", "TEST", "<p>TEST</p>");
            else notifier.SendMail(" ; ;", ";", "TEST", "<p>TEST</p>");
            QFAIL("no error reached the caller");
        } catch (const ActionError& e) {
            if (number >= 0) QCOMPARE(e.number, number);
            QVERIFY(!e.text.isEmpty());
        }
    }

    void aGatewayThatNeverAnswersEndsAtTheLimit()
    {
        QTcpServer silent; // takes the connection and never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        settings().set("SmsGatewayBaseUrl", QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));
        settings().set("WhatsAppApiBaseUrl", QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));
        settings().set("PageWaitSeconds", "1");
        Notifier notifier(settings());
        QVERIFY_THROWS_EXCEPTION(ActionError, notifier.SendSms("919876543210", "TEST"));
        QVERIFY_THROWS_EXCEPTION(ActionError, notifier.SendWhatsApp("919876543210", "TEST"));
    }

    void mailArrivesWithItsHeadersAndHtmlBody()
    {
        const int before = smtp.messages().size();
        const QString subject = QString::fromUtf8("FAULT OPENED: SITE \"DLH-042\" & more – ₹");
        const QString html = QString::fromUtf8("<html><body><p>Dear team,</p>\n<p>.\n.leading dot &amp; <b>₹500</b></p>"
                                               "<p>") + QString(1200, 'x') + "</p></body></html>";
        Notifier(settings()).SendMail("sdo@zeza.test; ; je@zeza.test ;", " noc@k7t.test;;", subject, html);
        QTRY_COMPARE_WITH_TIMEOUT(smtp.messages().size(), before + 1, 20000);
        const test::Mail mail = smtp.messages().last();
        QCOMPARE(mail.to, (QStringList{"sdo@zeza.test", "je@zeza.test"}));
        QCOMPARE(mail.cc, QStringList{"noc@k7t.test"});
        QCOMPARE(mail.subject, subject);
        QCOMPARE(mail.htmlBody.trimmed(), html);
        QCOMPARE(mail.from, QStringLiteral("noc@k7t.test"));
        QCOMPARE(mail.envelopeFrom, QStringLiteral("noc@k7t.test"));
        QCOMPARE(mail.envelopeTo, (QStringList{"sdo@zeza.test", "je@zeza.test", "noc@k7t.test"}));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    NotifierTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_notifier.moc"
