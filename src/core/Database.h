#pragma once
// The database gateway: one Connection per screen, opened and closed per action,
// statements sent as complete texts, forward-only row sets read as text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace k7t {

class Clock;
class Dialogs;
class Settings;

// Where the database is and how to reach it.
struct DatabaseConfig {
    enum class Backend { Sqlite, Odbc };
    Backend backend = Backend::Sqlite;
    QString sqliteFile;       // embedded database file
    QString odbcDriver;       // ODBC driver name, e.g. "FreeTDS" or "ODBC Driver 18 for SQL Server"
    QString server;           // DatabaseServer
    QString user = QStringLiteral("sa");
    QString password;
    QString catalog = QStringLiteral("test");
    int packetSize = 4096;
    const Clock* clock = nullptr; // GETDATE() of the embedded database; the system clock when null

    static DatabaseConfig fromSettings(const Settings& settings);
    static QString defaultSqliteFile();
    // The ODBC connection text: the fixed login, catalogue and packet size.
    QString odbcConnectionText() const;
};

// A failed step: the number and text that the database or component (a web page,
// a gateway, the mail transport) gave. Thrown under the errors-reported style.
struct ActionError {
    int number = 0;
    QString text;
    QString shown() const;
};

class RowCursor;

// Forward-only rows of one statement, every value read as text.
class RowSet {
public:
    RowSet() = default;
    bool atEnd() const { return !valid_; }
    QString value(const QString& column) const; // any letter case
    QString value(int position) const;          // 0-based
    QString trimmed(const QString& column) const { return value(column).trimmed(); }
    QString trimmed(int position) const { return value(position).trimmed(); }
    int columnCount() const;
    QString columnName(int position) const;
    void next();
    // Appends the value's text, UTF-8 encoded, to `out`: for readers of many rows.
    void appendUtf8(int position, QByteArray& out) const;

private:
    friend class Connection;
    RowSet(std::shared_ptr<RowCursor> cursor, bool onRow) : cursor_(std::move(cursor)), valid_(onRow) {}
    std::shared_ptr<RowCursor> cursor_;
    bool valid_ = false;
};

class Connection {
public:
    // How an action treats failures: skip the failed step and go on, or end the
    // action at the first failure and show it.
    enum class Style { IgnoreErrors, ReportErrors };

    explicit Connection(DatabaseConfig config);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Under ReportErrors these throw ActionError; under IgnoreErrors a failed open
    // leaves the connection closed and a failed statement yields no rows.
    void open();
    RowSet execute(const QString& statement);
    // Rows changed by the last statement that changes rows (-1 when unknown).
    int affectedRows() const { return affected_; }
    void close();

    bool isOpen() const;
    Style style() const { return style_; }
    void setStyle(Style s) { style_ = s; }
    const DatabaseConfig& config() const { return config_; }
    QString connectionName() const { return name_; }
    // The open driver connection, for bulk work with prepared statements (tools only).
    QSqlDatabase handle() const;
    // The last failure seen under IgnoreErrors, for callers that say more than nothing.
    std::optional<ActionError> lastError() const { return lastError_; }

    // One action in the given style. Under ReportErrors the first ActionError ends it and
    // is shown; the connection is closed at the end either way. False when it failed.
    bool run(Style style, Dialogs& dialogs, const std::function<void()>& action);

private:
    ActionError fail(const ActionError& e);
    RowSet executeEmbedded(QSqlDatabase& db, const QString& statement);
    void finishCursors();
    DatabaseConfig config_;
    // Statements of the embedded database still being read; ended at close().
    std::vector<std::weak_ptr<RowCursor>> cursors_;
    QString name_;
    Style style_ = Style::ReportErrors;
    std::optional<ActionError> lastError_;
    int affected_ = -1;
};

} // namespace k7t
