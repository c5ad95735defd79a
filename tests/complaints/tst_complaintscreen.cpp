// The complaint screen on a real database file: search, registration, lookup,
// update and closure, the customer tools, and the history shared by workstations.
#include "core/ClickableLabel.h"
#include "core/MainWindow.h"
#include "core/ResultGrid.h"
#include "core/ScreenCatalog.h"
#include "core/SqlText.h"
#include "screens/complaints/ComplaintHistory.h"
#include "screens/complaints/ComplaintScreen.h"
#include "support/NocSim.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QJsonObject>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

using namespace k7t;
using k7t::test::control;
using k7t::test::NocSim;
using k7t::test::TestApp;

namespace {

struct RecordingNavigator : Navigator {
    QStringList opened;
    QWidget* openScreen(const QString& form) override
    {
        opened << form;
        return nullptr;
    }
};

// Circles, SSAs, engineers and customers the tests work with.
void seed(TestApp& t)
{
    t.exec("insert into circle(circle) values('MAHARASHTRA')");
    t.exec("insert into circle(circle) values(' GUJARAT ')");
    t.exec("insert into ssa(circle,SSA) values('MAHARASHTRA','PUNE')");
    t.exec("insert into ssa(circle,SSA) values('MAHARASHTRA','NASHIK')");
    t.exec("insert into domain values('PUNE','DM PUNE','02024000000','PUNE EXCHANGE','PUNE SDCA','MAHARASHTRA')");
    t.exec("insert into FE values('MAHARASHTRA','PUNE','PUNE','ZED ENGINEER','9700000002')");
    t.exec("insert into FE values('MAHARASHTRA','PUNE','PUNE','ANIL FE','9700000001')");
    t.exec("insert into af_site(circle,ssa,site,IP,LIVE) values('MAHARASHTRA','PUNE','PUNE-AP-01','10.1.1.2','UP')");
    t.exec("insert into af_site(circle,ssa,site,IP,LIVE) values('MAHARASHTRA','PUNE','PUNE-OLT-01','10.1.1.1','DOWN')");
    const QString cols = "insert into cdata(id,name,mobile,address,circle,status,indicator,BA,CBA,EMAIL,PAID,policy,SERVICE,AP,PORT,OTC,nas_ip,CLUSTER) values(";
    t.exec(cols + "'k7t0001',' RAHUL PATIL ','9100000001','1, MG ROAD, PUNE','MAHARASHTRA','active','02026000001','8000000001','7000000001',"
                  "'rahul@mail.local','YES','FTTH_100M','AF','PUNE-AP-01','PUNE-AP-01 / 3','172.17.1.11','10.9.9.1','PUNE')");
    t.exec(cols + "'k7t0002','PRIYA SHAH','9100000002','2, FC ROAD, PUNE','MAHARASHTRA','inactive','02026000002','8000000002','7000000002',"
                  "'priya@mail.local','NO','FTTH_50M','FTTH','PUNE-OLT-01','PUNE-OLT-01 / 4','172.17.1.12','10.9.9.2','PUNE')");
    t.exec(cols + "'k7t0003','AMIT RAO','9100000003','3, JM ROAD, PUNE','MAHARASHTRA','active','02026000003','8000000003','7000000003',"
                  "'amit@mail.local','YES','FTTH_50M','FTTH','NOWHERE-01','x','','10.9.9.3','PUNE')");
    t.exec("insert into OLT(circle,SSA,SITE,ID,MAC) values('MAHARASHTRA','PUNE','PUNE-OLT-01','k7t0001','AA:BB:CC:DD:EE:01')");
}

// A complaint stored directly; returns its number.
QString addComplaint(TestApp& t, const QString& user, const QString& issued, const QString& description = "SPEED ISSUE",
                     const QString& status = "NEW", const QString& cat = "NA")
{
    t.exec("insert into complain(name,mobile,[issue date],description,status,[close date],ssa,fe,[fe mob],pending,address,[user id],circle,ap,ne,cat,srv)"
           " values('RAHUL PATIL','9100000001','" + issued + "','" + sql::text(description) + "','" + status
           + "','4/4/1990 12:00:00 AM','PUNE','ANIL FE','9700000001','0','1, MG ROAD, PUNE','" + user + "','MAHARASHTRA','PUNE-AP-01','op0','"
           + cat + "','AF')");
    return t.value("select max(ID) from complain");
}

QDateTime at(int hour, int minute, int day = 9) { return QDateTime(QDate(2021, 12, day), QTime(hour, minute)); }

} // namespace

class ComplaintScreenTest : public QObject {
    Q_OBJECT

    NocSim sim;
    std::unique_ptr<TestApp> t;
    RecordingNavigator nav;
    QPointer<ComplaintScreen> screen;

    ComplaintScreen* open(TestApp& app, RecordingNavigator& navigator)
    {
        auto* s = new ComplaintScreen(app.app(), navigator);
        s->show();
        s->activateWindow();
        return s;
    }
    template <typename T>
    T* c(const char* name) { return control<T>(screen, name); }
    QLineEdit* text(const char* name) { return c<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return c<QComboBox>(name); }
    void click(const char* name) { c<QPushButton>(name)->click(); }
    void choose(const char* name, const QString& item)
    {
        QComboBox* box = combo(name);
        const int i = box->findText(item);
        QVERIFY2(i >= 0, qPrintable(item));
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    void search(const QString& what)
    {
        text("Text1")->setText(what);
        click("Command8");
    }
    // Types a number into the complaint box of `on` (this test's screen when null) and leaves it.
    void lookUp(const QString& number, QWidget* on = nullptr)
    {
        if (!on) on = screen;
        QApplication::setActiveWindow(on);
        QTRY_VERIFY(on->isActiveWindow());
        auto* box = control<QLineEdit>(on, "Text6");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->setText(number);
        control<QLineEdit>(on, "Text7")->setFocus();
        QTRY_VERIFY(!box->hasFocus());
    }
    QStringList boxes() { return t->dialogs().texts(); }

private slots:
    void initTestCase() { QVERIFY2(sim.start(), qPrintable(sim.errorText())); }

    void init()
    {
        t = std::make_unique<TestApp>();
        t->app().settings().set("ComplaintHookBaseUrl", sim.baseUrl());
        t->app().settings().set("DatabaseServer", QStringLiteral("127.0.0.1:%1").arg(sim.port()));
        sim.clearLog();
        t->app().currentUser().set("op1");
        t->app().desktop().record();
        seed(*t);
        nav.opened.clear();
        screen = open(*t, nav);
    }
    void cleanup()
    {
        delete screen;
        t.reset();
    }

    void opensWithItsListsAndClock()
    {
        QVERIFY(programScreens().contains("Form3"));
        QCOMPARE(programScreens().value("Form3").kind, ScreenEntry::Kind::Child);
        QCOMPARE(screen->objectName(), QString("Form3"));
        QCOMPARE(screen->windowTitle(), QString("Complain"));
        QCOMPARE(c<QLabel>("Label13")->text(), QString("YOU ARE LOGIN AS op1"));
        QCOMPARE(c<QLabel>("Label16")->text(), QString("5555"));
        QVERIFY(!c<QPushButton>("Command3")->isEnabled());
        QVERIFY(c<QPushButton>("Command2")->isEnabled());
        auto items = [](QComboBox* b) { QStringList l; for (int i = 0; i < b->count(); ++i) l << b->itemText(i); return l; };
        QCOMPARE(items(combo("Combo1")), QStringList({"BILLING ISSUE", "DDOS", "DEVICE NOT CONNECTED", "NO INTERNET ACCESS", "ODU PROBLEM",
                                                      "PHONE NOT WORKING", "SIGNAL WEAK", "SITE  DOWN", "SPEED ISSUE"}));
        QCOMPARE(items(combo("Combo2")), QStringList({"SITE DOWN", "WIRE DOWN", "BILLING ISSUE", "VOIP ISSUE", "OTHER"}));
        QCOMPARE(items(combo("Combo6")), QStringList({"YES", "NO"}));
        QCOMPARE(items(combo("Combo4")), QStringList({"GUJARAT", "MAHARASHTRA"}));
        // Filling a list leaves the text that the box shows alone.
        QCOMPARE(combo("Combo6")->currentText(), QString());
        QCOMPARE(combo("Combo1")->currentText(), QString());
        QCOMPARE(text("Text19")->text(), QString("MAC ADDRESS, NAS IP"));
        QCOMPARE(text("Text20")->text(), QString("VOIP IP ADDRESS"));
        // Captions name their fields.
        QCOMPARE(c<QLabel>("Text1Caption")->buddy(), text("Text1"));
        QCOMPARE(c<QLabel>("Label29")->buddy(), text("Text18"));

        QCOMPARE(text("Text11")->text(), QString("4-Jan-23 21:15"));
        auto* timer = screen->findChild<QTimer*>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        t->app().clock().set(QDateTime(QDate(2023, 1, 4), QTime(21, 5)));
        QTRY_COMPARE_WITH_TIMEOUT(text("Text11")->text(), QString("4-Jan-23 9:5 PM"), 10000);
    }

    void searchFindsByAnyKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("id") << "K7T0001" << "k7t0001";
        QTest::newRow("indicator") << "02026000001" << "k7t0001";
        QTest::newRow("BA") << "8000000001" << "k7t0001";
        QTest::newRow("mobile, active") << "9100000001" << "k7t0001";
        QTest::newRow("id, inactive") << "k7t0002" << "k7t0002";
        QTest::newRow("BA, inactive") << "8000000002" << "k7t0002";
        QTest::newRow("indicator, inactive") << "02026000002" << "k7t0002";
        QTest::newRow("mobile, inactive") << "9100000002" << "";
    }
    void searchFindsByAnyKey()
    {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        search(typed);
        QCOMPARE(boxes(), QStringList());
        QCOMPARE(text("Text1")->text(), found.isEmpty() ? typed : found);
        QCOMPARE(text("Text2")->text().isEmpty(), found.isEmpty());
    }

    void searchFillsTheCard()
    {
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM", "SPEED ISSUE@x", "OPEN", "WIRE DOWN");
        addComplaint(*t, "k7t0001", "1-Dec-21 9:00 AM", "OLD", "CLOSED");
        search("8000000001");
        QCOMPARE(text("Text1")->text(), QString("k7t0001"));
        QCOMPARE(text("Text2")->text(), QString("RAHUL PATIL"));
        QCOMPARE(text("Text4")->text(), QString("9100000001"));
        QCOMPARE(combo("Combo4")->currentText(), QString("MAHARASHTRA"));
        QCOMPARE(combo("Combo5")->currentText(), QString("PUNE"));
        QCOMPARE(c<QLabel>("Label22")->text(), QString("AF"));
        QCOMPARE(text("Text3")->text(), QString("8000000001"));
        QCOMPARE(c<QLabel>("Label27")->text(), QString("FTTH_100M"));
        QCOMPARE(text("Text16")->text(), QString("7000000001"));
        QCOMPARE(text("Text17")->text(), QString("rahul@mail.local"));
        QCOMPARE(combo("Combo6")->currentText(), QString("YES"));
        QCOMPARE(text("Text18")->text(), QString("PUNE-AP-01"));
        QCOMPARE(text("Text19")->text(), QString("PUNE-AP-01 / 3"));
        QCOMPARE(text("Text20")->text(), QString("172.17.1.11"));
        QCOMPARE(text("Text21")->text(), QString("AA:BB:CC:DD:EE:01"));
        // The last engineer row stays in the boxes; the list is sorted.
        QCOMPARE(text("Text12")->text(), QString("ANIL FE"));
        QCOMPARE(text("Text13")->text(), QString("9700000001"));
        QCOMPARE(combo("Combo7")->count(), 2);
        QCOMPARE(combo("Combo7")->itemText(0), QString("ANIL FE"));
        QCOMPARE(screen->apAddress(), QString("10.1.1.2"));
        QCOMPARE(text("Text18")->palette().color(QPalette::Base), QColor(Qt::green));
        // The open complaint, with its category.
        QCOMPARE(text("Text6")->text(), number);
        QCOMPARE(combo("Combo2")->currentText(), QString("WIRE DOWN"));
        QCOMPARE(c<QLabel>("Label7")->text(), QString("SPEED ISSUE@x"));
        QCOMPARE(c<QLabel>("Label34")->text(), QString("OPEN"));
        QCOMPARE(text("Text15")->text(), QString("k7t0001"));
        QCOMPARE(text("Text14")->text(), QString("9-Dec-21 10:59 AM"));
        // Every complaint of the customer, newest first.
        auto* grid = c<ResultGrid>("MSHFlexGrid1");
        QCOMPARE(grid->rows(), 3);
        QCOMPARE(grid->textAt(1, 0), QString::number(number.toInt() + 1));
        QCOMPARE(grid->textAt(2, 0), number);

        // A site that is down, or not found, is red; an unknown AP leaves no address.
        search("k7t0002");
        QCOMPARE(text("Text18")->palette().color(QPalette::Base), QColor(Qt::red));
        search("k7t0003");
        QCOMPARE(text("Text18")->palette().color(QPalette::Base), QColor(Qt::red));
        QCOMPARE(screen->apAddress(), QString());
    }

    void selectorsFillTheirBoxes()
    {
        choose("Combo4", "MAHARASHTRA");
        QCOMPARE(combo("Combo5")->count(), 2);
        choose("Combo5", "PUNE");
        QCOMPARE(text("Text12")->text(), QString("DM PUNE"));
        QCOMPARE(text("Text13")->text(), QString("02024000000"));
        search("k7t0001");
        choose("Combo7", "ZED ENGINEER");
        QCOMPARE(text("Text12")->text(), QString("ZED ENGINEER"));
        QCOMPARE(text("Text13")->text(), QString("9700000002"));
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        lookUp(number);
        choose("Combo3", "ZED ENGINEER");
        QCOMPARE(text("Text5")->text(), QString("9700000002"));
    }

    void registersAComplaint()
    {
        search("k7t0001");
        combo("Combo1")->setEditText("SITE  DOWN");
        text("Text2")->setText("RAHUL D'SOUZA");
        text("Text4")->setText(" 9123456789 ");
        text("Text20")->setText("172.17.1.99");
        click("Command1");
        const QString number = t->value("select max(ID) from complain");
        QCOMPARE(boxes(), QStringList({"Complain Submitted Successfully with Complain No" + number}));
        QCOMPARE(t->dialogs().last().title, QString("ZEZA"));
        QCOMPARE(c<QLabel>("Label16")->text(), number);
        QCOMPARE(text("Text6")->text(), QString());
        QCOMPARE(t->value("select name,mobile,[issue date],description,status,[close date],ssa,fe,[fe mob],pending,address,[user id],circle,ap,ne,cat,srv"
                          " from complain where ID=" + number),
                 QString("RAHUL D'SOUZA|9123456789|4-Jan-23 9:15 PM|SITE  DOWN|NEW|4/4/1990 12:00:00 AM|PUNE|ANIL FE|9700000001|0|"
                         "1, MG ROAD, PUNE|k7t0001|MAHARASHTRA|PUNE-AP-01|op1|NA|AF"));
        QCOMPARE(t->value("select name,mobile,OTC from cdata where id='k7t0001'"), QString("RAHUL D'SOUZA|9123456789|172.17.1.99"));

        // Now the customer has an open complaint: the section shows it with its status.
        text("Text6")->clear();
        t->dialogs().clear();
        click("Command1");
        QCOMPARE(boxes(), QStringList({" HAS ALREADY AN OPEN COMPLAIN"}));
        QCOMPARE(text("Text6")->text(), number);
        QCOMPARE(combo("Combo2")->currentText(), QString("NEW"));
        QCOMPARE(t->value("select count(*) from complain"), QString("1"));
    }

    void numberLeftInTheBoxRefusesRegistration()
    {
        const QString other = addComplaint(*t, "k7t0002", "9-Dec-21 10:59 AM");
        lookUp(other);
        search("k7t0003");
        combo("Combo1")->setEditText("DDOS");
        click("Command1");
        QCOMPARE(boxes(), QStringList({" HAS ALREADY AN OPEN COMPLAIN"}));
        QCOMPARE(t->value("select count(*) from complain"), QString("1"));
    }

    void refusesIncompleteData_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* f : {"Text1", "Text2", "Text4", "Combo1", "Text12", "Text13", "Combo4", "Combo5"}) QTest::newRow(f) << f;
    }
    void refusesIncompleteData()
    {
        QFETCH(QString, field);
        search("k7t0003");
        combo("Combo1")->setEditText("DDOS");
        QWidget* w = screen->findChild<QWidget*>(field);
        if (auto* box = qobject_cast<QComboBox*>(w)) box->setEditText("");
        else static_cast<QLineEdit*>(w)->clear();
        click("Command1");
        QCOMPARE(boxes(), QStringList({"PLEASE FILL ALL THE DATA"}));
        QCOMPARE(t->dialogs().last().title, QString("ZEZA"));
        QCOMPARE(t->value("select count(*) from complain"), QString("0"));
    }

    // The phone goes into the customer record as a number: anything else is refused
    // before anything is stored, so no text leaves its literal.
    void phoneMustBeANumber_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("phone");
        QTest::newRow("register, letters") << "Command1" << "91000 ext 2";
        QTest::newRow("register, statement") << "Command1" << "1,status='x'";
        QTest::newRow("card update, statement") << "Command5" << "1,name='x' where 1=1 --";
        QTest::newRow("card update, empty") << "Command5" << "";
    }
    void phoneMustBeANumber()
    {
        QFETCH(QString, button);
        QFETCH(QString, phone);
        search("k7t0003");
        combo("Combo1")->setEditText("DDOS");
        text("Text4")->setText(phone);
        text("Text2")->setText("CHANGED");
        c<QPushButton>(qPrintable(button))->click();
        QCOMPARE(boxes(), QStringList({"PHONE MUST BE A NUMBER (DIGITS ONLY); NOTHING WAS STORED"}));
        QCOMPARE(t->value("select count(*) from complain"), QString("0"));
        QCOMPARE(t->rows("select name,mobile,status from cdata order by id"),
                 QStringList({" RAHUL PATIL |9100000001|active", "PRIYA SHAH|9100000002|inactive", "AMIT RAO|9100000003|active"}));
    }

    void lookupByNumber()
    {
        const QString number = addComplaint(*t, "k7t0002", "9-Dec-21 10:59 AM", "  SPEED ISSUE  ", "OPEN", "VOIP ISSUE");
        search("k7t0001");
        lookUp(number);
        QCOMPARE(text("Text7")->text(), QString("RAHUL PATIL"));
        QCOMPARE(text("Text9")->text(), QString("9100000001"));
        QCOMPARE(combo("Combo2")->currentText(), QString("VOIP ISSUE"));
        QCOMPARE(c<QLabel>("Label7")->text(), QString("SPEED ISSUE"));
        QCOMPARE(text("Text15")->text(), QString("k7t0002"));
        QCOMPARE(combo("Combo3")->currentText(), QString("ANIL FE"));
        QCOMPARE(combo("Combo3")->count(), 2);
        QCOMPARE(c<QLabel>("Label34")->text(), QString("OPEN"));
        QCOMPARE(c<ResultGrid>("MSHFlexGrid1")->rows(), 2);
        QVERIFY(c<QPushButton>("Command2")->isEnabled());
        QVERIFY(c<QPushButton>("Command3")->isEnabled());
        // The card above stays with the customer searched.
        QCOMPARE(text("Text1")->text(), QString("k7t0001"));
        QCOMPARE(text("Text2")->text(), QString("RAHUL PATIL"));

        // A closed category disables both buttons.
        const QString closed = addComplaint(*t, "k7t0002", "9-Dec-21 10:59 AM", "X", "CLOSED", "CLOSED");
        lookUp(closed);
        QVERIFY(!c<QPushButton>("Command2")->isEnabled());
        QVERIFY(!c<QPushButton>("Command3")->isEnabled());
        QCOMPARE(boxes(), QStringList());
    }

    void updateAppendsAnEntry_data()
    {
        QTest::addColumn<QString>("issued");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("pending");
        QTest::newRow("10:59 to 11:01") << "9-Dec-21 10:59 AM" << at(11, 1) << 1;
        QTest::newRow("10:00 to 10:59") << "9-Dec-21 10:00 AM" << at(10, 59) << 0;
        QTest::newRow("23:30 to 00:10") << "9-Dec-21 11:30 PM" << at(0, 10, 10) << 1;
        QTest::newRow("a day and a half") << "9-Dec-21 3:5 PM" << at(3, 0, 11) << 36;
    }
    void updateAppendsAnEntry()
    {
        QFETCH(QString, issued);
        QFETCH(QDateTime, now);
        QFETCH(int, pending);
        const QString number = addComplaint(*t, "k7t0001", issued);
        lookUp(number);
        t->app().clock().set(now);
        combo("Combo2")->setEditText("OTHER");
        c<QPlainTextEdit>("Text10")->setPlainText("fe visited");
        click("Command2");
        const QString entry = "@" + sql::stampText(now) + " Update by: op1@Update: fe visited";
        QCOMPARE(boxes(), QStringList({"COMPLAINT UPDATED"}));
        QCOMPARE(t->dialogs().last().title, QString("K7T CRM"));
        QCOMPARE(t->value("select description,status,pending,cat from complain where ID=" + number),
                 "SPEED ISSUE" + entry + "|OPEN|" + QString::number(pending) + "|OTHER");
        QCOMPARE(c<QLabel>("Label7")->text(), "SPEED ISSUE" + entry);
        // The box keeps its text; the status label waits for the next lookup.
        QCOMPARE(c<QPlainTextEdit>("Text10")->toPlainText(), QString("fe visited"));
        QCOMPARE(c<QLabel>("Label34")->text(), QString("NEW"));
    }

    void wireDownMarksTheOfflineRecordEvenWithoutUpdate()
    {
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        t->exec("insert into offline_user values('k7t0001','LINK DOWN','OPEN')");
        t->exec("insert into offline_user values('k7t0001','LINK DOWN','CLOSED')");
        t->exec("insert into offline_user values('k7t0002','LINK DOWN','OPEN')");
        lookUp(number);
        choose("Combo2", "WIRE DOWN");
        click("Command2");
        QCOMPARE(boxes(), QStringList({"PLEASE FILL UPDATE"}));
        QCOMPARE(t->dialogs().last().title, QString("K7T"));
        QCOMPARE(t->rows("select id,LDR,FS from offline_user"),
                 QStringList({"k7t0001|WIRE DOWN|OPEN", "k7t0001|LINK DOWN|CLOSED", "k7t0002|LINK DOWN|OPEN"}));
        QCOMPARE(t->value("select description,status,cat from complain where ID=" + number), QString("SPEED ISSUE|NEW|NA"));
    }

    void updateOfAMissingComplaintStoresNothing()
    {
        text("Text6")->setText("999");
        c<QPlainTextEdit>("Text10")->setPlainText("x");
        click("Command2");
        QCOMPARE(boxes(), QStringList({"COMPLAINT UPDATED"}));
        QCOMPARE(t->value("select count(*) from complain"), QString("0"));
    }

    void closesAComplaint()
    {
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        lookUp(number);
        combo("Combo2")->setEditText("BILLING ISSUE");
        t->app().clock().set(at(13, 5));
        click("Command3");
        QCOMPARE(boxes(), QStringList({"CLOSED SUCCESSFULLY"}));
        QCOMPARE(t->dialogs().last().title, QString("K7T"));
        QCOMPARE(t->value("select description,status,[close date],pending,ne,cat from complain where ID=" + number),
                 QString("SPEED ISSUE@9-Dec-21 1:5 PM Closed by: op1|CLOSED|9-Dec-21 1:5 PM|3|op1|BILLING ISSUE"));
        QVERIFY(!c<QPushButton>("Command2")->isEnabled());
        QVERIFY(!c<QPushButton>("Command3")->isEnabled());
        QTRY_VERIFY(text("Text3")->hasFocus());
        QCOMPARE(c<QLabel>("Label7")->text(), QString("SPEED ISSUE"));
        // The notification carries the complaint's phone and number.
        QTRY_COMPARE_WITH_TIMEOUT(sim.requestsTo("/waba_complaint_closed.php").size(), 1, 30000);
        const QJsonObject hook = sim.requestsTo("/waba_complaint_closed.php").first();
        QCOMPARE(NocSim::query(hook), (QList<QPair<QString, QString>>{{"mobile", "9100000001"}, {"cn", number}}));
    }

    void closeRefusals()
    {
        // No complaint of that number: the error is shown and nothing stored.
        c<QPushButton>("Command3")->setEnabled(true);
        text("Text6")->setText("4711");
        click("Command3");
        QCOMPARE(boxes().size(), 1);
        QVERIFY(boxes().first().startsWith("Error "));
        QVERIFY(boxes().first().contains("4711"));
        QVERIFY(c<QPushButton>("Command3")->isEnabled());

        // Nobody logged in.
        TestApp other;
        seed(other);
        RecordingNavigator otherNav;
        QPointer<ComplaintScreen> s = open(other, otherNav);
        const QString number = addComplaint(other, "k7t0001", "9-Dec-21 10:59 AM");
        control<QLineEdit>(s, "Text6")->setText(number);
        control<QPushButton>(s, "Command3")->setEnabled(true);
        control<QPushButton>(s, "Command3")->click();
        QCOMPARE(other.dialogs().texts(), QStringList({"YOU ARE NOT LOGIN PLEASE CLOSE WINDO AND LOGIN AGAIN"}));
        QCOMPARE(other.value("select status,description from complain"), QString("NEW|SPEED ISSUE"));
        delete s;
        QCOMPARE(sim.requests().size(), 0);
    }

    void dateStampAndClear()
    {
        auto* box = c<QPlainTextEdit>("Text10");
        box->setPlainText("called ");
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        QCOMPARE(box->toPlainText(), "called " + QLocale::system().toString(t->app().clock().now(), QLocale::ShortFormat));

        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        search("k7t0001");
        lookUp(number);
        click("Command6");
        for (const char* name : {"Text1", "Text2", "Text4", "Text12", "Text13", "Text6", "Text7", "Text9", "Text5", "Text8", "Text14", "Text16",
                                 "Text17", "Text3", "Text18", "Text20", "Text15"})
            QVERIFY2(text(name)->text().isEmpty(), name);
        for (const char* name : {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6"}) QVERIFY2(combo(name)->currentText().isEmpty(), name);
        QVERIFY(box->toPlainText().isEmpty());
        QVERIFY(c<QLabel>("Label7")->text().isEmpty());
        QVERIFY(c<QLabel>("Label22")->text().isEmpty());
        QVERIFY(c<QLabel>("Label27")->text().isEmpty());
        // Kept: status, port, ONU MAC, lists, grid and the AP address.
        QCOMPARE(c<QLabel>("Label34")->text(), QString("NEW"));
        QCOMPARE(text("Text19")->text(), QString("PUNE-AP-01 / 3"));
        QCOMPARE(text("Text21")->text(), QString("AA:BB:CC:DD:EE:01"));
        QCOMPARE(combo("Combo6")->count(), 2);
        QCOMPARE(c<ResultGrid>("MSHFlexGrid1")->rows(), 2);
        QCOMPARE(screen->apAddress(), QString("10.1.1.2"));
        QCOMPARE(boxes(), QStringList());
    }

    void showOpenComplaintsLeavesForTheBoard()
    {
        click("Command7");
        QCOMPARE(nav.opened, QStringList({"Form4"}));
        QTRY_VERIFY(screen.isNull());

        // Inside the main window the whole child window goes.
        MainWindow main(t->app(), programScreens());
        main.show();
        auto* form = qobject_cast<ComplaintScreen*>(main.openScreen("Form3"));
        QVERIFY(form);
        auto* area = main.findChild<QMdiArea*>();
        QCOMPARE(area->subWindowList().size(), 1);
        QVERIFY(qobject_cast<QMdiSubWindow*>(form->parentWidget())->isMaximized());
        control<QPushButton>(form, "Command7")->click();
        QTRY_VERIFY(main.screen("Form3") == nullptr);
        QTRY_VERIFY(area->subWindowList().size() <= 1); // the board, where the program has one
        for (QMdiSubWindow* sub : area->subWindowList()) QVERIFY(sub->widget()->objectName() != "Form3");
    }

    // Closing the screen while the number box has the focus looks nothing up.
    void closingWithTheNumberBoxFocused()
    {
        QApplication::setActiveWindow(screen);
        QTRY_VERIFY(screen->isActiveWindow());
        text("Text6")->setFocus();
        QTRY_VERIFY(text("Text6")->hasFocus());
        text("Text6")->setText("abc");
        delete screen;
        QCOMPARE(boxes(), QStringList());
    }

    // Enter in the search and number boxes moves on as Tab; leaving the number box looks it up.
    void enterMovesOn()
    {
        const QString number = addComplaint(*t, "k7t0002", "9-Dec-21 10:59 AM");
        QApplication::setActiveWindow(screen);
        QTRY_VERIFY(screen->isActiveWindow());
        text("Text1")->setFocus();
        QTRY_VERIFY(text("Text1")->hasFocus());
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QTRY_VERIFY(c<QPushButton>("Command8")->hasFocus());
        QCOMPARE(boxes(), QStringList());
        text("Text6")->setFocus();
        QTRY_VERIFY(text("Text6")->hasFocus());
        text("Text6")->setText(number);
        QTest::keyClick(text("Text6"), Qt::Key_Return);
        QTRY_VERIFY(text("Text7")->hasFocus());
        QCOMPARE(text("Text15")->text(), QString("k7t0002"));
    }

    void cardUpdateAndVoiceIp()
    {
        search("k7t0003");
        text("Text2")->setText("AMIT O'RAO");
        text("Text4")->setText("9199999999");
        text("Text18")->setText("PUNE-AP-01");
        combo("Combo6")->setEditText("NO");
        click("Command5");
        QCOMPARE(boxes(), QStringList({"DATA UPDATED"}));
        QCOMPARE(t->value("select AP,name,mobile,PAID from cdata where id='k7t0003'"), QString("PUNE-AP-01|AMIT O'RAO|9199999999|NO"));

        // A voice IP held by anyone, the customer included, is refused.
        t->dialogs().clear();
        text("Text20")->setText("172.17.1.11");
        click("Command10");
        QCOMPARE(boxes(), QStringList({"IP ALREADY IN USE FOR USER k7t0001"}));
        QCOMPARE(t->dialogs().last().title, QString("K7T CRM"));
        search("k7t0001");
        t->dialogs().clear();
        click("Command10");
        QCOMPARE(boxes(), QStringList({"IP ALREADY IN USE FOR USER k7t0001"}));
        // The empty voice box is held by k7t0003.
        text("Text20")->clear();
        t->dialogs().clear();
        click("Command10");
        QCOMPARE(boxes(), QStringList({"IP ALREADY IN USE FOR USER k7t0003"}));
        // A free address is stored.
        text("Text20")->setText("172.17.1.50");
        t->dialogs().clear();
        click("Command10");
        QCOMPARE(boxes(), QStringList({"DATA UPDATED"}));
        QCOMPARE(t->value("select OTC from cdata where id='k7t0001'"), QString("172.17.1.50"));
    }

    void openAp()
    {
        search("k7t0003");
        click("Command4");
        QCOMPARE(boxes(), QStringList({"AP NOT UPDATED IN CRM"}));
        QCOMPARE(t->dialogs().last().title, QString("K7T"));

        search("k7t0001"); // AF
        t->dialogs().clear();
        click("Command4");
        QCOMPARE(boxes(), QStringList());
        const auto& started = t->app().desktop().startedPrograms();
        QCOMPARE(started.size(), 1);
        QCOMPARE(started.first().program, QString("c:\\winbox.exe"));
        QCOMPARE(started.first().arguments, QStringList({"10.1.1.2", "admin", "58314720695"}));

        search("k7t0002"); // FTTH
        click("Command4");
        QCOMPARE(t->app().desktop().openedUrls(), QList<QUrl>({QUrl("https://10.1.1.1")}));

        // A missing router tool is reported.
        search("k7t0001");
        t->app().desktop().refuse(true);
        click("Command4");
        QCOMPARE(boxes().size(), 1);
        QVERIFY(boxes().first().startsWith("Error "));
    }

    // The database host's pages for the customer in the card.
    void statusAndApPages()
    {
        const QString cols = "insert into cdata(id,name,mobile,status,SERVICE,AP,nas_ip) values(";
        t->exec(cols + "'k7t0000002','PRIYA PATIL','9100000012','active','AF','OLD-AP','10.9.9.12')");
        t->exec(cols + "'k7t0000007','SURESH PATIL','9100000017','active','AF','RAJKOT-OLT-01','10.9.9.17')");
        search("k7t0000002");
        QTest::mouseClick(c<ClickableLabel>("Label26"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(sim.requestsTo("/policy.php").size(), 1, 30000);
        QCOMPARE(NocSim::query(sim.requestsTo("/policy.php").first()),
                 (QList<QPair<QString, QString>>{{"bb", "k7t0000002"}, {"ip", "10.9.9.12"}}));
        QCOMPARE(boxes(), QStringList());

        // AP: the page's text becomes the customer's AP.
        QTest::mouseClick(c<ClickableLabel>("Label29"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boxes(), QStringList({"AP UPDATED"}), 30000);
        QCOMPARE(t->dialogs().last().title, QString("TORVALE KIRSO"));
        QCOMPARE(text("Text18")->text(), QString("PUNE-AP-01"));
        QCOMPARE(t->value("select ap from cdata where id='k7t0000002'"), QString("PUNE-AP-01"));
        QCOMPARE(NocSim::query(sim.requestsTo("/ap.php").first()), (QList<QPair<QString, QString>>{{"bb", "k7t0000002"}, {"ip", "10.9.9.12"}}));

        // An offline customer: an empty page, nothing stored.
        search("k7t0000007");
        t->dialogs().clear();
        QTest::mouseClick(c<ClickableLabel>("Label29"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boxes(), QStringList({"OFFLINE"}), 30000);
        QCOMPARE(t->dialogs().last().kind, MessageKind::Plain);
        QCOMPARE(t->dialogs().last().title, QString("K7T CRM"));
        QCOMPARE(text("Text18")->text(), QString());
        QCOMPARE(t->value("select ap from cdata where id='k7t0000007'"), QString("RAJKOT-OLT-01"));

        // A customer not found keeps the ID and address the label read last.
        text("Text1")->setText("nobody");
        sim.clearLog();
        t->dialogs().clear();
        QTest::mouseClick(c<ClickableLabel>("Label29"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boxes(), QStringList({"OFFLINE"}), 30000);
        QCOMPARE(NocSim::queryValue(sim.requestsTo("/ap.php").first(), "bb"), QString("k7t0000007"));
    }

    // Two workstations on one complaint: each entry goes onto the history as stored,
    // so neither writes over the other's.
    void twoWorkstationsKeepEveryEntry()
    {
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        TestApp other;
        other.app().settings().set("DatabaseFile", t->databaseFile());
        other.app().setDatabase(DatabaseConfig::fromSettings(other.app().settings()));
        other.app().currentUser().set("op2");
        RecordingNavigator otherNav;
        QPointer<ComplaintScreen> second = open(other, otherNav);

        lookUp(number);
        lookUp(number, second);
        QCOMPARE(control<QLabel>(second, "Label7")->text(), QString("SPEED ISSUE"));

        t->app().clock().set(at(11, 0));
        c<QPlainTextEdit>("Text10")->setPlainText("first");
        click("Command2");
        other.app().clock().set(at(11, 30));
        control<QPlainTextEdit>(second, "Text10")->setPlainText("second");
        control<QPushButton>(second, "Command2")->click();
        t->app().clock().set(at(12, 0));
        click("Command3");

        const QString updates = "SPEED ISSUE@9-Dec-21 11:0 AM Update by: op1@Update: first@9-Dec-21 11:30 AM Update by: op2@Update: second";
        QCOMPARE(t->value("select description,status,ne from complain where ID=" + number), updates + "@9-Dec-21 12:0 PM Closed by: op1|CLOSED|op1");
        QCOMPARE(control<QLabel>(second, "Label7")->text(), updates);
        QCOMPARE(other.dialogs().texts(), QStringList({"COMPLAINT UPDATED"}));
        delete second;
    }

    // A history that changes between the read and the write is read again.
    void historyChangedBetweenReadAndWrite()
    {
        const QString number = addComplaint(*t, "k7t0001", "9-Dec-21 10:59 AM");
        Connection mine(t->app().database());
        Connection theirs(t->app().database());
        mine.open();
        theirs.open();
        const QString select = "select * from complain where id='" + number + "'";
        int writes = 0;
        const complaint::Stored written = complaint::writeOnStored(mine, select, complaint::read(mine, select), [&](const complaint::Stored& s) {
            if (++writes == 1) // another workstation appends in between
                theirs.execute("update complain set description=description || '@theirs' where id='" + number + "'");
            mine.execute("update complain set description='" + sql::text(s.description + "@mine") + "' where id='" + number + "'"
                         + complaint::unchangedHistory(s.description));
        });
        QCOMPARE(writes, 2);
        QCOMPARE(written.description, QString("SPEED ISSUE@theirs"));
        QCOMPARE(t->value("select description from complain where id=" + number), QString("SPEED ISSUE@theirs@mine"));
        // A history never written is guarded as well.
        t->exec("update complain set description=NULL where id=" + number);
        complaint::writeOnStored(mine, select, complaint::read(mine, select), [&](const complaint::Stored& s) {
            mine.execute("update complain set description='" + sql::text(s.description + "@x") + "' where id='" + number + "'"
                         + complaint::unchangedHistory(s.description));
        });
        QCOMPARE(t->value("select description from complain where id=" + number), QString("@x"));
        mine.close();
        theirs.close();
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ComplaintScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_complaintscreen.moc"
