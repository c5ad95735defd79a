#include "core/Schema.h"

#include "core/SqliteDialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The schema files are resources of a static library: register them explicitly.
static void initSchemaResources() { Q_INIT_RESOURCE(schema); }

namespace k7t::Schema {

QStringList statements(DatabaseConfig::Backend backend)
{
    static const bool registered = (initSchemaResources(), true);
    Q_UNUSED(registered);
    QFile file(backend == DatabaseConfig::Backend::Sqlite ? QStringLiteral(":/sql/sqlite.sql") : QStringLiteral(":/sql/mssql.sql"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList result;
    static const QRegularExpression separator(QStringLiteral("^--;\\s*$"), QRegularExpression::MultilineOption);
    for (const QString& chunk : text.split(separator)) {
        QStringList lines;
        for (const QString& line : chunk.split('\n'))
            if (!line.trimmed().startsWith(QLatin1String("--"))) lines << line;
        const QString statement = lines.join('\n').trimmed();
        if (!statement.isEmpty()) result << statement;
    }
    return result;
}

void create(Connection& connection)
{
    for (const QString& statement : statements(connection.config().backend)) connection.execute(statement);
}

QString ensureEmbedded(const DatabaseConfig& config)
{
    if (config.backend != DatabaseConfig::Backend::Sqlite || QFileInfo::exists(config.sqliteFile)) return {};
    const QFileInfo info(config.sqliteFile);
    if (!QDir().mkpath(info.absolutePath())) return QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
    const QString name = QStringLiteral("k7t-schema");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(config.sqliteFile);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            if (statements(DatabaseConfig::Backend::Sqlite).isEmpty()) error = QStringLiteral("the schema is missing from the program");
            SqliteDialect::install(db, nullptr); // date-time columns name its collation
            db.transaction();
            for (const QString& statement : statements(DatabaseConfig::Backend::Sqlite)) {
                if (!error.isEmpty()) break;
                if (!q.exec(statement)) {
                    error = q.lastError().text() + QStringLiteral(" in: ") + statement.left(60);
                    break;
                }
            }
            if (error.isEmpty()) db.commit(); else db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty()) QFile::remove(config.sqliteFile);
    return error;
}

} // namespace k7t::Schema
