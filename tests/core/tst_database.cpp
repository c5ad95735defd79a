// The database gateway: row sets, the two failure styles, literals, and the embedded
// database behaving as the central server does for the program's statements.
#include "core/Database.h"
#include "core/Schema.h"
#include "core/SqlText.h"
#include "core/SqliteDialect.h"
#include "support/TestApp.h"

#include <QDir>
#include <QSqlQuery>

using namespace k7t;
using k7t::test::TestApp;

class DatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void rowSetReadsByNameAnyCaseAndPosition()
    {
        TestApp t;
        t.addOperator("  ASHA RAO ", "9800000001", "pw", "AA:BB:CC:00:00:09");
        Connection c(t.app().database());
        c.open();
        RowSet rs = c.execute("select * from CRM where CRM_ID='9800000001'");
        QVERIFY(!rs.atEnd());
        QCOMPARE(rs.value(0), QString("  ASHA RAO "));
        QCOMPARE(rs.trimmed(0), QString("ASHA RAO"));
        QCOMPARE(rs.value(5), QString("AA:BB:CC:00:00:09"));
        QCOMPARE(rs.value("mac"), rs.value("MAC"));
        QCOMPARE(rs.value("Crm_Id"), QString("9800000001"));
        QCOMPARE(rs.value("no such column"), QString());
        rs.next();
        QVERIFY(rs.atEnd());
        QCOMPARE(rs.value(0), QString()); // past the end reads nothing
    }

    void lastRowWinsAndNoRowKeepsValues()
    {
        TestApp t;
        t.addOperator("FIRST", "dup", "a");
        t.addOperator("SECOND", "dup", "b");
        Connection c(t.app().database());
        c.open();
        QString name = "unchanged";
        for (RowSet rs = c.execute("select * from CRM where CRM_ID='dup'"); !rs.atEnd(); rs.next()) name = rs.trimmed(0);
        QCOMPARE(name, QString("SECOND"));
        for (RowSet rs = c.execute("select * from CRM where CRM_ID='nobody'"); !rs.atEnd(); rs.next()) name = rs.trimmed(0);
        QCOMPARE(name, QString("SECOND"));
    }

    void literalsStayLiterals_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << "D'Souza";
        QTest::newRow("injection") << "' or '1'='1";
        QTest::newRow("comment") << "x'; drop table CRM; --";
        QTest::newRow("two quotes") << "''";
    }
    void literalsStayLiterals()
    {
        QFETCH(QString, value);
        TestApp t;
        t.addOperator("OTHER", "other", "pw");
        Connection c(t.app().database());
        c.open();
        c.execute("insert into engineer values('" + sql::text(value) + "','1','A')");
        QStringList found;
        for (RowSet rs = c.execute("select * from engineer where Engineer='" + sql::text(value) + "'"); !rs.atEnd(); rs.next())
            found << rs.value(0);
        QCOMPARE(found, QStringList{value}); // stored and compared as typed
        RowSet none = c.execute("select * from CRM where CRM_ID='" + sql::text(value) + "'");
        QVERIFY(none.atEnd());
        QCOMPARE(t.value("select count(*) from CRM"), QString("1"));
    }

    void ignoredErrorsGoOnToTheEnd()
    {
        TestApp t;
        Connection c(t.app().database());
        bool reachedEnd = false;
        QString kept = "kept";
        const bool clean = c.run(Connection::Style::IgnoreErrors, t.dialogs(), [&] {
            c.open();
            c.execute("insert into engineer values('A','1','X')");
            for (RowSet rs = c.execute("select * from no_such_table"); !rs.atEnd(); rs.next()) kept = rs.value(0);
            c.execute("insert into engineer values('B','2','X')");
            reachedEnd = true;
        });
        QVERIFY(reachedEnd);
        QVERIFY(!clean);
        QCOMPARE(kept, QString("kept"));
        QVERIFY(t.dialogs().boxes().isEmpty());
        QCOMPARE(t.rows("select Engineer from engineer order by Engineer"), (QStringList{"A", "B"}));
        QVERIFY(!c.isOpen());
    }

    void reportedErrorEndsTheAction()
    {
        TestApp t;
        Connection c(t.app().database());
        bool afterFailure = false;
        const bool ok = c.run(Connection::Style::ReportErrors, t.dialogs(), [&] {
            c.open();
            c.execute("insert into engineer values('A','1','X')");
            c.execute("insert into no_such_table values('B')");
            afterFailure = true;
        });
        QVERIFY(!ok);
        QVERIFY(!afterFailure);
        QCOMPARE(t.dialogs().boxes().size(), 1);
        QVERIFY2(t.dialogs().last().text.startsWith("Error 1: "), qPrintable(t.dialogs().last().text));
        QVERIFY(t.dialogs().last().text.contains("no such table"));
        QCOMPARE(t.dialogs().last().title, QString("K7T CRM"));
        QCOMPARE(t.value("select count(*) from engineer"), QString("1")); // what ran stays
    }

    void unreachableDatabaseFailsAtOpen()
    {
        TestApp t;
        DatabaseConfig gone = t.app().database();
        gone.sqliteFile = t.dir() + "/missing/none.sqlite";
        Connection c(gone);
        bool reachedEnd = false;
        c.run(Connection::Style::IgnoreErrors, t.dialogs(), [&] {
            c.open();
            QVERIFY(c.execute("select * from CRM").atEnd());
            reachedEnd = true;
        });
        QVERIFY(reachedEnd);
        QVERIFY(t.dialogs().boxes().isEmpty());
        QVERIFY(!QFile::exists(gone.sqliteFile)); // no empty file made by accident
        QVERIFY(!c.run(Connection::Style::ReportErrors, t.dialogs(), [&] { c.open(); reachedEnd = false; }));
        QVERIFY(reachedEnd);
        QCOMPARE(t.dialogs().boxes().size(), 1);
    }

    void textComparesWithoutCase()
    {
        TestApp t;
        t.exec("insert into cdata(id,name,mobile,status) values('K7T0000001','Ravi','9100000000','active')");
        // Table, column and value in other cases, bracketed names, spacing as the screens write it.
        QCOMPARE(t.value("select name FROM CDATA WHERE ID='k7t0000001'"), QString("Ravi"));
        QCOMPARE(t.value("select [NAME] from cdata where [Mobile]='9100000000' and STATUS='ACTIVE'"), QString("Ravi"));
        t.exec("update cdata  set name='Ravi K'where id='K7T0000001'");
        QCOMPARE(t.value("select name from cdata"), QString("Ravi K"));
        // The phone written as a number literal lands as the same text.
        t.exec("update cdata set Mobile=9200000000 where id='k7t0000001'");
        QCOMPARE(t.value("select id from cdata where mobile='9200000000'"), QString("K7T0000001"));
    }

    void identityAndNumbersFromQuotedText()
    {
        TestApp t;
        for (int i = 0; i < 3; ++i)
            t.exec("insert into complain(name,status,pending,[issue date]) values('N" + QString::number(i) + "','NEW','" + QString::number(i * 5) + "','4-Jan-23 9:5 PM')");
        QCOMPARE(t.rows("select ID from complain order by ID"), (QStringList{"1", "2", "3"}));
        QCOMPARE(t.value("select name from complain where ID='2'"), QString("N1"));
        t.exec("insert into complain(name,pending) values('N3','12')");
        // Sorted as numbers, not as texts.
        QCOMPARE(t.rows("select pending from complain order by pending desc"), (QStringList{"12", "10", "5", "0"}));
    }

    void dateTimesCompareByInstant()
    {
        TestApp t;
        const QStringList dates = {"4-Jan-23 9:5 PM", "4-Jan-23 10:15 AM", "12/31/2022 11:59 PM", "2023-01-05 00:00:00", "4/4/1990 12:00:00 AM", "5-Jan-23 12:0 PM"};
        for (int i = 0; i < dates.size(); ++i)
            t.exec("insert into complain(name,[issue date],[close date],status) values('c" + QString::number(i) + "','" + dates[i] + "','" + dates[i] + "','NEW')");
        QCOMPARE(t.rows("select name from complain order by [issue date]"), (QStringList{"c4", "c2", "c1", "c0", "c3", "c5"}));
        QCOMPARE(t.rows("select name from complain where [ISSUE DATE] between '2023-01-04 00:00:01' and '2023-01-04 23:59:59' order by ID"),
                 (QStringList{"c0", "c1"}));
        QCOMPARE(t.rows("select name from complain where [issue date] between '4-Jan-23' and '5-Jan-23' order by ID"), (QStringList{"c0", "c1", "c3"}));
        QCOMPARE(t.value("select count(id) from complain where [ISSUE DATE] < '1/4/2023'"), QString("2"));
        QCOMPARE(t.value("select count(id) from complain where [close date] = '1990-04-04'"), QString("1"));
        QCOMPARE(t.value("select name from complain where [issue date] = '01/04/2023 9:05 PM'"), QString("c0"));
    }

    void dateDiffAndGetDate()
    {
        TestApp t;
        t.app().clock().set(QDateTime(QDate(2023, 1, 5), QTime(0, 10)));
        t.exec("insert into olt_status(status,down_time,up_time,equipment) values('open','4-Jan-23 11:30 PM',NULL,'A')");
        t.exec("insert into olt_status(status,down_time,up_time,equipment) values('CLOSED','2-Jan-23 9:0 AM','3-Jan-23 1:0 AM','B')");
        t.exec("insert into olt_status(status,down_time,up_time,equipment) values('CLOSED','5-Jan-23 12:1 AM','5-Jan-23 12:5 AM','C')");
        const QString sla = "select * from olt_status where (DATEDIFF(day,down_time ,GETDATE()) = 1 or DATEDIFF(day,up_time ,GETDATE()) = 1) or (DATEDIFF(day,down_time ,GETDATE()) <> 0 AND status='open')";
        QStringList equipment;
        Connection c(t.app().database());
        c.open();
        for (RowSet rs = c.execute(sla); !rs.atEnd(); rs.next()) equipment << rs.value("equipment");
        QCOMPARE(equipment, QStringList{"A"}); // 23:30 to 00:10 crosses one day boundary
        QCOMPARE(t.value("select DATEDIFF(hour, '4-Jan-23 10:59 AM', '4-Jan-23 11:1 AM')"), QString("1"));
        QCOMPARE(t.value("select GETDATE()").left(16), QString("2023-01-05 00:10"));
    }

    void rewriteLeavesLiteralsAlone()
    {
        const QString s = "update complain set description='DATEDIFF(day, x) noted' where DATEDIFF( day ,[issue date],GETDATE())>1";
        QCOMPARE(SqliteDialect::rewrite(s),
                 QString("update complain set description='DATEDIFF(day, x) noted' where DATEDIFF( 'day' ,[issue date],GETDATE())>1"));
        const QString quoted = "select 'it''s DATEDIFF(day,' from x";
        QCOMPARE(SqliteDialect::rewrite(quoted), quoted);
    }

    void sharedFileBetweenConnections()
    {
        TestApp t;
        QCOMPARE(t.value("PRAGMA journal_mode"), QString("wal"));
        Connection a(t.app().database()), b(t.app().database());
        a.open();
        b.open();
        RowSet reading = b.execute("select * from CRM"); // a reader open while the other writes
        a.execute("insert into CRM(NAME,CRM_ID,PASSWORD,MAC) values('X','1','p','NA')");
        QCOMPARE(a.affectedRows(), 1);
        QVERIFY(!b.execute("select * from CRM where CRM_ID='1'").atEnd());
    }

    // The central-server path: statements sent unchanged through ODBC. Here the SQLite
    // ODBC driver stands in for the server's driver; the catalogue "test" is the file
    // "test" in the working folder.
    void odbcPath()
    {
        TestApp t;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(t.dir());
        DatabaseConfig file = t.app().database();
        file.sqliteFile = t.dir() + "/test";
        QVERIFY(Schema::ensureEmbedded(file).isEmpty());

        Settings s = Settings::load(t.dir() + "/none.ini");
        s.set("DatabaseBackend", "mssql");
        s.set("OdbcDriver", "SQLite3");
        s.set("DatabaseServer", "db.noc.local");
        DatabaseConfig odbc = DatabaseConfig::fromSettings(s);
        QCOMPARE(odbc.odbcConnectionText(),
                 QString("DRIVER={SQLite3};SERVER=db.noc.local;DATABASE=test;UID=sa;PWD=trozvel482;Packet Size=4096;APP=K7T CRM"));
        {
            Connection c(odbc);
            QVERIFY(c.run(Connection::Style::ReportErrors, t.dialogs(), [&] {
                c.open();
                c.execute("insert into CRM(NAME,CRM_ID,PASSWORD,MAC,STATUS) values(' O''BRIEN ','98','pw','NA','INACTIVE')");
                c.execute("UPDATE CRM SET STATUS='ACTIVE',MAC='AA:BB',crm_ip='10.0.0.1' WHERE CRM_ID='98'");
                RowSet rs = c.execute("select * from CRM where CRM_ID='98' and PASSWORD='pw'");
                QVERIFY(!rs.atEnd());
                QCOMPARE(rs.trimmed(0), QString("O'BRIEN"));
                QCOMPARE(rs.value("mac"), QString("AA:BB"));
            }));
            QVERIFY(t.dialogs().boxes().isEmpty());
            QVERIFY(!c.run(Connection::Style::ReportErrors, t.dialogs(), [&] { c.open(); c.execute("select * from no_such_table"); }));
            QCOMPARE(t.dialogs().boxes().size(), 1);
            QVERIFY(t.dialogs().last().text.contains("no such table"));
        }
        QDir::setCurrent(previous);
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"
