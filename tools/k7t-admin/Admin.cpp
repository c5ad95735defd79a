#include "k7t-admin/Admin.h"

#include "core/Schema.h"
#include "core/SqlText.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace k7t::admin {

QStringList importableTables()
{
    return {"OLT", "VOIP", "BTS", "af_site", "olt_status", "AP_RFO", "NGN", "FE", "CRM", "circle", "ssa", "offline_user", "domain"};
}

namespace {

// Opens the configured database (creating the embedded file with its schema when new).
QString openDatabase(const DatabaseConfig& config, Connection& c)
{
    if (QString e = Schema::ensureEmbedded(config); !e.isEmpty()) return e;
    try {
        c.open();
    } catch (const ActionError& e) {
        return e.shown();
    }
    return {};
}

QString queryError(const QSqlQuery& q) { return q.lastError().text().trimmed(); }

} // namespace

QString init(const DatabaseConfig& config)
{
    Connection c(config);
    if (QString e = openDatabase(config, c); !e.isEmpty()) return e;
    try {
        Schema::create(c);
    } catch (const ActionError& e) {
        return e.shown();
    }
    c.close();
    return {};
}

QString addOperator(const DatabaseConfig& config, const QString& name, const QString& id, const QString& password)
{
    Connection c(config);
    if (QString e = openDatabase(config, c); !e.isEmpty()) return e;
    try {
        RowSet existing = c.execute("select * from CRM where CRM_ID='" + sql::text(id) + "'");
        if (!existing.atEnd()) return QStringLiteral("an operator with user ID %1 exists already").arg(id);
        c.execute("insert into CRM(NAME,CRM_ID,ROLE,PASSWORD,EMAIL,MAC,STATUS,crm_ip) values('" + sql::text(name) + "','"
                  + sql::text(id) + "','NOC','" + sql::text(password) + "','','NA','INACTIVE','')");
    } catch (const ActionError& e) {
        return e.shown();
    }
    c.close();
    return {};
}

QString parseCsv(const QString& text, QList<CsvRecord>* records)
{
    records->clear();
    CsvRecord current;
    QString field;
    bool quoted = false, fieldStarted = false, recordStarted = false;
    int line = 1;
    current.line = 1;
    auto endField = [&] {
        current.fields << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        records->append(current);
        current = CsvRecord{};
        recordStarted = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!recordStarted) {
            current.line = line;
            recordStarted = true;
        }
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) { field += c; ++i; }
                else quoted = false;
            } else {
                if (c == QLatin1Char('\n')) ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted && field.isEmpty()) { quoted = true; fieldStarted = true; }
        else if (c == QLatin1Char(',')) endField();
        else if (c == QLatin1Char('\r')) continue;
        else if (c == QLatin1Char('\n')) {
            ++line;
            if (current.fields.isEmpty() && field.isEmpty() && !fieldStarted) { recordStarted = false; continue; } // blank line
            endRecord();
        } else { field += c; fieldStarted = true; }
    }
    if (quoted) return QStringLiteral("line %1: a quoted value is not closed").arg(current.line);
    if (recordStarted && (fieldStarted || !field.isEmpty() || !current.fields.isEmpty())) endRecord();
    return {};
}

QString importCsv(const DatabaseConfig& config, const QString& table, const QString& file, int* imported)
{
    QString canonical;
    for (const QString& t : importableTables())
        if (t.compare(table, Qt::CaseInsensitive) == 0) canonical = t;
    if (canonical.isEmpty())
        return QStringLiteral("%1 is not a table kept outside the program; importable: %2").arg(table, importableTables().join(", "));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("%1: %2").arg(file, f.errorString());
    QList<CsvRecord> records;
    if (QString e = parseCsv(QString::fromUtf8(f.readAll()), &records); !e.isEmpty()) return file + ": " + e;
    if (records.isEmpty()) return file + QStringLiteral(": no header row");

    Connection c(config);
    if (QString e = openDatabase(config, c); !e.isEmpty()) return e;
    QSqlDatabase db = c.handle();
    const QSqlRecord columns = db.record(canonical);
    const QStringList header = records.first().fields;
    QStringList names;
    for (const QString& h : header) {
        const QString name = h.trimmed();
        if (columns.indexOf(name) < 0)
            return QStringLiteral("%1: line %2: %3 has no column \"%4\"").arg(file).arg(records.first().line).arg(canonical, name);
        names << "[" + columns.fieldName(columns.indexOf(name)) + "]";
    }
    QStringList marks;
    for (int i = 0; i < names.size(); ++i) marks << "?";
    const QString statement = QStringLiteral("insert into %1(%2) values(%3)").arg(canonical, names.join(','), marks.join(','));

    if (!db.transaction()) return db.lastError().text();
    QSqlQuery q(db);
    if (!q.prepare(statement)) {
        db.rollback();
        return queryError(q);
    }
    QString error;
    int count = 0;
    for (int r = 1; r < records.size() && error.isEmpty(); ++r) {
        const CsvRecord& rec = records.at(r);
        if (rec.fields.size() != header.size()) {
            error = QStringLiteral("%1: line %2: %3 values where the header names %4").arg(file).arg(rec.line).arg(rec.fields.size()).arg(header.size());
            break;
        }
        for (int i = 0; i < rec.fields.size(); ++i) q.bindValue(i, rec.fields.at(i));
        if (!q.exec()) error = QStringLiteral("%1: line %2: %3").arg(file).arg(rec.line).arg(queryError(q));
        ++count;
    }
    if (!error.isEmpty()) {
        db.rollback();
        return error + QStringLiteral(" (nothing imported)");
    }
    if (!db.commit()) return db.lastError().text();
    if (imported) *imported = count;
    c.close();
    return {};
}

} // namespace k7t::admin
