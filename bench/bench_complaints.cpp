// Complaint desk at NOC scale: 1,000,000 customers, 2,000,000 complaints, 100,000 open.
// Each action is timed as the screen runs it (real screens, offscreen) and beside it
// the same statements straight through the sqlite3 library. Prints one line per action
//   ACTION <name> app_ms=<x> raw_ms=<y> ratio=<x/y>
// (medians), then PEAK_RSS_MB=<n>. The generated database is kept under the build
// folder and made again only when missing.
#include "core/AppContext.h"
#include "core/MainWindow.h"
#include "core/ScreenCatalog.h"
#include "core/ResultGrid.h"
#include "core/Schema.h"
#include "core/SqlText.h"
#include "core/SqliteDialect.h"
#include "k7t-admin/Admin.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>
#include <vector>

#define K7T_BENCH_COMPLAINT_SCREEN 0

using namespace k7t;

namespace {

constexpr int kCustomers = 1000000;
constexpr int kComplaints = 2000000;
constexpr int kOpen = 100000;
const QDateTime kSeedNow(QDate(2026, 1, 15), QTime(10, 0));

QString databaseFile()
{
    return QDir(QStringLiteral(K7T_BENCH_DATA)).filePath(QStringLiteral("complaints-%1-%2-%3.sqlite").arg(kCustomers).arg(kComplaints).arg(kOpen));
}

// Seeds into a side file and renames it when complete, so a broken run leaves no cache.
int seed(const QString& file)
{
    const QString partial = file + QStringLiteral(".partial");
    for (const QString& f : {partial, partial + "-wal", partial + "-shm"}) QFile::remove(f);
    DatabaseConfig config;
    config.sqliteFile = partial;
    admin::SeedOptions options;
    options.customers = kCustomers;
    options.complaints = kComplaints;
    options.openComplaints = kOpen;
    options.now = kSeedNow;
    QElapsedTimer t;
    t.start();
    const QString error = admin::seedDemo(config, options);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "seed failed: %s\n", qPrintable(error));
        return 1;
    }
    {
        // Fold the write-ahead log into the file, then hand the file over.
        sqlite3* h = nullptr;
        sqlite3_open(QFile::encodeName(partial).constData(), &h);
        sqlite3_exec(h, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    }
    QFile::remove(file);
    if (!QFile::rename(partial, file)) return 1;
    QFile::remove(partial + "-wal");
    QFile::remove(partial + "-shm");
    std::fprintf(stderr, "seeded %s in %.1f s\n", qPrintable(file), t.elapsed() / 1000.0);
    return 0;
}


double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The statements of an action straight through the sqlite3 library: a connection
// opened for the action, as the screens do, every value of every row read as text.
class RawDb {
public:
    explicit RawDb(const QString& file, const Clock* clock) : file_(QFile::encodeName(file)), clock_(clock) {}

    double run(const QStringList& statements)
    {
        QElapsedTimer t;
        t.start();
        sqlite3* h = nullptr;
        sqlite3_open_v2(file_.constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(h, 10000);
        SqliteDialect::install(h, clock_);
        for (const QString& statement : statements) {
            const QByteArray text = statement.toUtf8();
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK) {
                std::fprintf(stderr, "raw: %s in %s\n", sqlite3_errmsg(h), text.constData());
                continue;
            }
            const int cols = sqlite3_column_count(st);
            while (sqlite3_step(st) == SQLITE_ROW)
                for (int c = 0; c < cols; ++c) sink_ += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) != nullptr);
            sqlite3_finalize(st);
        }
        sqlite3_close(h);
        return msSince(t);
    }

private:
    QByteArray file_;
    const Clock* clock_;
    quint64 sink_ = 0;
};

struct Result {
    QString name;
    std::vector<double> app, raw;
};

void print(const Result& r)
{
    const double a = median(r.app), b = median(r.raw);
    std::printf("ACTION %s app_ms=%.2f raw_ms=%.2f ratio=%.2f\n", qPrintable(r.name), a, b, b > 0 ? a / b : 0.0);
    std::fflush(stdout);
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

template <typename T>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

void closeScreen(QWidget* w)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget())) frame->close();
    else w->close();
    settle();
}

const QString kBoardList = QStringLiteral("select *  from complain where Status <>'CLOSED' order by pending desc");

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--seed") == 0) {
        QCoreApplication app(argc, argv);
        return seed(QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QString file = databaseFile();
    if (!QFileInfo::exists(file)) {
        // A process of its own, so the memory that the generation takes is not counted here.
        std::fprintf(stderr, "generating %s (some minutes, once)\n", qPrintable(file));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QProcess seeder;
        seeder.setProcessChannelMode(QProcess::ForwardedChannels);
        seeder.start(QCoreApplication::applicationFilePath(), {"--seed", file});
        if (!seeder.waitForFinished(-1) || seeder.exitCode() != 0) return 1;
    }

    {
        // Indexes added to the schema since the data was generated are made here.
        DatabaseConfig config;
        config.sqliteFile = file;
        Connection c(config);
        try {
            c.open();
            Schema::create(c);
        } catch (const ActionError& e) {
            std::fprintf(stderr, "schema: %s\n", qPrintable(e.shown()));
            return 1;
        }
    }

    Settings settings = Settings::load(QDir(QFileInfo(file).absolutePath()).filePath("none.ini"));
    settings.set("DatabaseFile", file);
    settings.set("ComplaintHookBaseUrl", "http://127.0.0.1:9");
    AppContext app(settings, std::make_unique<ScriptedDialogs>());
    app.clock().set(kSeedNow);
    app.desktop().record();
    app.workstation().pin("AA:BB:CC:00:00:01", "10.20.30.40");
    app.currentUser().set(QString::fromLatin1(admin::kDemoOperatorName));
    RawDb raw(file, &app.clock());
    auto& dialogs = static_cast<ScriptedDialogs&>(app.dialogs());

    MainWindow main(app, programScreens());
    main.resize(1600, 1000);
    main.show();
    settle();

    // Warm the file into the page cache once, for app and raw alike.
    raw.run({kBoardList});

    {
        Result r{"open_board_with_counter", {}, {}};
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            QWidget* board = main.openScreen("Form4");
            settle();
            r.app.push_back(msSince(t));
            if (!child<QLabel>(board, "Label10")->text().startsWith("OPEN FAULT: ")) qFatal("no counter");
            if (i == 0) std::fprintf(stderr, "board: %s\n", qPrintable(child<QLabel>(board, "Label10")->text()));
            closeScreen(board);
            r.raw.push_back(raw.run({"select CIRCLE from CIRCLE", kBoardList}));
        }
        print(r);
    }

    {
        Result r{"noc_performance_report", {}, {}};
        QWidget* board = main.openScreen("Form4");
        settle();
        const QString from = sql::stampText(kSeedNow.addDays(-1));
        const QString to = sql::stampText(kSeedNow);
        child<QLineEdit>(board, "Text7")->setText(from);
        child<QLineEdit>(board, "Text5")->setText(to);
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer t;
            t.start();
            child<QPushButton>(board, "Command1")->click();
            settle();
            r.app.push_back(msSince(t));
            r.raw.push_back(raw.run({"SELECT NE, COUNT(NE) FROM COMPLAIN where [CLOSE DATE] between '" + from + "' AND '" + to
                                         + "' GROUP BY NE HAVING COUNT(NE) > 1",
                                     "select count(id) from complain where [issue DATE] between '" + from + "' AND '" + to + "'",
                                     "select count(id) from complain where [CLOSE DATE] between '" + from + "' AND '" + to + "'",
                                     "select count(id) from complain where [ISSUE DATE] < '" + from + "' AND STATUS <>'CLOSED'"}));
        }
        if (QWidget* report = main.screen("Form6")) {
            std::fprintf(stderr, "report: %s / %s / %s\n", qPrintable(child<QLabel>(report, "Label1")->text()),
                         qPrintable(child<QLabel>(report, "Label2")->text()), qPrintable(child<QLabel>(report, "Label3")->text()));
            closeScreen(report);
        }
        closeScreen(board);
        print(r);
    }

#if K7T_BENCH_COMPLAINT_SCREEN
    complaintScreenActions(main, app, raw);
#endif
    if (!dialogs.boxes().isEmpty()) std::fprintf(stderr, "messages: %s\n", qPrintable(dialogs.texts().join(" | ")));

    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("PEAK_RSS_MB=%ld\n", usage.ru_maxrss / 1024);
    main.hide();
    return 0;
}
