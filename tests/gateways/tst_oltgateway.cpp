// OLT gateway requests as the gateway receives them, and the ONU MAC answer read
// from the page in the web view.
#include "core/WebView.h"
#include "gateways/olt/OltGateway.h"
#include "support/NocSim.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QtTest/QTest>

using namespace k7t;
using k7t::test::NocSim;
using Pairs = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Pairs)

class OltGatewayTest : public QObject {
    Q_OBJECT
    NocSim sim;
    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<QWidget> window;
    WebView* web = nullptr;

    olt::OltGateway gateway() { return olt::OltGateway(t->app().settings()); }

    // Loads `url` in the view as a screen does; the one request the gateway got.
    QJsonObject received(const QUrl& url, const QString& path)
    {
        sim.clearLog();
        web->load(url);
        if (!web->waitForPage()) return {};
        const auto got = sim.requestsTo(path);
        return got.size() == 1 ? got.first() : QJsonObject();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        t = std::make_unique<test::TestApp>();
        t->app().settings().set("OltGatewayBaseUrl", sim.baseUrl() + "/");
        t->app().settings().set("SipServerAddress", "10.9.9.9");
        t->app().settings().set("CustomerWebPhoneUser", "201");
        t->app().settings().set("CustomerWebPhonePassword", "p&1");
        t->app().settings().set("OnuWebPhoneUser", "301");
        t->app().settings().set("OnuWebPhonePassword", "3#1");
        window = std::make_unique<QWidget>();
        web = new WebView(window.get());
        web->setWaitSeconds(20);
        window->show();
    }

    void everyPathWithItsKeysInOrder_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("path");
        QTest::addColumn<Pairs>("query");
        const QString ip = "10.1.1.1";
        const QString mac = "D8:0D:17:01:00:01";
        const olt::OltGateway g = gateway();
        for (const char* path : {olt::kOnuStatus, olt::kOnuWanStatus, olt::kOnuPhoneStatus, olt::kOnuWifiStatus,
                                 olt::kOnuRestart, olt::kOnuReset, olt::kUsage, olt::kOnuMac})
            QTest::newRow(path) << g.onu(path, ip, mac) << path << Pairs{{"ip", ip}, {"mac", mac}};
        QTest::newRow("offline") << g.offlineUsers(ip) << "/olt/onu_offline.php" << Pairs{{"ip", ip}};
        QTest::newRow("vlan check") << g.vlanCheck(ip, "1203") << "/olt/vlan_check.php" << Pairs{{"ip", ip}, {"vlan", "1203"}};
        QTest::newRow("wan config") << g.wanConfig(ip, mac, "ravi@ftth.k7t", "1203", "pa&ss#w+d=1 2", "1460")
                                    << "/olt/onu_wan_config.php"
                                    << Pairs{{"ip", ip}, {"mac", mac}, {"bb_id", "ravi@ftth.k7t"}, {"bb_inner_vlan", "1203"},
                                             {"bb_pas", "pa&ss#w+d=1 2"}, {"bb_mtu", "1460"}};
        QTest::newRow("phone config") << g.phoneConfig(ip, mac, "3001", "k7t1234", "ims.k7t", "+911123456789")
                                      << "/olt/onu_phone_config.php"
                                      << Pairs{{"ip", ip}, {"mac", mac}, {"voip_vlan", "3001"}, {"pas", "k7t1234"},
                                               {"sip", "ims.k7t"}, {"phone", "k911123456789"}};
        QTest::newRow("wifi config") << g.wifiConfig(ip, mac, "Ravi Home  Wifi", "p&ss #1+x")
                                     << "/olt/onu_wifi_config.php"
                                     << Pairs{{"ip", ip}, {"mac", mac}, {"name", "Ravi-Home--Wifi"}, {"pas", "p&ss #1+x"}};
        QTest::newRow("wifi config 5 GHz") << g.wifiConfig(ip, mac, "Ravi 5G", "abc", olt::OltGateway::Band::FiveGHz)
                                           << "/olt/onu_wifi_config5.php"
                                           << Pairs{{"ip", ip}, {"mac", mac}, {"name", "Ravi-5G"}, {"pas", "abc"}};
        QTest::newRow("customer web phone") << g.customerWebPhone("1123456789") << "/webphone/click2call.html"
                                            << Pairs{{"wp_serveraddress", "10.9.9.9:5060"}, {"wp_username", "201"},
                                                     {"wp_password", "p&1"}, {"wp_callto", "01123456789"},
                                                     {"wp_autoaction", "1"}};
        QTest::newRow("onu web phone") << g.onuWebPhone("1123456789") << "/webphone/click2call.html"
                                       << Pairs{{"wp_serveraddress", "10.9.9.9"}, {"wp_username", "301"},
                                                {"wp_password", "3#1"}, {"wp_md5", "MD5AUTH"}, {"wp_callto", "01123456789"}};
    }
    void everyPathWithItsKeysInOrder()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, path);
        QFETCH(Pairs, query);
        const QJsonObject request = received(url, path);
        QVERIFY2(!request.isEmpty(), qPrintable("no request for " + url.toString()));
        QCOMPARE(request.value("method").toString(), QStringLiteral("GET"));
        QCOMPARE(NocSim::query(request), query);
    }

    void macAnswerOnlyAtExactly84Characters_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("mac");
        QTest::newRow("84: an ONU found") << "03:00:02" << 84 << "D8:0D:17:03:00:02";
        QTest::newRow("83") << "test-short-83" << 83 << "";
        QTest::newRow("85") << "test-long-85" << 85 << "";
        QTest::newRow("not found") << "test-not-found" << -1 << "";
    }
    void macAnswerOnlyAtExactly84Characters()
    {
        QFETCH(QString, fragment);
        QFETCH(int, length);
        QFETCH(QString, mac);
        QVERIFY(!received(gateway().onu(olt::kOnuMac, "10.1.1.1", fragment), olt::kOnuMac).isEmpty());
        const QString body = web->bodyText();
        if (length >= 0) QCOMPARE(body.size(), length);
        const auto found = olt::OltGateway::macFromAnswer(body);
        QCOMPARE(found.has_value(), !mac.isEmpty());
        if (found) QCOMPARE(*found, mac);
    }

    void macAnswerIsTrimmedFromItsPlace()
    {
        const QString body = "ONU MAC : " + QString(" 8A:5A:00:11:22 ").leftJustified(17) + QString(57, '-');
        QCOMPARE(body.size(), 84);
        QCOMPARE(olt::OltGateway::macFromAnswer(body), std::optional<QString>("8A:5A:00:11:22"));
        QCOMPARE(olt::OltGateway::macFromAnswer(QString()), std::nullopt);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    OltGatewayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_oltgateway.moc"
