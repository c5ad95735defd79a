// Statement text: literals, date-time patterns, hour marks.
#include "core/SqlText.h"

#include <QtTest/QTest>

using namespace k7t;

class SqlTextTest : public QObject {
    Q_OBJECT
private slots:
    void literalKeepsQuotes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("inside");
        QTest::newRow("plain") << "Sharma" << "Sharma";
        QTest::newRow("apostrophe") << "D'Souza" << "D''Souza";
        QTest::newRow("injection") << "' or '1'='1" << "'' or ''1''=''1";
        QTest::newRow("doubled already") << "''" << "''''";
        QTest::newRow("empty") << "" << "";
    }
    void literalKeepsQuotes()
    {
        QFETCH(QString, value);
        QFETCH(QString, inside);
        QCOMPARE(sql::text(value), inside);
    }

    void patterns_data()
    {
        QTest::addColumn<QDateTime>("t");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("us");
        QTest::newRow("quarter past nine pm") << QDateTime(QDate(2023, 1, 4), QTime(21, 15)) << "4-Jan-23" << "4-Jan-23 9:15 PM" << "4-Jan-23 21:15" << "01/04/2023 9:15 PM";
        QTest::newRow("five past nine pm") << QDateTime(QDate(2023, 1, 4), QTime(21, 5)) << "4-Jan-23" << "4-Jan-23 9:5 PM" << "4-Jan-23 21:05" << "01/04/2023 9:5 PM";
        QTest::newRow("noon") << QDateTime(QDate(2021, 12, 9), QTime(12, 0)) << "9-Dec-21" << "9-Dec-21 12:0 PM" << "9-Dec-21 12:00" << "12/09/2021 12:0 PM";
        QTest::newRow("half past midnight") << QDateTime(QDate(2009, 3, 31), QTime(0, 30)) << "31-Mar-09" << "31-Mar-09 12:30 AM" << "31-Mar-09 00:30" << "03/31/2009 12:30 AM";
        QTest::newRow("before noon") << QDateTime(QDate(2024, 2, 29), QTime(11, 59)) << "29-Feb-24" << "29-Feb-24 11:59 AM" << "29-Feb-24 11:59" << "02/29/2024 11:59 AM";
    }
    void patterns()
    {
        QFETCH(QDateTime, t);
        QFETCH(QString, day);
        QFETCH(QString, stamp);
        QFETCH(QString, clock);
        QFETCH(QString, us);
        QCOMPARE(sql::dayText(t), day);
        QCOMPARE(sql::stampText(t), stamp);
        QCOMPARE(sql::clockText(t), clock);
        QCOMPARE(sql::usStampText(t), us);
        // Every pattern that carries the time reads back to the same minute.
        QCOMPARE(sql::parseDateTime(stamp).value(), t);
        QCOMPARE(sql::parseDateTime(clock).value(), t);
        QCOMPARE(sql::parseDateTime(us).value(), t);
        QCOMPARE(sql::parseDateTime(sql::serverDateTimeText(t)).value(), t);
    }

    void periodLimits()
    {
        QCOMPARE(sql::periodStartText(QDate(2023, 1, 4)), QString("2023-01-04 00:00:01"));
        QCOMPARE(sql::periodEndText(QDate(2023, 1, 4)), QString("2023-01-04 23:59:59"));
    }

    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected"); // invalid: not a date-time
        QTest::newRow("placeholder") << "4/4/1990 12:00:00 AM" << QDateTime(QDate(1990, 4, 4), QTime(0, 0));
        QTest::newRow("fault placeholder") << "4/4/1970" << QDateTime(QDate(1970, 4, 4), QTime(0, 0));
        QTest::newRow("iso") << "2023-01-04 21:15:00" << QDateTime(QDate(2023, 1, 4), QTime(21, 15));
        QTest::newRow("iso T millis") << "2023-01-04T21:15:07.250" << QDateTime(QDate(2023, 1, 4), QTime(21, 15, 7));
        QTest::newRow("padded") << "  4-Jan-23 9:5 PM " << QDateTime(QDate(2023, 1, 4), QTime(21, 5));
        QTest::newRow("lower case") << "4-jan-23 9:05 pm" << QDateTime(QDate(2023, 1, 4), QTime(21, 5));
        QTest::newRow("year 49 is 2049") << "1-Jan-49" << QDateTime(QDate(2049, 1, 1), QTime(0, 0));
        QTest::newRow("year 50 is 1950") << "1-Jan-50" << QDateTime(QDate(1950, 1, 1), QTime(0, 0));
        QTest::newRow("30 February") << "30-Feb-23" << QDateTime();
        QTest::newRow("13 PM") << "4-Jan-23 13:00 PM" << QDateTime();
        QTest::newRow("word") << "NA" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("trailing junk") << "4-Jan-23 9:5 PMX" << QDateTime();
    }
    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const auto parsed = sql::parseDateTime(text);
        QCOMPARE(parsed.has_value(), expected.isValid());
        if (parsed) QCOMPARE(*parsed, expected);
    }

    void hourMarks_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<qint64>("marks");
        const QDate d(2023, 1, 4);
        QTest::newRow("10:59 to 11:01") << QDateTime(d, QTime(10, 59)) << QDateTime(d, QTime(11, 1)) << qint64(1);
        QTest::newRow("10:00 to 10:59") << QDateTime(d, QTime(10, 0)) << QDateTime(d, QTime(10, 59)) << qint64(0);
        QTest::newRow("23:30 to 00:10") << QDateTime(d, QTime(23, 30)) << QDateTime(d.addDays(1), QTime(0, 10)) << qint64(1);
        QTest::newRow("two days") << QDateTime(d, QTime(9, 0)) << QDateTime(d.addDays(2), QTime(9, 0)) << qint64(48);
        QTest::newRow("backwards") << QDateTime(d, QTime(11, 1)) << QDateTime(d, QTime(10, 59)) << qint64(-1);
    }
    void hourMarks()
    {
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(qint64, marks);
        QCOMPARE(sql::hourBoundaries(from, to), marks);
    }

    void plainNumbers()
    {
        QVERIFY(sql::isPlainNumber("9876543210"));
        for (const char* bad : {"", " 98", "98 ", "9e3", "-1", "1,2", "0x1F", "1;drop"})
            QVERIFY2(!sql::isPlainNumber(bad), bad);
    }
};

QTEST_APPLESS_MAIN(SqlTextTest)
#include "tst_sqltext.moc"
