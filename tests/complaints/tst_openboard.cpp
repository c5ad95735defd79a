// The open-complaint board: the list and its counter, the filters, the lookups, BACK
// and the export, driven on the real screen over a real database.
#include "core/MainWindow.h"
#include "core/ResultGrid.h"
#include "support/ComplaintRows.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

using namespace k7t;
using test::control;

namespace {

void choose(QComboBox* box, const QString& text)
{
    const int i = box->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

void leave(QWidget* field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

QStringList items(QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}

QStringList column(ResultGrid* grid, int col)
{
    QStringList values;
    for (int r = 1; r < grid->rows(); ++r) values << grid->textAt(r, col);
    return values;
}

} // namespace

class OpenBoardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<MainWindow> main;
    QMap<QString, QString> ids; // name -> complaint number

    QWidget* openBoard() { return main->openScreen("Form4"); }

private slots:
    void init()
    {
        t = std::make_unique<test::TestApp>();
        t->app().desktop().record();
        t->app().settings().set("ExportFolder", t->dir() + "/exports"); // workbooks go with the test's folder
        for (const char* c : {"MAHARASHTRA", "GUJARAT", "KARNATAKA"}) t->exec(QString("insert into circle(circle) values('%1')").arg(c));
        t->exec("insert into FE values('MAHARASHTRA','PUNE','PUNE','FE ONE','9700000001')");
        t->exec("insert into FE values('MAHARASHTRA','PUNE','PUNE','FE TWO','9700000002')");
        t->exec("insert into FE values('MAHARASHTRA','NASHIK','NASHIK','FE THREE','9700000003')");
        auto add = [&](const QString& name, const QString& status, int pending, const QString& circle, const QString& ssa, const QString& srv,
                       const QString& user) {
            test::ComplaintRow c;
            c.name = name, c.status = status, c.pending = pending, c.circle = circle, c.ssa = ssa, c.srv = srv, c.user = user;
            c.description = name + " HISTORY";
            ids[name] = test::addComplaint(*t, c);
        };
        add("NEW PUNE", "NEW", 0, "MAHARASHTRA", "PUNE", "FTTH", "u1");
        add("OPEN PUNE", "OPEN", 12, "MAHARASHTRA", "PUNE", "AF", "u2");
        add("OPEN NASHIK", "OPEN", 30, "MAHARASHTRA", "NASHIK", "FTTH", "u3");
        add("FE SURAT", "OPEN-FE", 5, "GUJARAT", "SURAT", "MTNL", "u4");
        add("CLOSED PUNE", "CLOSED", 99, "MAHARASHTRA", "PUNE", "FTTH", "u2");
        main = std::make_unique<MainWindow>(t->app(), programScreens());
        main->show(); // screens act on fields the operator can see
    }

    void cleanup()
    {
        main.reset();
        t.reset();
    }

    void opensWithEveryComplaintNotClosedLargestPendingFirst()
    {
        QWidget* board = openBoard();
        QVERIFY(board);
        QCOMPARE(board->objectName(), QString("Form4"));
        QCOMPARE(board->windowTitle(), QString(" OPEN COMPLAIN"));
        auto* grid = control<ResultGrid>(board, "MSHFlexGrid1");
        QCOMPARE(grid->textAt(0, 0), QString("ID"));
        QCOMPARE(grid->cols(), 18);
        QCOMPARE(column(grid, 1), QStringList({"OPEN NASHIK", "OPEN PUNE", "FE SURAT", "NEW PUNE"}));
        QCOMPARE(control<QLabel>(board, "Label10")->text(), QString("OPEN FAULT: 4"));
        QCOMPARE(grid->columnWidth(0), 800 / 15);
        QCOMPARE(grid->columnWidth(11), 3000 / 15);
        // Sorted lists, initial texts.
        auto* status = control<QComboBox>(board, "Combo2");
        QCOMPARE(items(status), QStringList({"ALL", "CLOSED", "NEW", "OPEN", "OPEN-FE", "VOIP"}));
        QCOMPARE(status->currentText(), QString("SELECT STATUS"));
        QCOMPARE(items(control<QComboBox>(board, "Combo1")), QStringList({"GUJARAT", "KARNATAKA", "MAHARASHTRA"}));
        QCOMPARE(control<QComboBox>(board, "Combo1")->currentText(), QString("SELECT CIRCLE"));
        QCOMPARE(items(control<QComboBox>(board, "Combo6")), QStringList({"FTTH", "BBOWIFI", "AF", "MTNL"}));
        QCOMPARE(control<QComboBox>(board, "Combo6")->currentText(), QString("SERVICE"));
        QCOMPARE(items(control<QComboBox>(board, "Combo3")), QStringList({"OPEN", "OPEN-FE", "SITE-DOWN"}));
        QCOMPARE(control<QLineEdit>(board, "Text7")->text(), QString("START DATE"));
        QCOMPARE(control<QLineEdit>(board, "Text5")->text(), QString("END DATE"));
        // Opening it again brings the same board.
        QCOMPARE(openBoard(), board);
    }

    void statusFilter_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("closed are counted") << "CLOSED" << QStringList{"CLOSED PUNE"};
        QTest::newRow("one status") << "OPEN" << QStringList{"OPEN NASHIK", "OPEN PUNE"};
        QTest::newRow("all but closed") << "ALL" << QStringList{"OPEN NASHIK", "OPEN PUNE", "FE SURAT", "NEW PUNE"};
        QTest::newRow("none") << "VOIP" << QStringList{};
    }
    void statusFilter()
    {
        QFETCH(QString, status);
        QFETCH(QStringList, names);
        QWidget* board = openBoard();
        choose(control<QComboBox>(board, "Combo2"), status);
        QCOMPARE(column(control<ResultGrid>(board, "MSHFlexGrid1"), 1), names);
        QCOMPARE(control<QLabel>(board, "Label10")->text(), "OPEN FAULT: " + QString::number(names.size()));
    }

    void circleThenSsaThenService()
    {
        QWidget* board = openBoard();
        auto* grid = control<ResultGrid>(board, "MSHFlexGrid1");
        auto* ssa = control<QComboBox>(board, "Combo5");
        choose(control<QComboBox>(board, "Combo1"), "MAHARASHTRA");
        QCOMPARE(column(grid, 1), QStringList({"OPEN NASHIK", "OPEN PUNE", "NEW PUNE"}));
        QCOMPARE(control<QLabel>(board, "Label10")->text(), QString("OPEN FAULT: 3"));
        QStringList clusters = items(ssa);
        clusters.sort();
        QCOMPARE(clusters, QStringList({"NASHIK", "PUNE"}));
        QCOMPARE(ssa->currentText(), QString("Combo5"));

        // The SSA filter goes with the circle box's text.
        choose(ssa, "PUNE");
        QCOMPARE(column(grid, 1), QStringList({"OPEN PUNE", "NEW PUNE"}));
        control<QComboBox>(board, "Combo1")->setEditText("GUJARAT");
        choose(ssa, "PUNE");
        QCOMPARE(grid->rows(), 1);
        QCOMPARE(control<QLabel>(board, "Label10")->text(), QString("OPEN FAULT: 0"));

        // The service filter stands alone.
        choose(control<QComboBox>(board, "Combo6"), "FTTH");
        QCOMPARE(column(grid, 1), QStringList({"OPEN NASHIK", "NEW PUNE"}));
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void serviceFilterIgnoresErrorsTheOthersShowThem()
    {
        QWidget* board = openBoard();
        t->exec("alter table complain rename to complain_elsewhere");
        choose(control<QComboBox>(board, "Combo6"), "AF");
        QCOMPARE(control<ResultGrid>(board, "MSHFlexGrid1")->rows(), 5); // the list stays as it was
        QCOMPARE(control<QLabel>(board, "Label10")->text(), QString("OPEN FAULT: 4"));
        QVERIFY(t->dialogs().boxes().isEmpty());
        choose(control<QComboBox>(board, "Combo2"), "OPEN");
        QCOMPARE(t->dialogs().boxes().size(), 1);
        QVERIFY(t->dialogs().last().text.startsWith("Error "));
        QVERIFY(t->dialogs().last().text.contains("complain"));
        QCOMPARE(control<QLabel>(board, "Label10")->text(), QString("OPEN FAULT: 4"));
    }

    void lookupByNumberAndByUser()
    {
        QWidget* board = openBoard();
        auto* number = control<QLineEdit>(board, "Text1");
        auto* user = control<QLineEdit>(board, "Text2");
        control<QLineEdit>(board, "Text3")->setText("called customer");
        number->setText(ids["OPEN PUNE"]);
        leave(number);
        QCOMPARE(control<QLabel>(board, "Label3")->text(), QString("OPEN PUNE"));
        QCOMPARE(control<QComboBox>(board, "Combo3")->currentText(), QString("OPEN"));
        QCOMPARE(control<QComboBox>(board, "Combo4")->currentText(), QString("FE ONE"));
        QCOMPARE(control<QLineEdit>(board, "Text4")->text(), QString("9700000001"));
        QCOMPARE(user->text(), QString("u2"));
        QCOMPARE(control<QLabel>(board, "Label4")->text(), QString("9100000001"));
        QCOMPARE(control<QPlainTextEdit>(board, "Text6")->toPlainText(), QString("OPEN PUNE HISTORY"));
        QCOMPARE(control<QLineEdit>(board, "Text3")->text(), QString());

        // A number that does not exist leaves the details as they were.
        number->setText("99999");
        leave(number);
        QCOMPARE(control<QLabel>(board, "Label3")->text(), QString("OPEN PUNE"));

        // By user: every complaint of the customer, the last one returned stays,
        // closed or not; the history box is not touched.
        user->setText("u2");
        leave(user);
        QCOMPARE(number->text(), ids["CLOSED PUNE"]);
        QCOMPARE(control<QComboBox>(board, "Combo3")->currentText(), QString("CLOSED"));
        QCOMPARE(control<QLabel>(board, "Label3")->text(), QString("CLOSED PUNE"));
        QCOMPARE(control<QPlainTextEdit>(board, "Text6")->toPlainText(), QString("OPEN PUNE HISTORY"));
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void valuesWithQuotesStayLiterals()
    {
        QWidget* board = openBoard();
        auto* user = control<QLineEdit>(board, "Text2");
        user->setText("x' OR '1'='1");
        leave(user);
        QCOMPARE(control<QLineEdit>(board, "Text1")->text(), QString());
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void enterMovesOnAndDoubleClickStampsNow()
    {
        QWidget* board = openBoard();
        auto* start = control<QLineEdit>(board, "Text7");
        QTest::mouseDClick(start, Qt::LeftButton);
        QCOMPARE(start->text(), QString("4-Jan-23 9:15 PM"));
        t->app().clock().set(QDateTime(QDate(2021, 12, 9), QTime(15, 5)));
        auto* end = control<QLineEdit>(board, "Text5");
        QTest::mouseDClick(end, Qt::LeftButton);
        QCOMPARE(end->text(), QString("9-Dec-21 3:5 PM"));
    }

    void backClosesTheBoardAndOpensTheComplaintScreen()
    {
        QPointer<QWidget> board = openBoard();
        QTest::mouseClick(control<QPushButton>(board, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(board.isNull());
        QVERIFY(!main->screen("Form4"));
        if (programScreens().contains("Form3")) QVERIFY(main->screen("Form3"));
        // Opened afresh, the board starts again from every complaint not closed.
        QWidget* again = openBoard();
        QCOMPARE(control<QLabel>(again, "Label10")->text(), QString("OPEN FAULT: 4"));
    }

    void exportPutsTheListOnTheClipboardAndIntoAWorkbook()
    {
        QWidget* board = openBoard();
        choose(control<QComboBox>(board, "Combo2"), "CLOSED");
        QTest::mouseClick(control<QPushButton>(board, "Command11"), Qt::LeftButton);
        QCOMPARE(t->app().desktop().openedUrls().size(), 1);
        QVERIFY(t->app().desktop().openedUrls().first().toLocalFile().endsWith(".xlsx"));
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith("ID\tname\tmobile\tissue date\t"));
        QVERIFY(lines.at(1).startsWith(ids["CLOSED PUNE"] + "\tCLOSED PUNE\t"));
    }
};

QTEST_MAIN(OpenBoardTest)
#include "tst_openboard.moc"
