// The simulator of the outside services (noc-sim) and the test mail server, over real
// HTTP and SMTP on loopback; page texts as a real web view reads them.
#include "support/NocSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QtTest/QTest>
#include <memory>

using k7t::test::Mail;
using k7t::test::NocSim;
using k7t::test::SmtpSink;

namespace {

using Pairs = QList<QPair<QString, QString>>;

// Waits for a reply to finish, serving events; false after a generous limit.
bool finish(QNetworkReply* reply)
{
    if (reply->isFinished()) return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(60000);
    loop.exec();
    return reply->isFinished();
}

// A web page as the program's web views see it.
class Browser {
public:
    bool load(const QUrl& url)
    {
        loaded_ = false;
        QObject::connect(&page_, &QWebEnginePage::loadFinished, &page_, [this](bool ok) { loaded_ = true; ok_ = ok; },
                         Qt::SingleShotConnection);
        page_.load(url);
        return waitLoaded();
    }
    bool waitLoaded()
    {
        return QTest::qWaitFor([this] { return loaded_; }, 60000) && ok_;
    }
    // Expect a new page (a submitted form) before calling `js`.
    void expectLoad()
    {
        loaded_ = false;
        QObject::connect(&page_, &QWebEnginePage::loadFinished, &page_, [this](bool ok) { loaded_ = true; ok_ = ok; },
                         Qt::SingleShotConnection);
    }
    QVariant eval(const QString& js)
    {
        bool done = false;
        QVariant result;
        page_.runJavaScript(js, [&](const QVariant& v) { result = v; done = true; });
        if (!QTest::qWaitFor([&] { return done; }, 60000)) qWarning("script gave no answer: %s", qPrintable(js));
        return result;
    }
    QString bodyText() { return eval("document.body ? document.body.innerText : ''").toString(); }

private:
    QWebEnginePage page_;
    bool loaded_ = false;
    bool ok_ = false;
};

} // namespace

class NocSimTest : public QObject {
    Q_OBJECT

    NocSim sim_;
    QNetworkAccessManager net_;

    QUrl url(const QString& pathAndQuery) const { return QUrl(sim_.baseUrl() + pathAndQuery); }

    // GET (or another verb) and the answer's body; the status lands in *status.
    QByteArray fetch(const QNetworkRequest& request, int* status = nullptr, const QByteArray& verb = "GET", const QByteArray& body = {})
    {
        std::unique_ptr<QNetworkReply> reply(net_.sendCustomRequest(request, verb, body));
        if (!finish(reply.get())) return {};
        if (status) *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        return reply->readAll();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(sim_.start(), qPrintable(sim_.errorText()));
        QVERIFY(sim_.port() > 0);
        QCOMPARE(sim_.baseUrl(), QStringLiteral("http://127.0.0.1:%1").arg(sim_.port()));
    }

    void init() { sim_.clearLog(); }

    // The log keeps method, path, the query in the order sent, headers and body exactly.
    void logRecordsWhatWasSent()
    {
        QNetworkRequest post(url("/instance482913/sendMessage?token=zq7k2m9x4p1c8v3b&z=1&a=2&token=again"));
        post.setRawHeader("Content-type", "application/json");
        post.setRawHeader("X-WM-CLIENT-ID", "482913");
        const QByteArray body = R"({"phone": "919812345678", "body": "LINK DOWN at PUNE-OLT-01 "quoted" & more"})";
        int status = 0;
        const QByteArray answer = fetch(post, &status, "POST", body);
        // Not valid JSON (the quotes inside are not escaped): the API refuses it, the log keeps it.
        QCOMPARE(status, 400);

        QNetworkRequest get(url("/olt/onu_status.php?mac=D8:0D:17:01:00:01&ip=10.1.1.1"));
        get.setRawHeader("X-Test", "two words");
        QVERIFY(fetch(get, &status).contains("Phase state: working"));
        QCOMPARE(status, 200);
        QVERIFY(fetch(QNetworkRequest(url("/no/such/page.php?x=1")), &status).contains("Not Found"));
        QCOMPARE(status, 404);

        const QList<QJsonObject> log = sim_.requests();
        QCOMPARE(log.size(), 3);
        const QJsonObject& p = log.at(0);
        QCOMPARE(p.value("method").toString(), QString("POST"));
        QCOMPARE(p.value("path").toString(), QString("/instance482913/sendMessage"));
        QCOMPARE(NocSim::query(p), (Pairs{{"token", "zq7k2m9x4p1c8v3b"}, {"z", "1"}, {"a", "2"}, {"token", "again"}}));
        QCOMPARE(p.value("rawQuery").toString(), QString("token=zq7k2m9x4p1c8v3b&z=1&a=2&token=again"));
        QCOMPARE(p.value("body").toString().toUtf8(), body);
        QCOMPARE(NocSim::header(p, "content-type"), QString("application/json"));
        QVERIFY(p.value("headers").toObject().contains("X-WM-CLIENT-ID")); // the name as sent
        QCOMPARE(NocSim::header(p, "X-WM-CLIENT-ID"), QString("482913"));
        QCOMPARE(NocSim::header(p, "Content-Length"), QString::number(body.size()));

        const QJsonObject& g = log.at(1);
        QCOMPARE(g.value("method").toString(), QString("GET"));
        QCOMPARE(NocSim::queryKeys(g), (QStringList{"mac", "ip"}));
        QCOMPARE(NocSim::queryValue(g, "mac"), QString("D8:0D:17:01:00:01"));
        QCOMPARE(NocSim::header(g, "X-Test"), QString("two words"));
        QCOMPARE(g.value("body").toString(), QString());
        QCOMPARE(sim_.requestsTo("/no/such/page.php").size(), 1);

        // A well-formed message is accepted with a JSON answer.
        QVERIFY(fetch(post, &status, "POST", R"({"phone": "919812345678", "body": "ok"})").contains("\"sent\":true"));
        QCOMPARE(status, 200);
        Q_UNUSED(answer);
        QNetworkRequest plain(post);
        plain.setRawHeader("Content-type", "text/plain");
        QVERIFY(fetch(plain, &status, "POST", R"({"phone": "919812345678", "body": "ok"})").contains("application/json"));
        QCOMPARE(status, 415);

        sim_.clearLog();
        QVERIFY(sim_.requests().isEmpty());
        fetch(QNetworkRequest(url("/waba_complaint_closed.php?mobile=9812345678&cn=1042")));
        QCOMPARE(sim_.requests().size(), 1);
    }

    // Values come back decoded to the text that was encoded, whatever it holds.
    void valuesAreDecoded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ampersand") << "PUNE & NASHIK";
        QTest::newRow("hash") << "FT#2041";
        QTest::newRow("plus") << "+919812345678";
        QTest::newRow("blanks") << "  two  blanks  ";
        QTest::newRow("quotes") << R"(D'SOUZA said "ok")";
        QTest::newRow("line breaks") << "line one\r\nline two\nthree";
        QTest::newRow("equals and percent") << "a=b 100%";
        QTest::newRow("non-ASCII") << QString::fromUtf8("₹ 500 — café");
        QTest::newRow("empty") << "";
    }
    void valuesAreDecoded()
    {
        QFETCH(QString, text);
        const QByteArray encoded = QUrl::toPercentEncoding(text);
        QUrl u = url("/api/swsendSingle.asp");
        u.setQuery("username=k7tsmsuser1&password=12345678&sender=KSEVEN&sendto=9812345678&message=" + QString::fromLatin1(encoded),
                   QUrl::StrictMode);
        QVERIFY(fetch(QNetworkRequest(u)).startsWith("Message submitted to 9812345678"));
        const auto log = sim_.requestsTo("/api/swsendSingle.asp");
        QCOMPARE(log.size(), 1);
        QCOMPARE(NocSim::queryKeys(log.first()), (QStringList{"username", "password", "sender", "sendto", "message"}));
        QCOMPARE(NocSim::queryValue(log.first(), "message"), text);
        QCOMPARE(log.first().value("rawQuery").toString(), u.query(QUrl::FullyEncoded));
    }

    // As on any web server, a bare "+" in a query means a blank; "%2B" is the plus sign.
    void plusSignsAsAWebServerReadsThem()
    {
        fetch(QNetworkRequest(url("/olt/onu_phone_config.php?phone=%2B91+98&sip=a+b")));
        const auto log = sim_.requestsTo("/olt/onu_phone_config.php");
        QCOMPARE(log.size(), 1);
        QCOMPARE(NocSim::query(log.first()), (Pairs{{"phone", "+91 98"}, {"sip", "a b"}}));
        QCOMPARE(log.first().value("rawQuery").toString(), QString("phone=%2B91+98&sip=a+b"));
    }

    // "/olt/onu_mac.php": an ONU found by a part of its MAC answers 84 characters with the
    // MAC at 11..27; configured fragments give the other lengths; misses never give 84.
    void macAnswer_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("mac");
        QTest::newRow("colon form") << "01:00:02" << 84 << "D8:0D:17:01:00:02";
        QTest::newRow("lower case digits only") << "d80d17050003" << 84 << "D8:0D:17:05:00:03";
        QTest::newRow("83 characters") << "test-short-83" << 83 << "";
        QTest::newRow("85 characters") << "TEST-LONG-85" << 85 << "";
        QTest::newRow("configured not found") << "test-not-found" << -1 << "";
        QTest::newRow("unknown") << "FF:FF:FF" << -1 << "";
        QTest::newRow("several ONUs") << "00:01" << -1 << "";
        QTest::newRow("empty") << "" << -1 << "";
    }
    void macAnswer()
    {
        QFETCH(QString, fragment);
        QFETCH(int, length);
        QFETCH(QString, mac);
        QUrl u = url("/olt/onu_mac.php");
        u.setQuery("ip=10.1.1.1&mac=" + QString::fromLatin1(QUrl::toPercentEncoding(fragment)));
        Browser b;
        QVERIFY(b.load(u));
        const QString text = b.bodyText();
        if (length < 0) {
            QVERIFY2(text.size() != 84, qPrintable(text));
            QVERIFY(!text.isEmpty());
        } else {
            QCOMPARE(text.size(), length);
        }
        if (!mac.isEmpty()) QCOMPARE(text.mid(10, 17), mac);
        QCOMPARE(NocSim::queryValue(sim_.requestsTo("/olt/onu_mac.php").value(0), "mac"), fragment);
    }

    // The LDAP tool: a 227-character search page whose first form has "UserName"; the
    // answer is a 61-character header and the five lines, or the header and a line break.
    void ldapSearchAndResult()
    {
        Browser b;
        QVERIFY(b.load(url("/easyldapbeta")));
        QCOMPARE(b.bodyText().size(), 227);
        QCOMPARE(b.eval("document.forms[0].elements['UserName'] ? 1 : 0").toInt(), 1);

        b.expectLoad();
        b.eval("document.forms[0].elements['UserName'].value = 'K7T0000001'; document.forms[0].submit(); 1");
        QVERIFY(b.waitLoaded());
        QTRY_VERIFY_WITH_TIMEOUT(b.bodyText().size() != 227, 30000);
        const QString text = b.bodyText();
        QCOMPARE(text.left(61).size(), 61);
        QVERIFY(text.left(61).endsWith("\r\n"));
        const QStringList lines = text.mid(61).split("\r\n");
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0].mid(8).trimmed(), QString("k7t0000001"));
        QCOMPARE(lines[1].mid(17).remove('-'), QString("02026000000"));
        QCOMPARE(lines[2].mid(7).trimmed(), QString("2026000000"));
        QCOMPARE(lines[3].mid(6), QString("ACTIVE"));
        QCOMPARE(lines[4].section(',', 1, 1), QString("PUNE"));
        QCOMPARE(lines[4].section(',', 2), QString("MAHARASHTRA"));
        const auto search = sim_.requestsTo("/easyldapbeta/search");
        QCOMPARE(search.size(), 1);
        QCOMPARE(NocSim::queryValue(search.first(), "UserName"), QString("K7T0000001"));

        QVERIFY(b.load(url("/easyldapbeta/search?UserName=nobody%40nowhere")));
        const QString missing = b.bodyText();
        QVERIFY(missing.mid(61).startsWith("\r\n"));
        QVERIFY(!missing.left(61).contains("nobody"));
    }

    // The registration portal: 82 characters before the answer, also on the answer page
    // until its script puts the answer in.
    void portalHoldsThenAnswers()
    {
        Browser b;
        QVERIFY(b.load(url("/elite/")));
        QCOMPARE(b.bodyText().size(), 82);
        b.expectLoad();
        b.eval("document.forms[0].elements['telno'].value = '23456789'; document.forms[0].submit(); 1");
        QVERIFY(b.waitLoaded());
        QTRY_VERIFY_WITH_TIMEOUT(b.bodyText().size() != 82, 30000);
        QVERIFY(b.bodyText().contains("SUNITA VERMA"));
        const auto posts = sim_.requestsTo("/elite/enquiry");
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.first().value("method").toString(), QString("POST"));
        QCOMPARE(posts.first().value("body").toString(), QString("telno=23456789"));
    }

    // The AP page's body text is the AP's name, empty for an offline user; the policy page names the policy.
    void apAndPolicyPages()
    {
        Browser b;
        QVERIFY(b.load(url("/ap.php?bb=k7t0000002&ip=10.1.1.2")));
        QCOMPARE(b.bodyText(), QString("PUNE-AP-01"));
        QVERIFY(b.load(url("/ap.php?bb=k7t0000007&ip=10.3.1.1"))); // marked offline
        QCOMPARE(b.bodyText(), QString());
        QVERIFY(b.load(url("/ap.php?bb=nobody&ip=")));
        QCOMPARE(b.bodyText(), QString());
        QVERIFY(b.load(url("/policy.php?bb=k7t0000002&ip=10.1.1.2")));
        QVERIFY(b.bodyText().contains("FTTH_100M"));
        QCOMPARE(NocSim::query(sim_.requestsTo("/policy.php").value(0)), (Pairs{{"bb", "k7t0000002"}, {"ip", "10.1.1.2"}}));
    }

    // A page that starts and never finishes on its own holds the connection for the
    // given time, then ends; a silent one sends nothing until then.
    void hangHoldsThenEnds_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("seconds");
        QTest::newRow("headers first") << "" << 6;
        QTest::newRow("silent") << "silent" << 3;
    }
    void hangHoldsThenEnds()
    {
        QFETCH(QString, mode);
        QFETCH(int, seconds);
        QElapsedTimer clock;
        clock.start();
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(sim_.port()));
        QVERIFY(socket.waitForConnected(30000));
        socket.write(QStringLiteral("GET /sim/hang?seconds=%1&mode=%2 HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n")
                         .arg(seconds).arg(mode).toLatin1());
        QByteArray received;
        if (mode.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT((received += socket.readAll()).contains("Waiting") || socket.state() != QTcpSocket::ConnectedState, 60000);
            // Headers and the page's start at once; the connection stays open, unfinished.
            QVERIFY2(received.startsWith("HTTP/1.1 200"), received.constData());
            QVERIFY(received.contains("Waiting"));
            QVERIFY(!received.contains("Done."));
            QCOMPARE(socket.state(), QTcpSocket::ConnectedState);
        }
        // The end: the last chunk, after the given time.
        QTRY_VERIFY_WITH_TIMEOUT((received += socket.readAll()).endsWith("0\r\n\r\n") || socket.state() != QTcpSocket::ConnectedState, 60000);
        received += socket.readAll();
        QVERIFY2(clock.elapsed() >= seconds * 1000 - 100, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(received.contains(mode.isEmpty() ? QByteArray("Done.") : QByteArray("Answered after 3 seconds")));
        QCOMPARE(sim_.requestsTo("/sim/hang").size(), 1);
    }

    // A data file of one's own; a broken one stops the start with a reason.
    void ownDataFile()
    {
        QTemporaryDir dir;
        QFile good(dir.filePath("good.json"));
        QVERIFY(good.open(QIODevice::WriteOnly));
        good.write(R"({"directory": [{"userId": "x@abcdefgh", "telephone": "0-1-2", "directoryNumber": " 12AB",
                       "status": "SUSPENDED", "ssa": "SSA1", "circle": "C,WITH,COMMAS", "location": "L"}]})");
        good.close();
        NocSim own;
        QVERIFY2(own.start(good.fileName()), qPrintable(own.errorText()));
        Browser b;
        QVERIFY(b.load(QUrl(own.baseUrl() + "/easyldapbeta/search?UserName=x%40abcdefgh")));
        QCOMPARE(b.bodyText().mid(61), QString("USER_ID=x@abcdefgh\r\nTELEPHONE_NUMBER=0-1-2\r\nDN_NUM= 12AB\r\nSTATE=SUSPENDED\r\nL,SSA1,C,WITH,COMMAS"));

        QFile bad(dir.filePath("bad.json"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"onus": [{"mac": "not a mac"}]})");
        bad.close();
        NocSim broken;
        QVERIFY(!broken.start(bad.fileName()));
        QVERIFY2(broken.errorText().contains("ended"), qPrintable(broken.errorText()));
    }

    // The mail server keeps what a real SMTP client sends and decodes it.
    void smtpSinkReceivesMail()
    {
        const QString curl = QStandardPaths::findExecutable("curl");
        if (curl.isEmpty()) QSKIP("no curl to send with");
        SmtpSink sink;
        QVERIFY2(sink.start(), qPrintable(sink.errorText()));
        QCOMPARE(sink.url(), QStringLiteral("smtp://127.0.0.1:%1").arg(sink.port()));

        QTemporaryDir dir;
        QFile mail(dir.filePath("mail.eml"));
        QVERIFY(mail.open(QIODevice::WriteOnly));
        mail.write("From: K7T NOC <noc@k7t.local>\r\n"
                   "To: sde.bb.pune@zeza.local, GM <gm.pune@zeza.local>\r\n"
                   "Cc: cbh.maharashtra@k7t.local\r\n"
                   "Subject: =?UTF-8?B?" + QString::fromUtf8("FAULT OPENED: PUNE-OLT-01 — fibre cut").toUtf8().toBase64() + "?=\r\n"
                   "MIME-Version: 1.0\r\n"
                   "Content-Type: multipart/alternative; boundary=\"b1\"\r\n"
                   "\r\n"
                   "--b1\r\n"
                   "Content-Type: text/plain; charset=utf-8\r\n"
                   "Content-Transfer-Encoding: base64\r\n\r\n" +
                   QByteArray("Site PUNE-OLT-01 is down.\n").toBase64() + "\r\n"
                   "--b1\r\n"
                   "Content-Type: text/html; charset=utf-8\r\n"
                   "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                   "<html><body><p>Site <b>PUNE-OLT-01</b> is down =E2=82=B9 a=3Db, since 10:05 AM. Call 98200000=\r\n"
                   "01.</p></body></html>\r\n"
                   "--b1--\r\n");
        mail.close();

        QProcess send;
        send.start(curl, {"--silent", "--show-error", sink.url(), "--mail-from", "noc@k7t.local", "--mail-rcpt", "sde.bb.pune@zeza.local",
                          "--mail-rcpt", "gm.pune@zeza.local", "--mail-rcpt", "cbh.maharashtra@k7t.local", "--upload-file", mail.fileName()});
        QVERIFY(send.waitForFinished(60000));
        QVERIFY2(send.exitCode() == 0, send.readAllStandardError().constData());

        QTRY_COMPARE_WITH_TIMEOUT(sink.messages().size(), 1, 30000);
        const Mail m = sink.messages().first();
        QCOMPARE(m.from, QString("noc@k7t.local"));
        QCOMPARE(m.to, (QStringList{"sde.bb.pune@zeza.local", "gm.pune@zeza.local"}));
        QCOMPARE(m.cc, QStringList{"cbh.maharashtra@k7t.local"});
        QCOMPARE(m.subject, QString::fromUtf8("FAULT OPENED: PUNE-OLT-01 — fibre cut"));
        QVERIFY2(m.htmlBody.contains(QString::fromUtf8("<b>PUNE-OLT-01</b> is down ₹ a=b, since 10:05 AM. Call 9820000001.</p>")), qPrintable(m.htmlBody));
        QCOMPARE(m.textBody, QString("Site PUNE-OLT-01 is down.\n"));
        QCOMPARE(m.envelopeFrom, QString("noc@k7t.local"));
        QCOMPARE(m.envelopeTo, (QStringList{"sde.bb.pune@zeza.local", "gm.pune@zeza.local", "cbh.maharashtra@k7t.local"}));
        QVERIFY(m.raw.contains("Content-Transfer-Encoding: quoted-printable"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    NocSimTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nocsim.moc"
