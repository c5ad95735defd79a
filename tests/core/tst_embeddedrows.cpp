// Row sets of the embedded database, read straight from the library: value forms,
// failures at the first row, one statement at a time, and row sets after the close.
#include "core/SqlText.h"
#include "support/TestApp.h"

using namespace k7t;

class EmbeddedRowsTest : public QObject {
    Q_OBJECT
    test::TestApp t;

private slots:
    void valuesReadAsText()
    {
        t.exec("insert into engineer values('A',NULL,'x')");
        Connection c(t.app().database());
        c.open();
        RowSet rs = c.execute("select Engineer, Phone, 42, 2.5, 'rāvi' as \"Name\" from engineer");
        QCOMPARE(rs.columnCount(), 5);
        QCOMPARE(rs.columnName(4), QString("Name"));
        QCOMPARE(rs.value("ENGINEER"), QString("A"));
        QCOMPARE(rs.value(1), QString());
        QCOMPARE(rs.value(2), QString("42"));
        QCOMPARE(rs.value(3), QString("2.5"));
        QCOMPARE(rs.value("name"), QString("rāvi"));
        QByteArray utf8;
        rs.appendUtf8(2, utf8);
        rs.appendUtf8(4, utf8);
        QCOMPARE(QString::fromUtf8(utf8), QString("42rāvi"));
        rs.next();
        QVERIFY(rs.atEnd());
        QCOMPARE(rs.value(0), QString());
    }

    void failuresAreTheStatements()
    {
        Connection c(t.app().database());
        c.open();
        // A function that refuses its value fails the statement, not a later read.
        try {
            c.execute("select DATEDIFF(day, 'not a date', '4-Jan-23') from engineer union all select 1");
            QFAIL("no error");
        } catch (const ActionError& e) {
            QVERIFY2(e.text.contains("Conversion failed"), qPrintable(e.text));
        }
        try {
            c.execute("insert into engineer values('B','1','y'); delete from engineer");
            QFAIL("no error");
        } catch (const ActionError& e) {
            QVERIFY(e.text.contains("multiple statements"));
        }
        QCOMPARE(t.value("select count(*) from engineer where Engineer='B'"), QString("0"));
        c.execute("update engineer set AREA='z' where Engineer='nobody'");
        QCOMPARE(c.affectedRows(), 0);
    }

    void rowSetsEndWithTheClose()
    {
        for (int i = 0; i < 3; ++i) t.exec(QString("insert into engineer values('R%1','1','r')").arg(i));
        Connection c(t.app().database());
        c.open();
        RowSet rs = c.execute("select Engineer from engineer where AREA='r' order by Engineer");
        QCOMPARE(rs.value(0), QString("R0"));
        c.close();
        QVERIFY(!c.isOpen());
        rs.next();
        QVERIFY(rs.atEnd());
        // The file is free again: another connection writes at once.
        t.exec("insert into engineer values('after','1','r')");
        c.open();
        QCOMPARE(c.execute("select count(*) from engineer where AREA='r'").value(0), QString("4"));
    }
};

QTEST_MAIN(EmbeddedRowsTest)
#include "tst_embeddedrows.moc"
