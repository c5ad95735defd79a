// The password change as an operator meets it: from the login screen's CHANGE
// PASSWORD, through the refusals, to the change, its SMS and a login with the new
// password on the fresh login screen.
#include "core/SessionFlow.h"
#include "support/NocSim.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest/QTest>

using namespace k7t;
using k7t::test::NocSim;
using k7t::test::control;

class PasswordScreenTest : public QObject {
    Q_OBJECT
    NocSim sim;
    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<SessionFlow> flow;

    // The login screen's CHANGE PASSWORD, as the operator presses it.
    QWidget* openFromLogin()
    {
        QPointer<LoginScreen> login = flow->showLogin();
        auto* change = control<QPushButton>(login, "Command2");
        if (!change->isEnabled()) return nullptr;
        QTest::mouseClick(change, Qt::LeftButton);
        QWidget* screen = flow->passwordScreen();
        if (!screen || !screen->isVisible() || login->isVisible()) return nullptr;
        return screen;
    }

    void fill(QWidget* screen, const QString& id, const QString& old, const QString& fresh, const QString& repeat)
    {
        const QList<QPair<const char*, QString>> fields{{"Text1", id}, {"Text2", old}, {"Text3", fresh}, {"Text4", repeat}};
        for (const auto& [name, value] : fields) {
            auto* field = control<QLineEdit>(screen, name);
            field->clear();
            QTest::keyClicks(field, value);
        }
    }

    QString passwordOf(const QString& id) { return t->value("select PASSWORD from CRM where CRM_ID='" + id + "'"); }
    QList<QJsonObject> smsSent() { return sim.requestsTo("/api/swsendSingle.asp"); }

private slots:
    void initTestCase() { QVERIFY2(sim.start(), qPrintable(sim.errorText())); }

    void init()
    {
        t = std::make_unique<test::TestApp>();
        t->app().settings().set("SmsGatewayBaseUrl", sim.baseUrl());
        t->app().settings().set("PasswordHelpPhone", "9810012345");
        t->addOperator("RAVI KUMAR", "9876543210", "old1");
        t->addOperator("ASHA RANI", "AshaNoc", "secret  "); // stored with trailing blanks
        flow = std::make_unique<SessionFlow>(t->app(), programScreens());
        sim.clearLog();
    }

    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) w->deleteLater();
        flow.reset();
        QTest::qWait(0);
    }

    void screenLayout()
    {
        QWidget* screen = openFromLogin();
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), QStringLiteral("Form14"));
        QCOMPARE(screen->windowTitle(), QStringLiteral("K7T CRM PASSWORD CHANGE"));
        const QList<QPair<QString, QString>> labels{
            {"USER NAME : ", "Text1"}, {"OLD PASSWORD", "Text2"}, {"NEW PASSWORD", "Text3"}, {"REPEAT PASSWORD", "Text4"}};
        for (const auto& [caption, field] : labels) {
            QLabel* label = nullptr;
            for (QLabel* l : screen->findChildren<QLabel*>())
                if (l->text() == caption) label = l;
            QVERIFY2(label, qPrintable(caption));
            QVERIFY(label->buddy());
            QCOMPARE(label->buddy()->objectName(), field);
        }
        QCOMPARE(control<QPushButton>(screen, "Command1")->text(), QStringLiteral("CHANGE"));
        QCOMPARE(control<QLineEdit>(screen, "Text1")->echoMode(), QLineEdit::Normal);
        for (const char* name : {"Text2", "Text3", "Text4"}) {
            auto* field = control<QLineEdit>(screen, name);
            QCOMPARE(field->echoMode(), QLineEdit::Password);
            QTest::keyClicks(field, "12345678901");
            QCOMPARE(field->text(), QStringLiteral("1234567890"));
        }

        // Enter moves on like Tab and presses nothing.
        QApplication::setActiveWindow(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
        control<QLineEdit>(screen, "Text1")->setFocus();
        for (const char* next : {"Text2", "Text3", "Text4", "Command1"}) {
            QVERIFY(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
        }
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        const QString blank = "BLANK NOT ALLOWED";
        QTest::newRow("no user ID") << QStringList{"", "old1", "new1", "new1"} << blank;
        QTest::newRow("no old password") << QStringList{"9876543210", "", "new1", "new1"} << blank;
        QTest::newRow("no new password") << QStringList{"9876543210", "old1", "", "new1"} << blank;
        QTest::newRow("no repeat") << QStringList{"9876543210", "old1", "new1", ""} << blank;
        QTest::newRow("mismatch") << QStringList{"9876543210", "old1", "new1", "New1"}
                                  << "NEW PASSWORD AND REPEAT PASSWORD MISMATCH PLEASE TRY AGAIN";
        QTest::newRow("unknown user ID") << QStringList{"9999999999", "old1", "new1", "new1"}
                                         << "INCORRECT USER ID PLEASE TRY AGAIN";
        QTest::newRow("quote in user ID") << QStringList{"98' or '1'='1", "old1", "new1", "new1"}
                                          << "INCORRECT USER ID PLEASE TRY AGAIN";
        QTest::newRow("wrong old password") << QStringList{"9876543210", "old2", "new1", "new1"}
                                            << "INCORRECT OLD PASSWORD TRY AGAIN";
        QTest::newRow("old password in other case") << QStringList{"9876543210", "OLD1", "new1", "new1"}
                                                    << "INCORRECT OLD PASSWORD TRY AGAIN";
        QTest::newRow("typed trailing blank") << QStringList{"9876543210", "old1 ", "new1", "new1"}
                                              << "INCORRECT OLD PASSWORD TRY AGAIN";
    }
    void refusals()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QWidget* screen = openFromLogin();
        QVERIFY(screen);
        fill(screen, fields[0], fields[1], fields[2], fields[3]);
        QTest::mouseClick(control<QPushButton>(screen, "Command1"), Qt::LeftButton);
        QCOMPARE(t->dialogs().texts(), QStringList{message});
        QCOMPARE(t->dialogs().last().kind, MessageKind::Information);
        QCOMPARE(t->dialogs().last().title, QStringLiteral("K7T"));
        QCOMPARE(passwordOf("9876543210"), QStringLiteral("old1"));
        QVERIFY(smsSent().isEmpty());
    }

    void unknownUserAfterAWrongPassword()
    {
        QWidget* screen = openFromLogin();
        QVERIFY(screen);
        fill(screen, "9876543210", "nope", "new1", "new1");
        QTest::mouseClick(control<QPushButton>(screen, "Command1"), Qt::LeftButton);
        fill(screen, "1111111111", "nope", "new1", "new1");
        QTest::mouseClick(control<QPushButton>(screen, "Command1"), Qt::LeftButton);
        QCOMPARE(t->dialogs().texts(),
                 (QStringList{"INCORRECT OLD PASSWORD TRY AGAIN", "INCORRECT USER ID PLEASE TRY AGAIN"}));
    }

    void changeThenLogInWithTheNewPassword_data()
    {
        QTest::addColumn<QString>("typedId");
        QTest::addColumn<QString>("storedId");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("fresh");
        QTest::newRow("mobile number") << "9876543210" << "9876543210" << "RAVI KUMAR" << "old1" << "n'w&1#+ x";
        QTest::newRow("stored trailing blanks, ID in other case") << "ashanoc" << "AshaNoc" << "ASHA RANI" << "secret" << "secret";
    }
    void changeThenLogInWithTheNewPassword()
    {
        QFETCH(QString, typedId);
        QFETCH(QString, storedId);
        QFETCH(QString, name);
        QFETCH(QString, old);
        QFETCH(QString, fresh);
        QPointer<QWidget> screen = openFromLogin();
        QVERIFY(screen);
        fill(screen, typedId, old, fresh, fresh);

        int smsWhileMessageOpen = -1;
        t->dialogs().onMessage([&](const ScriptedDialogs::Box& box) {
            if (box.text == "PASSWORD CHANGED SUCCESSFULLY") smsWhileMessageOpen = smsSent().size();
        });
        QTest::mouseClick(control<QPushButton>(screen, "Command1"), Qt::LeftButton);
        t->dialogs().onMessage({});

        QCOMPARE(t->dialogs().texts(), QStringList{"PASSWORD CHANGED SUCCESSFULLY"});
        QCOMPARE(t->dialogs().last().kind, MessageKind::Information);
        QCOMPARE(t->dialogs().last().title, QStringLiteral("K7T"));
        QCOMPARE(smsWhileMessageOpen, 0); // the SMS goes out after the message is closed
        QCOMPARE(passwordOf(storedId), fresh);

        const auto sms = smsSent();
        QCOMPARE(sms.size(), 1);
        QCOMPARE(NocSim::queryValue(sms.first(), "sendto"), typedId);
        QCOMPARE(NocSim::queryValue(sms.first(), "message"),
                 "DEAR " + name + " YOUR K7T CRM PASSWORD HAS BEEN CHANGED IF YOU ARE NOT PLEASE CALL 9810012345");

        // The screen stays with its fields; closing it brings a fresh login screen.
        QVERIFY(screen->isVisible());
        QCOMPARE(control<QLineEdit>(screen, "Text1")->text(), typedId);
        screen->close();
        QTRY_VERIFY(!screen);
        LoginScreen* login = flow->loginScreen();
        QVERIFY(login && login->isVisible());
        QVERIFY(control<QLineEdit>(login, "Text1")->text().isEmpty());
        QVERIFY(control<QLineEdit>(login, "Text2")->text().isEmpty());

        t->dialogs().clear();
        QTest::keyClicks(control<QLineEdit>(login, "Text1"), typedId);
        QTest::keyClicks(control<QLineEdit>(login, "Text2"), fresh);
        QTest::mouseClick(control<QPushButton>(login, "Command1"), Qt::LeftButton);
        QCOMPARE(t->dialogs().texts(), QStringList{"WELCOME " + name + " TO K7T CRM PORTAL"});
        QVERIFY(flow->mainWindow() && flow->mainWindow()->isVisible());
    }

    void aFailedSmsDoesNotUndoTheChange()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        t->app().settings().set("SmsGatewayBaseUrl", QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()));
        closed.close();
        QWidget* screen = openFromLogin();
        QVERIFY(screen);
        fill(screen, "9876543210", "old1", "new1", "new1");
        QTest::mouseClick(control<QPushButton>(screen, "Command1"), Qt::LeftButton);
        QCOMPARE(t->dialogs().boxes().size(), 2);
        QCOMPARE(t->dialogs().texts().first(), QStringLiteral("PASSWORD CHANGED SUCCESSFULLY"));
        QVERIFY2(t->dialogs().last().text.startsWith("Error "), qPrintable(t->dialogs().last().text));
        QCOMPARE(passwordOf("9876543210"), QStringLiteral("new1"));
    }
};

QTEST_MAIN(PasswordScreenTest)
#include "tst_passwordscreen.moc"
