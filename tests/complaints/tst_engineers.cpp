// The engineer register: the list, choosing, searching, adding, changing a phone
// number and clearing, with the messages of each path.
#include "core/MainWindow.h"
#include "support/TestApp.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace k7t;
using test::control;

class EngineersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<MainWindow> main;
    QWidget* screen = nullptr;

    QLineEdit* box(const char* name) { return control<QLineEdit>(screen, name); }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(screen, button), Qt::LeftButton); }

private slots:
    void init()
    {
        t = std::make_unique<test::TestApp>();
        t->exec("insert into engineer values('RAVI KUMAR','9800000001','PUNE')");
        t->exec("insert into engineer values('  ANIL  ','9800000002','NASHIK')");
        t->exec("insert into engineer values('D''SOUZA','9800000003','GOA')");
        main = std::make_unique<MainWindow>(t->app(), programScreens());
        QAction* item = main->findChild<QAction*>("m6");
        QVERIFY(item && item->isEnabled());
        item->trigger();
        screen = main->screen("Form7");
        QVERIFY(screen);
    }

    void cleanup()
    {
        main.reset();
        t.reset();
    }

    void opensWithTheListAsStored()
    {
        QCOMPARE(screen->windowTitle(), QString("ADD ENGINEER"));
        QVERIFY(screen->isWindow()); // a window of its own, not inside the main window
        auto* list = control<QComboBox>(screen, "Combo1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QString("RAVI KUMAR"));
        QCOMPARE(list->itemText(1), QString("ANIL"));
        QCOMPARE(list->currentText(), QString("Engineer List"));
        QCOMPARE(control<QLabel>(screen, "labelName")->buddy(), box("Text1"));
    }

    void choosingFillsNameAndPhoneOnly()
    {
        box("Text3")->setText("kept");
        auto* list = control<QComboBox>(screen, "Combo1");
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(box("Text1")->text(), QString("ANIL"));
        QCOMPARE(box("Text2")->text(), QString("9800000002"));
        QCOMPARE(box("Text3")->text(), QString("kept"));
    }

    void searchComparesExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phone");
        QTest::newRow("exact") << "RAVI KUMAR" << "9800000001";
        QTest::newRow("quote") << "D'SOUZA" << "9800000003";
        QTest::newRow("stored with blanks, typed without") << "ANIL" << "9800000002";
        QTest::newRow("other capitals") << "ravi kumar" << "unchanged";
        QTest::newRow("surrounding blanks") << " RAVI KUMAR" << "unchanged";
    }
    void searchComparesExactly()
    {
        QFETCH(QString, name);
        QFETCH(QString, phone);
        box("Text1")->setText(name);
        box("Text2")->setText("unchanged");
        click("Command3");
        QCOMPARE(box("Text2")->text(), phone);
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void addRefusesEmptyFieldsAndStoresEveryAdd()
    {
        box("Text1")->setText("NEW ONE");
        click("Command1");
        QCOMPARE(t->dialogs().last().text, QString("Please insert all data"));
        QCOMPARE(t->dialogs().last().kind, MessageKind::Exclamation);
        QCOMPARE(t->dialogs().last().title, QString("ZEZA"));
        QCOMPARE(t->value("select count(*) from engineer where Engineer='NEW ONE'"), QString("0"));

        box("Text2")->setText("9811111111");
        click("Command1");
        click("Command1");
        QCOMPARE(t->dialogs().last().text, QString("DATA SUBMITED SUCCESSFULY"));
        QCOMPARE(t->dialogs().last().kind, MessageKind::Information);
        QCOMPARE(t->rows("select Engineer, Phone, AREA from engineer where Engineer='NEW ONE'"),
                 QStringList({"NEW ONE|9811111111|", "NEW ONE|9811111111|"}));
        // The list shows the new name only when the screen is opened again.
        QCOMPARE(control<QComboBox>(screen, "Combo1")->count(), 3);
    }

    void updateChangesEveryRowOfTheNameAndSaysWhenThereIsNone()
    {
        t->exec("insert into engineer values('RAVI KUMAR','9800000009','MUMBAI')");
        box("Text1")->setText("RAVI KUMAR");
        box("Text2")->setText("9822222222");
        click("Command2");
        QCOMPARE(t->dialogs().last().text, QString("DATA UPDATED SUCCESSFULY"));
        QCOMPARE(t->rows("select Phone from engineer where Engineer='RAVI KUMAR'"), QStringList({"9822222222", "9822222222"}));

        box("Text1")->setText("NOBODY");
        click("Command2");
        QCOMPARE(t->dialogs().last().kind, MessageKind::Exclamation);
        QCOMPARE(t->dialogs().last().text, QString("NO ENGINEER NAMED NOBODY IS REGISTERED. NOTHING WAS UPDATED."));
        QCOMPARE(t->value("select count(*) from engineer where Phone='9822222222'"), QString("2"));
    }

    void clearKeepsTheArea()
    {
        box("Text1")->setText("A");
        box("Text2")->setText("B");
        box("Text3")->setText("C");
        click("Command4");
        QCOMPARE(box("Text1")->text(), QString());
        QCOMPARE(box("Text2")->text(), QString());
        QCOMPARE(box("Text3")->text(), QString("C"));
    }

    void aFailingStatementIsShownWithItsNumber()
    {
        t->exec("drop table engineer");
        box("Text1")->setText("X");
        box("Text2")->setText("1");
        click("Command1");
        QCOMPARE(t->dialogs().boxes().size(), 1);
        QVERIFY(t->dialogs().last().text.startsWith("Error "));
        QVERIFY(t->dialogs().last().text.contains("engineer"));
    }
};

QTEST_MAIN(EngineersTest)
#include "tst_engineers.moc"
