// Login, session record, main window and logout, driven through the real windows.
#include "core/LoginScreen.h"
#include "core/MainWindow.h"
#include "core/SessionFlow.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>

using namespace k7t;
using k7t::test::control;
using k7t::test::TestApp;

namespace {

// A catalog with two plain screens standing in for working screens: one child, one separate.
ScreenCatalog twoScreens()
{
    ScreenCatalog c;
    auto make = [](const char* name) {
        return [name](AppContext&, Navigator&) {
            auto* w = new QLineEdit;
            w->setObjectName(name);
            return static_cast<QWidget*>(w);
        };
    };
    c.insert("Form3", {ScreenEntry::Kind::Child, make("Form3")});
    c.insert("Form7", {ScreenEntry::Kind::Separate, make("Form7")});
    return c;
}

void typeLogin(LoginScreen* login, const QString& id, const QString& password)
{
    auto* user = control<QLineEdit>(login, "Text1");
    auto* pass = control<QLineEdit>(login, "Text2");
    user->setText(id);
    pass->setText(password);
}

void pressLogin(LoginScreen* login) { QTest::mouseClick(control<QPushButton>(login, "Command1"), Qt::LeftButton); }

} // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void loginScreenShape()
    {
        TestApp t;
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();
        QCOMPARE(login->objectName(), QString("Form13"));
        QCOMPARE(login->windowTitle(), QString("K7T CRM PORTAL"));
        QCOMPARE(control<QLabel>(login, "Label3")->text(), QString("K7T SOLUTIONS PVT LTD"));
        QCOMPARE(control<QPushButton>(login, "Command1")->text(), QString("LOGIN"));
        QCOMPARE(control<QPushButton>(login, "Command2")->text(), QString("CHANGE PASSWORD"));
        QCOMPARE(control<QLineEdit>(login, "Text2")->echoMode(), QLineEdit::Password);
        QVERIFY(!control<QPushButton>(login, "Command2")->isEnabled()); // no password screen in this catalog
        // Labels name their fields.
        QStringList captions;
        for (QLabel* l : login->findChildren<QLabel*>())
            if (l->buddy()) captions << l->text() + "->" + l->buddy()->objectName();
        captions.sort();
        QCOMPARE(captions, (QStringList{"PASSWORD :->Text2", "USER NAME: ->Text1"}));
        login->close();
    }

    void enterMovesOnWithoutLoggingIn()
    {
        TestApp t;
        t.addOperator("ASHA", "98", "pw");
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();
        QApplication::setActiveWindow(login);
        auto* user = control<QLineEdit>(login, "Text1");
        user->setFocus();
        QTest::keyClicks(user, "98");
        QTest::keyClick(user, Qt::Key_Return);
        QTRY_VERIFY(control<QLineEdit>(login, "Text2")->hasFocus());
        QTest::keyClicks(control<QLineEdit>(login, "Text2"), "pw");
        QTest::keyClick(control<QLineEdit>(login, "Text2"), Qt::Key_Enter);
        QTRY_VERIFY(control<QPushButton>(login, "Command1")->hasFocus());
        QVERIFY(t.dialogs().boxes().isEmpty()); // Enter pressed no button
        QVERIFY(!flow.mainWindow());
        login->close();
    }

    void refusedLogins_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << "98" << "nope";
        QTest::newRow("unknown user") << "99" << "pw";
        QTest::newRow("injection in password") << "98" << "' or '1'='1";
        QTest::newRow("injection in user") << "' or '1'='1' --" << "x";
        QTest::newRow("empty") << "" << "";
    }
    void refusedLogins()
    {
        QFETCH(QString, id);
        QFETCH(QString, password);
        TestApp t;
        t.addOperator("ASHA", "98", "pw");
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();
        typeLogin(login, id, password);
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"INVALID USER ID OR PASSWORD"});
        QCOMPARE(t.dialogs().last().kind, MessageKind::Plain);
        QCOMPARE(t.dialogs().last().title, QString("K7T CRM"));
        QVERIFY(login->isVisible());
        QVERIFY(!flow.mainWindow());
        QCOMPARE(t.value("select MAC from CRM"), QString("NA"));
        QVERIFY(!t.app().currentUser().isSet());
        login->close();
    }

    void loginRecordsSessionAndOpensMainWindow()
    {
        TestApp t;
        t.addOperator("  O'NEIL KUMAR ", "98", "pw");
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();
        typeLogin(login, "98", "pw");
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"WELCOME O'NEIL KUMAR TO K7T CRM PORTAL"});
        QCOMPARE(t.dialogs().last().kind, MessageKind::Plain);
        QCOMPARE(t.value("select MAC, STATUS, crm_ip from CRM"), QString("AA:BB:CC:00:00:01|ACTIVE|10.20.30.40"));
        QCOMPARE(t.app().currentUser().name(), QString("O'NEIL KUMAR"));
        QTRY_VERIFY(!flow.loginScreen()); // unloaded, not hidden
        QVERIFY(flow.mainWindow());
        QVERIFY(flow.mainWindow()->isVisible());
        QCOMPARE(flow.mainWindow()->objectName(), QString("MDIForm1"));
        QCOMPARE(flow.mainWindow()->windowTitle(), QString("ZEZA BROADBAND SERVICE"));
        flow.mainWindow()->close();
        QCOMPARE(t.value("select MAC, STATUS from CRM"), QString("NA|INACTIVE"));
        QCOMPARE(t.app().currentUser().name(), QString("O'NEIL KUMAR")); // kept after the close
    }

    void openSessionNoThenWrongPasswordThenYes()
    {
        TestApp t;
        t.addOperator("ASHA", "98", "pw", "11:22:33:44:55:66");
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();

        typeLogin(login, "98", "pw");
        t.dialogs().answerNext(false);
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"YOU ARE ALREADY LOGGED IN FROM 11:22:33:44:55:66LOG OUT PREVIOUS WINDOW"});
        QCOMPARE(t.dialogs().last().kind, MessageKind::Question);
        QCOMPARE(t.dialogs().last().title, QString("K7T"));
        QCOMPARE(t.value("select MAC, STATUS from CRM"), QString("11:22:33:44:55:66|ACTIVE"));

        t.dialogs().clear();
        typeLogin(login, "98", "wrong");
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"INVALID USER ID OR PASSWORD"}); // no question this time

        t.dialogs().clear();
        typeLogin(login, "98", "pw");
        t.dialogs().answerNext(true);
        pressLogin(login);
        QCOMPARE(t.dialogs().boxes().size(), 1); // the question, no welcome
        QCOMPARE(t.value("select MAC, STATUS from CRM"), QString("NA|INACTIVE"));
        QVERIFY(login->isVisible());
        QVERIFY(!flow.mainWindow());

        t.dialogs().clear();
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"WELCOME ASHA TO K7T CRM PORTAL"});
        QTRY_VERIFY(flow.mainWindow());
        flow.mainWindow()->close();
    }

    void unreachableDatabaseIsAWrongLogin()
    {
        TestApp t;
        DatabaseConfig gone = t.app().database();
        gone.sqliteFile = t.dir() + "/gone.sqlite";
        t.app().setDatabase(gone);
        SessionFlow flow(t.app(), {});
        LoginScreen* login = flow.showLogin();
        typeLogin(login, "98", "pw");
        pressLogin(login);
        QCOMPARE(t.dialogs().texts(), QStringList{"INVALID USER ID OR PASSWORD"});
        login->close();
    }

    void menuHasNineItemsInOrder()
    {
        TestApp t;
        MainWindow w(t.app(), twoScreens());
        const QList<QMenu*> menus = w.menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus.first()->objectName(), QString("M"));
        QCOMPARE(menus.first()->title(), QString("OPEN"));
        QStringList items;
        for (QAction* a : menus.first()->actions())
            items << a->objectName() + "=" + a->text() + (a->isEnabled() ? "" : " (disabled)") + (a->shortcut().isEmpty() ? "" : " (shortcut)");
        QCOMPARE(items, (QStringList{"M3=COMPLAIN", "m5=ADD CUSTOMER (disabled)", "m6=Add Engineer", "SLA=SLA (disabled)",
                                     "m7=BTS FAULT (disabled)", "M9=AP AND USER STATUS (disabled)", "m8=ONU CONFIGURATION (disabled)",
                                     "C3=OLT INNER VLAN (disabled)", "C5=VOICE IP (disabled)"}));
    }

    void eachScreenAtMostOnce()
    {
        TestApp t;
        auto* w = new MainWindow(t.app(), twoScreens());
        w->show();
        QAction* complain = w->findChild<QAction*>("M3");
        complain->trigger();
        auto* first = qobject_cast<QLineEdit*>(w->screen("Form3"));
        QVERIFY(first);
        first->setText("typed by the operator");
        complain->trigger();
        QCOMPARE(w->screen("Form3"), first);
        QCOMPARE(first->text(), QString("typed by the operator"));
        auto* area = w->findChild<QMdiArea*>();
        QCOMPARE(area->subWindowList().size(), 1);
        QVERIFY(area->subWindowList().first()->isMaximized());

        w->findChild<QAction*>("m6")->trigger();
        QWidget* separate = w->screen("Form7");
        QVERIFY(separate && separate->isWindow());
        w->findChild<QAction*>("m6")->trigger();
        QCOMPARE(w->screen("Form7"), separate);

        // Closed, then chosen again: a fresh screen.
        area->subWindowList().first()->close();
        QTRY_VERIFY(!w->screen("Form3"));
        complain->trigger();
        QVERIFY(w->screen("Form3"));
        QVERIFY(qobject_cast<QLineEdit*>(w->screen("Form3"))->text().isEmpty());

        QPointer<QWidget> keep = separate;
        w->close(); // child screens go with it, separate windows stay
        QTRY_VERIFY(keep);
        QVERIFY(keep->isVisible());
        delete keep.data();
    }

    void logoutTouchesOnlyThisWorkstation_data()
    {
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("two rows on this workstation")
            << "AA:BB:CC:00:00:01" << QStringList{"A|NA|INACTIVE", "B|NA|INACTIVE", "C|11:11:11:11:11:11|ACTIVE"};
        QTest::newRow("no row holds this MAC")
            << "FF:FF:FF:FF:FF:FF" << QStringList{"A|AA:BB:CC:00:00:01|ACTIVE", "B|AA:BB:CC:00:00:01|ACTIVE", "C|11:11:11:11:11:11|ACTIVE"};
    }
    void logoutTouchesOnlyThisWorkstation()
    {
        QFETCH(QString, mac);
        QFETCH(QStringList, after);
        TestApp t;
        t.addOperator("A", "1", "p", "AA:BB:CC:00:00:01");
        t.addOperator("B", "2", "p", "AA:BB:CC:00:00:01");
        t.addOperator("C", "3", "p", "11:11:11:11:11:11");
        t.app().workstation().pin(mac, "10.0.0.9");
        auto* w = new MainWindow(t.app(), {});
        w->show();
        w->close();
        QCOMPARE(t.rows("select NAME, MAC, STATUS from CRM order by NAME"), after);
        QVERIFY(t.dialogs().boxes().isEmpty());
    }

    void logoutErrorIsReportedAndWindowCloses()
    {
        TestApp t;
        auto* w = new MainWindow(t.app(), {});
        QPointer<MainWindow> alive = w;
        w->show();
        t.exec("drop table CRM");
        w->close();
        QCOMPARE(t.dialogs().boxes().size(), 1);
        QVERIFY(t.dialogs().last().text.contains("no such table: crm", Qt::CaseInsensitive));
        QTRY_VERIFY(!alive);
    }
};

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
