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
#include <algorithm>
#include <sqlite3.h>

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

// Where a row set reads its rows from.
class RowCursor {
public:
    virtual ~RowCursor() = default;
    virtual bool next() = 0; // moves to the next row; false past the last
    virtual int columnCount() const = 0;
    virtual QString columnName(int position) const = 0;
    virtual int indexOf(const QString& column) const = 0;
    virtual QString value(int position) const = 0;
    virtual void appendUtf8(int position, QByteArray& out) const { out += value(position).toUtf8(); }
};

namespace {

// Rows through the Qt driver (ODBC).
class QueryCursor : public RowCursor {
public:
    explicit QueryCursor(std::shared_ptr<QSqlQuery> q) : query_(std::move(q)), record_(query_->record()) {}
    bool next() override { return query_->next(); }
    int columnCount() const override { return record_.count(); }
    QString columnName(int position) const override { return record_.fieldName(position); }
    int indexOf(const QString& column) const override { return record_.indexOf(column); }
    QString value(int position) const override { return asText(query_->value(position)); }

private:
    std::shared_ptr<QSqlQuery> query_;
    QSqlRecord record_;
};

} // namespace

// Rows of the embedded database straight from the sqlite3 library: values are read
// only when asked for, and as the text the library holds.
class SqliteCursor : public RowCursor {
public:
    explicit SqliteCursor(sqlite3_stmt* statement) : statement_(statement)
    {
        const int n = sqlite3_column_count(statement_);
        for (int i = 0; i < n; ++i) names_ << QString::fromUtf8(sqlite3_column_name(statement_, i)).remove(QLatin1Char('"'));
    }
    ~SqliteCursor() override { finish(); }

    // Ends the statement; the rows that remain are not read.
    void finish()
    {
        if (statement_) sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
    // Steps to the next row; the error code when the step failed.
    int step() { return statement_ ? sqlite3_step(statement_) : SQLITE_DONE; }
    bool next() override
    {
        if (step() == SQLITE_ROW) return true;
        finish();
        return false;
    }
    int columnCount() const override { return int(names_.size()); }
    QString columnName(int position) const override { return names_.value(position); }
    int indexOf(const QString& column) const override
    {
        for (int i = 0; i < names_.size(); ++i)
            if (names_.at(i).compare(column, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    QString value(int position) const override
    {
        if (!statement_) return {};
        switch (sqlite3_column_type(statement_, position)) {
        case SQLITE_NULL: return {};
        case SQLITE_INTEGER: return QString::number(sqlite3_column_int64(statement_, position));
        case SQLITE_FLOAT: return QString::number(sqlite3_column_double(statement_, position), 'g', 15);
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement_, position)),
                                     sqlite3_column_bytes(statement_, position));
        }
    }
    void appendUtf8(int position, QByteArray& out) const override
    {
        if (!statement_) return;
        switch (sqlite3_column_type(statement_, position)) {
        case SQLITE_NULL: return;
        case SQLITE_FLOAT: out += value(position).toUtf8(); return;
        default: // integers read as text are their decimal digits
            out.append(reinterpret_cast<const char*>(sqlite3_column_text(statement_, position)), sqlite3_column_bytes(statement_, position));
        }
    }

private:
    sqlite3_stmt* statement_;
    QStringList names_;
};

int RowSet::columnCount() const { return cursor_ ? cursor_->columnCount() : 0; }

QString RowSet::columnName(int position) const
{
    return cursor_ && position >= 0 && position < cursor_->columnCount() ? cursor_->columnName(position) : QString();
}

QString RowSet::value(const QString& column) const
{
    if (!valid_) return {};
    const int i = cursor_->indexOf(column);
    return i < 0 ? QString() : cursor_->value(i);
}

QString RowSet::value(int position) const
{
    if (!valid_ || position < 0 || position >= cursor_->columnCount()) return {};
    return cursor_->value(position);
}

void RowSet::appendUtf8(int position, QByteArray& out) const
{
    if (valid_ && position >= 0 && position < cursor_->columnCount()) cursor_->appendUtf8(position, out);
}

void RowSet::next()
{
    if (valid_) valid_ = cursor_->next();
}

Connection::Connection(DatabaseConfig config) : config_(std::move(config))
{
    static QAtomicInt counter;
    name_ = QStringLiteral("k7t-%1").arg(counter.fetchAndAddRelaxed(1));
}

Connection::~Connection()
{
    finishCursors();
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
    if (config_.backend == DatabaseConfig::Backend::Sqlite) return executeEmbedded(db, SqliteDialect::rewrite(statement));
    auto query = std::make_shared<QSqlQuery>(db);
    query->setForwardOnly(true);
    if (!query->exec(statement)) {
        fail(fromSqlError(query->lastError()));
        return {};
    }
    if (!query->isSelect()) {
        affected_ = query->numRowsAffected();
        return {};
    }
    auto cursor = std::make_shared<QueryCursor>(std::move(query));
    const bool onRow = cursor->next();
    return RowSet(std::move(cursor), onRow);
}

// The embedded database runs statements through the sqlite3 library itself: a
// hundred thousand rows are read without a value object per cell.
RowSet Connection::executeEmbedded(QSqlDatabase& db, const QString& statement)
{
    const QVariant handle = db.driver()->handle();
    sqlite3* h = handle.isValid() ? *static_cast<sqlite3* const*>(handle.constData()) : nullptr;
    const QByteArray text = statement.toUtf8();
    const char* tail = nullptr;
    sqlite3_stmt* prepared = nullptr;
    const auto error = [&](int code) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(h));
        fail({code, QStringLiteral("Unable to execute statement: ") + message});
        return RowSet();
    };
    if (!h) {
        fail({-1, QStringLiteral("the connection is not open")});
        return {};
    }
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &prepared, &tail) != SQLITE_OK) return error(sqlite3_errcode(h));
    if (!prepared) return {}; // only blanks or a comment
    auto cursor = std::make_shared<SqliteCursor>(prepared);
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        cursor->finish();
        fail({-1, QStringLiteral("Unable to execute multiple statements at a time")});
        return {};
    }
    if (cursor->columnCount() == 0) {
        const int rc = cursor->step();
        cursor->finish();
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) return error(rc);
        affected_ = sqlite3_changes(h);
        return {};
    }
    // A failing first step (a collation or a function that refuses a value) is the
    // statement's failure; later rows fail only by ending.
    const int rc = cursor->step();
    if (rc != SQLITE_ROW) cursor->finish();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return error(rc);
    cursors_.erase(std::remove_if(cursors_.begin(), cursors_.end(), [](const auto& w) { return w.expired(); }), cursors_.end());
    cursors_.push_back(cursor);
    return RowSet(std::move(cursor), rc == SQLITE_ROW);
}

QSqlDatabase Connection::handle() const { return QSqlDatabase::database(name_, false); }

// Row sets are not read after the close; their statements end, so the database
// file is released.
void Connection::finishCursors()
{
    for (const auto& w : cursors_)
        if (auto cursor = w.lock()) static_cast<SqliteCursor*>(cursor.get())->finish();
    cursors_.clear();
}

void Connection::close()
{
    finishCursors();
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
