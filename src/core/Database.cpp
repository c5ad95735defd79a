#include "core/Database.h"

#include "core/Dialogs.h"
#include "core/Settings.h"
#include "core/SqlText.h"
#include "core/SqliteDialect.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QStandardPaths>

namespace k7t {

DatabaseConfig DatabaseConfig::fromSettings(const Settings& s)
{
    DatabaseConfig c;
    const QString backend = s.value("DatabaseBackend").trimmed().toLower();
    c.backend = (backend == QLatin1String("mssql") || backend == QLatin1String("odbc")) ? Backend::Odbc : Backend::Sqlite;
    c.sqliteFile = s.value("DatabaseFile").isEmpty() ? defaultSqliteFile() : s.value("DatabaseFile");
    c.odbcDriver = s.value("OdbcDriver");
    c.server = s.value("DatabaseServer");
    c.user = s.value("DatabaseUser");
    c.password = s.value("DatabasePassword");
    c.catalog = s.value("DatabaseCatalog");
    return c;
}

QString DatabaseConfig::defaultSqliteFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("k7t-crm.sqlite");
}

QString DatabaseConfig::odbcConnectionText() const
{
    // The keys are those of the SQL Server ODBC drivers; FreeTDS and Microsoft's
    // driver both read SERVER, DATABASE, UID, PWD; FreeTDS also "Packet Size".
    return QStringLiteral("DRIVER={%1};SERVER=%2;DATABASE=%3;UID=%4;PWD=%5;Packet Size=%6;APP=K7T CRM")
        .arg(odbcDriver, server, catalog, user, password)
        .arg(packetSize);
}

QString ActionError::shown() const { return QStringLiteral("Error %1: %2").arg(number).arg(text); }

namespace {

ActionError fromSqlError(const QSqlError& e)
{
    bool ok = false;
    int number = e.nativeErrorCode().toInt(&ok);
    if (!ok) number = -1;
    QString text = e.databaseText();
    if (text.isEmpty()) text = e.text();
    if (!e.driverText().isEmpty() && !text.contains(e.driverText())) text = e.driverText() + QStringLiteral(": ") + text;
    return {number, text.trimmed()};
}

// Date-time values of a server read as the server's text form; everything else as is.
QString asText(const QVariant& v)
{
    if (v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::QDateTime: return sql::serverDateTimeText(v.toDateTime());
    case QMetaType::QDate: return sql::serverDateTimeText(QDateTime(v.toDate(), QTime(0, 0))).section(' ', 0, 0);
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    default: return v.toString();
    }
}

} // namespace

RowSet::RowSet(std::shared_ptr<QSqlQuery> q) : query_(std::move(q))
{
    record_ = query_->record();
    valid_ = query_->next();
}

QString RowSet::value(const QString& column) const
{
    if (!valid_) return {};
    const int i = record_.indexOf(column);
    return i < 0 ? QString() : asText(query_->value(i));
}

QString RowSet::value(int position) const
{
    if (!valid_ || position < 0 || position >= record_.count()) return {};
    return asText(query_->value(position));
}

void RowSet::next()
{
    if (valid_) valid_ = query_->next();
}

Connection::Connection(DatabaseConfig config) : config_(std::move(config))
{
    static QAtomicInt counter;
    name_ = QStringLiteral("k7t-%1").arg(counter.fetchAndAddRelaxed(1));
}

Connection::~Connection()
{
    if (QSqlDatabase::contains(name_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

ActionError Connection::fail(const ActionError& e)
{
    lastError_ = e;
    if (style_ == Style::ReportErrors) throw e;
    return e;
}

void Connection::open()
{
    if (!QSqlDatabase::contains(name_)) {
        if (config_.backend == DatabaseConfig::Backend::Sqlite) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
            db.setDatabaseName(config_.sqliteFile);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
            db.setDatabaseName(config_.odbcConnectionText());
        }
    }
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.isOpen()) return;
    if (config_.backend == DatabaseConfig::Backend::Sqlite && !QFileInfo::exists(config_.sqliteFile)) {
        // Never create an empty file by accident: the schema is made by Schema::ensure.
        fail({14, QStringLiteral("unable to open database file %1").arg(config_.sqliteFile)});
        return;
    }
    if (!db.open(QString(), QString())) {
        fail(fromSqlError(db.lastError()));
        return;
    }
    if (config_.backend == DatabaseConfig::Backend::Sqlite) SqliteDialect::install(db, config_.clock);
}

RowSet Connection::execute(const QString& statement)
{
    if (!isOpen()) {
        fail({-1, QStringLiteral("the connection is not open")});
        return {};
    }
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    affected_ = -1;
    auto query = std::make_shared<QSqlQuery>(db);
    query->setForwardOnly(true);
    const QString text = config_.backend == DatabaseConfig::Backend::Sqlite ? SqliteDialect::rewrite(statement) : statement;
    if (!query->exec(text)) {
        fail(fromSqlError(query->lastError()));
        return {};
    }
    if (!query->isSelect()) {
        affected_ = query->numRowsAffected();
        return {};
    }
    return RowSet(std::move(query));
}

QSqlDatabase Connection::handle() const { return QSqlDatabase::database(name_, false); }

void Connection::close()
{
    if (QSqlDatabase::contains(name_)) QSqlDatabase::database(name_, false).close();
}

bool Connection::run(Style style, Dialogs& dialogs, const std::function<void()>& action)
{
    const Style before = style_;
    style_ = style;
    lastError_.reset();
    bool ok = true;
    try {
        action();
    } catch (const ActionError& e) {
        ok = false;
        dialogs.plain(e.shown());
    }
    close();
    style_ = before;
    return ok && (style == Style::ReportErrors || !lastError_);
}

} // namespace k7t
