// The embedded web view against the simulator's pages: bounded waits that keep
// serving events, forms filled and submitted, the body text read back.
#include "core/WebView.h"
#include "support/NocSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineView>
#include <QtTest/QTest>

using namespace k7t;
using k7t::test::NocSim;

class WebViewTest : public QObject {
    Q_OBJECT
    NocSim sim;

    QUrl at(const QString& pathAndQuery) const { return QUrl(sim.baseUrl() + pathAndQuery); }

private slots:
    void initTestCase() { QVERIFY2(sim.start(), qPrintable(sim.errorText())); }

    void waitForAPageThatNeverEndsStopsAtTheLimit_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("trickling") << "/sim/hang?seconds=60";
        QTest::newRow("silent") << "/sim/hang?seconds=60&mode=silent";
    }
    void waitForAPageThatNeverEndsStopsAtTheLimit()
    {
        QFETCH(QString, page);
        QWidget window;
        auto* web = new WebView(&window);
        web->setWaitSeconds(2);
        window.show();
        int served = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] { ++served; });
        tick.start(50);

        web->load(at(page));
        QVERIFY(web->isBusy());
        QCOMPARE(web->url(), at(page));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!web->waitForPage());
        QVERIFY2(clock.elapsed() >= 1900, "the wait ended before its limit");
        QVERIFY2(served > 5, "the window's events were not served during the wait");
        QVERIFY(web->isBusy()); // the page is still coming; the operator may see it arrive
        web->view()->stop();
    }

    void fillsAndSubmitsTheFirstFormAndReadsTheAnswer()
    {
        QWidget window;
        auto* web = new WebView(&window);
        web->setWaitSeconds(20);
        window.show();
        sim.clearLog();

        web->load(at("/easyldapbeta"));
        QVERIFY(web->waitForPage());
        QVERIFY(!web->isBusy());
        const int searchPageLength = web->bodyText().size();
        QVERIFY(searchPageLength > 0);

        const QString typed = QStringLiteral("it's a&b c#d+e=\"f\"");
        QVERIFY(web->setFormField("UserName", typed));
        QVERIFY(!web->setFormField("NoSuchField", "x"));
        QVERIFY(web->submitForm());
        QVERIFY(web->isBusy());
        QVERIFY(web->waitForPage());
        QVERIFY(web->waitWhileBodyLength(searchPageLength));
        QCOMPARE(web->url().path(), QStringLiteral("/easyldapbeta/search"));
        QVERIFY(web->bodyText().contains("DIRECTORY SEARCH RESULT"));

        const auto searches = sim.requestsTo("/easyldapbeta/search");
        QCOMPARE(searches.size(), 1);
        QCOMPARE(NocSim::queryValue(searches.first(), "UserName"), typed);
    }

    void aPageWithoutAFormOrBodyRefusesQuietly()
    {
        QWidget window;
        auto* web = new WebView(&window);
        web->setWaitSeconds(10);
        QVERIFY(web->bodyText().isEmpty()); // nothing loaded yet: an empty page
        web->load(at("/olt/usage.php?ip=10.1.1.1&mac="));
        QVERIFY(web->waitForPage());
        QVERIFY(!web->setFormField("UserName", "x"));
        QVERIFY(!web->submitForm());
        QVERIFY(!web->isBusy());
        QVERIFY(web->waitForPage());
    }

    void aFailedLoadEndsTheWaitWithFalse()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();

        QWidget window;
        auto* web = new WebView(&window);
        web->setWaitSeconds(20);
        web->load(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
        QVERIFY(!web->waitForPage());
        QVERIFY(!web->isBusy());
    }

    // Closing the window while an action waits must not destroy the screen under the
    // action: the wait ends, the action goes on to its end, then the window closes.
    void closingTheWindowEndsTheWaitAndClosesAfterwards()
    {
        QPointer<QWidget> window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* web = new WebView(window);
        web->setWaitSeconds(120);
        window->show();
        web->load(at("/sim/hang?seconds=60"));
        QTimer::singleShot(300, window, [window] { window->close(); });

        QVERIFY(!web->waitForPage()); // ended by the close, long before its limit
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!web->waitForPage()); // later waits of the closing window end at once
        QCOMPARE(web->bodyText(), QString());

        QTRY_VERIFY_WITH_TIMEOUT(!window, 20000); // closed and gone once the action returned
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    WebViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
