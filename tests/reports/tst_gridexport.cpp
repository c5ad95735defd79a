// Grid export: the whole grid, header row first, on the clipboard and in a new
// workbook handed to the spreadsheet application; the failures the operator is told.
#include "core/ResultGrid.h"
#include "screens/reports/GridExport.h"
#include "support/TestApp.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QProcess>

using namespace k7t;

namespace {

// The sheet's XML as stored in the workbook (a zip archive).
QString sheetXml(const QString& workbook)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", workbook, "xl/worksheets/sheet1.xml"});
    if (!unzip.waitForFinished(60000)) return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class GridExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestApp> t;
    std::unique_ptr<ResultGrid> grid;

private slots:
    void init()
    {
        t = std::make_unique<test::TestApp>();
        t->app().desktop().record();
        t->app().settings().set("ExportFolder", t->dir() + "/exports"); // workbooks go with the test's folder
        t->exec("insert into engineer values('D''SOUZA & SONS','0981','<PUNE>')");
        t->exec("insert into engineer values('रवि','42','')");
        grid = std::make_unique<ResultGrid>();
        Connection c(t->app().database());
        c.open();
        RowSet rs = c.execute("select Engineer, Phone, AREA from engineer order by Phone");
        grid->bind(rs);
    }

    void cleanup()
    {
        grid.reset();
        t.reset();
    }

    void clipboardAndWorkbookHoldTheWholeGrid()
    {
        QGuiApplication::clipboard()->setText("earlier content");
        QVERIFY(exportGrid(t->app(), *grid));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("Engineer\tPhone\tAREA\nD'SOUZA & SONS\t0981\t<PUNE>\nरवि\t42\t"));
        QCOMPARE(t->app().desktop().openedUrls().size(), 1);
        const QString file = t->app().desktop().openedUrls().first().toLocalFile();
        QVERIFY(file.endsWith(".xlsx"));
        const QString xml = sheetXml(file);
        QVERIFY2(!xml.isEmpty(), "the workbook has no sheet");
        for (const QString& cell : {"<t>Engineer</t>", "<t>Phone</t>", "<t>AREA</t>", "<t>D'SOUZA &amp; SONS</t>", "<t>0981</t>",
                                    "<t>&lt;PUNE&gt;</t>", "<t>रवि</t>"})
            QVERIFY2(xml.contains(cell), qPrintable(cell));
        QVERIFY(xml.contains(R"(<c r="B3"><v>42</v></c>)"));   // a count lands as a number
        QVERIFY(xml.indexOf("<t>Engineer</t>") < xml.indexOf("D'SOUZA")); // header row first
        QVERIFY(t->dialogs().boxes().isEmpty());
        // The grid stays selected whole, header row included.
        QCOMPARE(grid->selectionModel()->selectedIndexes().size(), grid->rows() * grid->cols());
    }

    void everyExportIsANewWorkbook()
    {
        QVERIFY(exportGrid(t->app(), *grid));
        QVERIFY(exportGrid(t->app(), *grid));
        const auto urls = t->app().desktop().openedUrls();
        QCOMPARE(urls.size(), 2);
        QVERIFY(urls.at(0) != urls.at(1));
        QVERIFY(QFile::exists(urls.at(0).toLocalFile()));
        QVERIFY(QFile::exists(urls.at(1).toLocalFile()));
    }

    void aFolderThatCannotBeWrittenIsToldAndTheClipboardStillHoldsTheGrid()
    {
        const QString plainFile = t->dir() + "/not-a-folder";
        QFile f(plainFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        t->app().settings().set("ExportFolder", plainFile + "/exports");
        QVERIFY(!exportGrid(t->app(), *grid));
        QVERIFY(t->app().desktop().openedUrls().isEmpty());
        QCOMPARE(t->dialogs().boxes().size(), 1);
        QCOMPARE(t->dialogs().last().kind, MessageKind::Exclamation);
        QVERIFY(t->dialogs().last().text.startsWith("THE SPREADSHEET COULD NOT BE WRITTEN"));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Engineer\tPhone\tAREA\n"));
    }

    void noSpreadsheetApplicationIsTold()
    {
        t->app().settings().set("ExportFolder", t->dir() + "/exports");
        t->app().desktop().refuse(true);
        QVERIFY(!exportGrid(t->app(), *grid));
        QCOMPARE(t->dialogs().boxes().size(), 1);
        QVERIFY(t->dialogs().last().text.startsWith("NO SPREADSHEET APPLICATION COULD BE STARTED"));
        const QString file = t->app().desktop().openedUrls().first().toLocalFile();
        QVERIFY(file.startsWith(t->dir() + "/exports/"));
        QVERIFY(t->dialogs().last().text.contains(QDir::toNativeSeparators(file)));
        QVERIFY(QFile::exists(file));
    }

    void anEmptyGridExportsEmpty()
    {
        ResultGrid empty;
        QVERIFY(exportGrid(t->app(), empty));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        QVERIFY(sheetXml(t->app().desktop().openedUrls().first().toLocalFile()).contains("<worksheet"));
    }
};

QTEST_MAIN(GridExportTest)
#include "tst_gridexport.moc"
