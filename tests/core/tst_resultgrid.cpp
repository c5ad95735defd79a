// The result grid: header row plus rows, counts, widths, tab text.
#include "core/ResultGrid.h"
#include "support/TestApp.h"

#include <QApplication>

using namespace k7t;

class ResultGridTest : public QObject {
    Q_OBJECT
    test::TestApp t;

private slots:
    void bindsHeaderRowThenRows()
    {
        t.exec("insert into engineer values('A''B','1','X')");
        t.exec("insert into engineer values('C','','Y')");
        ResultGrid grid;
        grid.setColumnWidthTwips(1, 3000); // before the binding, as screens do at load
        Connection c(t.app().database());
        c.open();
        RowSet rs = c.execute("select Engineer, Phone, AREA from engineer order by Engineer");
        grid.bind(rs);
        QVERIFY(rs.atEnd());
        QCOMPARE(grid.rows(), 3);
        QCOMPARE(grid.cols(), 3);
        QCOMPARE(grid.textAt(0, 0), QString("Engineer"));
        QCOMPARE(grid.textAt(1, 0), QString("A'B"));
        QCOMPARE(grid.textAt(2, 1), QString());
        QCOMPARE(grid.textAt(5, 5), QString());
        QCOMPARE(grid.columnWidth(1), 200);
        QCOMPARE(grid.tabText(), QString("Engineer\tPhone\tAREA\nA'B\t1\tX\nC\t\tY"));

        // A statement without rows leaves the header row only; widths stay.
        RowSet none = c.execute("select Engineer, Phone from engineer where 1=0");
        grid.bind(none);
        QCOMPARE(grid.rows(), 1);
        QCOMPARE(grid.cols(), 2);
        QCOMPARE(grid.columnWidth(1), 200);
        grid.clearGrid();
        QCOMPARE(grid.rows(), 0);
        QCOMPARE(grid.tabText(), QString());
    }

    void keepsNonLatinText()
    {
        t.exec("insert into engineer values('रवि ü','9','Z')");
        ResultGrid grid;
        Connection c(t.app().database());
        c.open();
        RowSet rs = c.execute("select Engineer from engineer where AREA='Z'");
        grid.bind(rs);
        QCOMPARE(grid.textAt(1, 0), QString("रवि ü"));
        QCOMPARE(grid.model()->data(grid.model()->index(1, 0)).toString(), QString("रवि ü"));
    }
};

QTEST_MAIN(ResultGridTest)
#include "tst_resultgrid.moc"
