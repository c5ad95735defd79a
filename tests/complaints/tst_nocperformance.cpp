// The NOC performance report: figures of a period with inclusive bounds, the
// carried-forward count, the operators with repeated closures, and bounds that are
// no date and time.
#include "core/MainWindow.h"
#include "core/ResultGrid.h"
#include "support/ComplaintRows.h"
#include "support/TestApp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace k7t;
using test::control;

class NocPerformanceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<MainWindow> main;

    void add(const QString& issued, const QString& status, const QString& closed, const QString& ne)
    {
        test::ComplaintRow c;
        c.issued = issued, c.status = status, c.closed = closed, c.ne = ne;
        test::addComplaint(*t, c);
    }

    QWidget* report(const QString& from, const QString& to)
    {
        QWidget* board = main->openScreen("Form4");
        control<QLineEdit>(board, "Text7")->setText(from);
        control<QLineEdit>(board, "Text5")->setText(to);
        QTest::mouseClick(control<QPushButton>(board, "Command1"), Qt::LeftButton);
        return main->screen("Form6");
    }

    static QString text(QWidget* w, const char* label) { return control<QLabel>(w, label)->text(); }

private slots:
    void init()
    {
        t = std::make_unique<test::TestApp>();
        t->app().desktop().record();
        t->app().settings().set("ExportFolder", t->dir() + "/exports"); // workbooks go with the test's folder
        main = std::make_unique<MainWindow>(t->app(), programScreens());
        // The period is 9 Dec 2021 9:00 AM to 6:00 PM. Dates in the patterns the
        // program and the server write.
        add("9-Dec-21 9:0 AM", "CLOSED", "9-Dec-21 10:0 AM", "op1");       // on the start bound; logged and closed
        add("8-Dec-21 5:0 PM", "CLOSED", "9-Dec-21 6:0 PM", "op1");        // closed on the end bound
        add("8-Dec-21 3:0 PM", "OPEN", "4/4/1990 12:00:00 AM", "op3");     // carried forward
        add("12/08/2021 10:0 AM", "NEW", "4/4/1990 12:00:00 AM", "op3");   // carried forward, other pattern
        add("8-Dec-21 1:0 PM", "CLOSED", "10-Dec-21 9:0 AM", "op2");       // closed after the period: not carried
        add("2021-12-09 11:00:00", "CLOSED", "9-Dec-21 12:0 PM", "op2");   // op2's only closure in the period
        add("9-Dec-21 6:1 PM", "NEW", "4/4/1990 12:00:00 AM", "op3");      // after the end
        add("9-Dec-21 9:30 AM", "CLOSED", "12/09/2021 05:59 PM", "op1");   // third of op1
    }

    void cleanup()
    {
        main.reset();
        t.reset();
    }

    void figuresOfThePeriod()
    {
        QWidget* w = report("9-Dec-21 9:0 AM", "9-Dec-21 6:0 PM");
        QVERIFY(w);
        QCOMPARE(w->objectName(), QString("Form6"));
        QCOMPARE(w->windowTitle(), QString("NOC PERFORMANCE"));
        QVERIFY(w->isVisible());
        QCOMPARE(text(w, "Label1"), QString("TOTAL COMPLAIN LOGGED 3"));
        QCOMPARE(text(w, "Label2"), QString("TOTAL COMPLAIN CLOSED 4"));
        QCOMPARE(text(w, "Label3"), QString("CARRY FORWARDED BY PREVIOUS DAY 2"));
        auto* grid = control<ResultGrid>(w, "MSHFlexGrid1");
        QCOMPARE(grid->rows(), 2); // op2 closed one only: not listed
        QCOMPARE(grid->textAt(0, 0).toUpper(), QString("NE"));
        QCOMPARE(grid->textAt(1, 0), QString("op1"));
        QCOMPARE(grid->textAt(1, 1), QString("3"));
        QCOMPARE(grid->columnWidth(0), 4000 / 15);
        QVERIFY(t->dialogs().boxes().isEmpty());
    }

    void aSecondReportRefillsTheSameWindow()
    {
        QWidget* first = report("9-Dec-21 9:0 AM", "9-Dec-21 6:0 PM");
        // One minute later at the start: the complaint on the bound drops out.
        QWidget* second = report("9-Dec-21 9:1 AM", "9-Dec-21 5:59 PM");
        QCOMPARE(second, first);
        QCOMPARE(text(second, "Label1"), QString("TOTAL COMPLAIN LOGGED 2"));
        QCOMPARE(text(second, "Label2"), QString("TOTAL COMPLAIN CLOSED 3"));
        QCOMPARE(control<ResultGrid>(second, "MSHFlexGrid1")->textAt(1, 1), QString("2"));
        // The carried-forward figure counts what is not closed now, whatever the end.
        t->exec("update complain set status='CLOSED' where [issue date]='12/08/2021 10:0 AM'");
        report("9-Dec-21 9:0 AM", "9-Dec-21 9:0 AM");
        QCOMPARE(text(first, "Label3"), QString("CARRY FORWARDED BY PREVIOUS DAY 1"));
    }

    void boundsThatAreNoDateTimeGiveAMessageAndNoFigures_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("untouched boxes") << "START DATE" << "END DATE" << QStringList{"START DATE BOX HOLDS \"START DATE\"", "END DATE BOX HOLDS \"END DATE\""};
        QTest::newRow("bad end") << "9-Dec-21 9:0 AM" << "tomorrow" << QStringList{"END DATE BOX HOLDS \"tomorrow\""};
        QTest::newRow("impossible day") << "31-Feb-21 9:0 AM" << "9-Dec-21 9:0 AM" << QStringList{"START DATE BOX HOLDS \"31-Feb-21 9:0 AM\""};
    }
    void boundsThatAreNoDateTimeGiveAMessageAndNoFigures()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, named);
        QVERIFY(!report(from, to));
        QCOMPARE(t->dialogs().boxes().size(), 1);
        const auto box = t->dialogs().last();
        QCOMPARE(box.kind, MessageKind::Exclamation);
        QCOMPARE(box.title, QString("K7T NOC"));
        for (const QString& n : named) QVERIFY2(box.text.contains(n), qPrintable(box.text));
        QCOMPARE(box.text.count("HOLDS"), named.size());
    }

    void aFailingStatementLeavesNoFigureOfAnEarlierReport()
    {
        QWidget* w = report("9-Dec-21 9:0 AM", "9-Dec-21 6:0 PM");
        QCOMPARE(text(w, "Label1"), QString("TOTAL COMPLAIN LOGGED 3"));
        t->exec("alter table complain rename to complain_elsewhere");
        report("9-Dec-21 9:0 AM", "9-Dec-21 6:0 PM");
        QCOMPARE(text(w, "Label1"), QString("TOTAL COMPLAIN LOGGED "));
        QCOMPARE(text(w, "Label2"), QString("TOTAL COMPLAIN CLOSED "));
        QCOMPARE(text(w, "Label3"), QString("CARRY FORWARDED BY PREVIOUS DAY "));
        QCOMPARE(control<ResultGrid>(w, "MSHFlexGrid1")->rows(), 0);
        QVERIFY(t->dialogs().boxes().isEmpty()); // errors are ignored step by step
    }

    void exportsItsGrid()
    {
        QWidget* w = report("9-Dec-21 9:0 AM", "9-Dec-21 6:0 PM");
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(t->app().desktop().openedUrls().size(), 1);
        QVERIFY(t->app().desktop().openedUrls().first().isLocalFile());
    }
};

QTEST_MAIN(NocPerformanceTest)
#include "tst_nocperformance.moc"
