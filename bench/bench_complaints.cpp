// Complaint desk at NOC scale: 1,000,000 customers, 2,000,000 complaints, 100,000 open.
// Each action is timed as the screen runs it (real screens, offscreen) and beside it
// the same statements straight through the sqlite3 library. Prints one line per action
//   ACTION <name> app_ms=<x> raw_ms=<y> ratio=<x/y>
// (medians), then PEAK_RSS_MB=<n>. The generated database is kept under the build
// folder and made again only when missing.
#include "core/AppContext.h"
#include "core/MainWindow.h"
#include "core/ResultGrid.h"
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
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>
#include <vector>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--seed") == 0) {
        QCoreApplication app(argc, argv);
        return seed(QString::fromLocal8Bit(argv[2]));
    }
    return 0;
}
