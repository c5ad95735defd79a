// k7t-admin: CSV import of the tables kept outside the program, demo data, operators.
#include "k7t-admin/Admin.h"
#include "support/TestApp.h"

#include <QFile>
#include <QProcess>

using namespace k7t;
using k7t::test::TestApp;

namespace {
QString writeFile(const TestApp& t, const QString& name, const QByteArray& text)
{
    const QString path = t.dir() + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}
} // namespace

class AdminTest : public QObject {
    Q_OBJECT
private slots:
    void csvRecords()
    {
        QList<admin::CsvRecord> r;
        QVERIFY(admin::parseCsv("a,b,c\r\n1,\"x, \"\"y\"\"\",\n\n\"multi\nline\",2,3", &r).isEmpty());
        QCOMPARE(r.size(), 3);
        QCOMPARE(r[1].fields, (QStringList{"1", "x, \"y\"", ""}));
        QCOMPARE(r[2].line, 4);
        QCOMPARE(r[2].fields, (QStringList{"multi\nline", "2", "3"}));
        QVERIFY(admin::parseCsv("a\n\"open", &r).contains("line 2"));
    }

    void importFillsTable()
    {
        TestApp t;
        const QString file = writeFile(t, "olt.csv",
                                       "circle,SSA,SITE,SERVICE,OUT_VLAN,IN_VLAN,ID,MAC,SN\n"
                                       "GOA,PANAJI,PANAJI-OLT-01,FTTH,2100,1001,NA,NA,SN1\n"
                                       "GOA,PANAJI,\"PANAJI-OLT-01\",FTTH,2100,1002,NA,NA,\"SN, 2\"\n");
        int n = 0;
        QCOMPARE(admin::importCsv(t.app().database(), "olt", file, &n), QString());
        QCOMPARE(n, 2);
        QCOMPARE(t.rows("select IN_VLAN, SN from OLT where  ID='NA' order by IN_VLAN"), (QStringList{"1001|SN1", "1002|SN, 2"}));
    }

    void badImportsKeepNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("error");
        QTest::newRow("short row") << "FE" << QByteArray("circle,ssa,CLUSTER,name,mobile\nA,B,C,D,E\nA,B,C,D\n") << "line 3: 4 values where the header names 5";
        QTest::newRow("unknown column") << "FE" << QByteArray("circle,ssa,TEAM\nA,B,C\n") << "line 1: FE has no column \"TEAM\"";
        QTest::newRow("unclosed quote") << "FE" << QByteArray("circle,ssa\nA,\"B\n") << "line 2: a quoted value is not closed";
        QTest::newRow("table of the program") << "complain" << QByteArray("name\nA\n") << "complain is not a table kept outside the program";
    }
    void badImportsKeepNothing()
    {
        QFETCH(QString, table);
        QFETCH(QByteArray, csv);
        QFETCH(QString, error);
        TestApp t;
        const QString message = admin::importCsv(t.app().database(), table, writeFile(t, "bad.csv", csv));
        QVERIFY2(message.contains(error), qPrintable(message));
        QCOMPARE(t.value("select count(*) from FE"), QString("0"));
    }

    void failingInsertNamesLineAndRollsBack()
    {
        TestApp t;
        t.exec("CREATE TRIGGER refuse BEFORE INSERT ON VOIP WHEN NEW.IP = 'bad' BEGIN SELECT RAISE(ABORT, 'address refused'); END");
        const QString file = writeFile(t, "voip.csv", "CIRCLE,SERVICE,BNG,IP,ID\nA,FTTH,B1,1.1.1.1,NA\nA,FTTH,B1,bad,NA\n");
        const QString message = admin::importCsv(t.app().database(), "VOIP", file);
        QVERIFY2(message.contains("line 3") && message.contains("address refused") && message.contains("nothing imported"), qPrintable(message));
        QCOMPARE(t.value("select count(*) from VOIP"), QString("0"));
    }

    void demoDataServesEveryScreen()
    {
        TestApp t;
        admin::SeedOptions o;
        o.customers = 300;
        o.complaints = 120;
        o.openComplaints = 25;
        o.now = QDateTime(QDate(2023, 1, 4), QTime(21, 15));
        QCOMPARE(admin::seedDemo(t.app().database(), o), QString());
        QCOMPARE(t.value("select count(*) from CRM where CRM_ID='9000000001' and PASSWORD='demo123' and MAC='NA'"), QString("1"));
        QCOMPARE(t.value("select count(*) from cdata"), QString("300"));
        QCOMPARE(t.value("select count(*) from complain"), QString("120"));
        QCOMPARE(t.value("select count(*) from complain where status<>'CLOSED'"), QString("25"));
        // At most one complaint that is not closed per customer.
        QCOMPARE(t.value("select count(*) from (select [user id] from complain where status<>'CLOSED' group by [user id] having count(*) > 1)"), QString("0"));
        for (const char* table : {"circle", "ssa", "FE", "domain", "engineer", "af_site", "OLT", "VOIP", "BTS", "NGN", "AP_RFO", "olt_status", "offline_user"})
            QVERIFY2(t.value(QString("select count(*) from %1").arg(table)).toInt() > 0, table);
        QVERIFY(t.value("select count(*) from OLT where ID='NA'").toInt() > 0);
        QVERIFY(t.value("select count(*) from BTS where SITE_NAME='NA'").toInt() > 0);
        // Stamps written by the seed read back as date-times.
        QCOMPARE(t.value("select count(*) from complain where [issue date] between '2022-01-01 00:00:01' and '2023-01-04 23:59:59'"), QString("120"));
    }

    void commandLine()
    {
        TestApp t;
        const QString settings = writeFile(t, "k7t.ini", QString("[K7T]\nDatabaseFile=%1/cli.sqlite\n").arg(t.dir()).toUtf8());
        auto run = [&](const QStringList& args, QString* out = nullptr) {
            QProcess p;
            p.start(K7T_BINARY_DIR "/k7t-admin", QStringList{"--settings", settings} + args);
            p.waitForFinished(120000);
            if (out) *out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
            return p.exitCode();
        };
        QString out;
        QCOMPARE(run({"init"}, &out), 0);
        QCOMPARE(run({"add-operator", "--name", "RITA D'SOUZA", "--id", "9811111111", "--password", "x'y"}, &out), 0);
        QCOMPARE(run({"add-operator", "--name", "AGAIN", "--id", "9811111111", "--password", "z"}, &out), 1);
        QVERIFY(out.contains("exists already"));
        QCOMPARE(run({"import", "AP_RFO", writeFile(t, "rfo.csv", "RFO\nFIBER CUT\nPOWER\n")}, &out), 0);
        QVERIFY(out.contains("2 rows imported into AP_RFO"));
        QCOMPARE(run({"seed-demo", "--customers", "20", "--complaints", "5"}, &out), 0);

        DatabaseConfig cli = t.app().database();
        cli.sqliteFile = t.dir() + "/cli.sqlite";
        Connection c(cli);
        c.open();
        RowSet rs = c.execute("select * from CRM where CRM_ID='9811111111' and PASSWORD='x''y'");
        QVERIFY(!rs.atEnd());
        QCOMPARE(rs.trimmed(0), QString("RITA D'SOUZA"));
        QVERIFY(!c.execute("select * from cdata where id='k7t0000020'").atEnd());
    }
};

QTEST_GUILESS_MAIN(AdminTest)
#include "tst_admin.moc"
