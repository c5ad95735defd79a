#include "support/TestApp.h"

#include "core/Schema.h"
#include "core/SqlText.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace k7t::test {

TestApp::TestApp()
{
    Settings settings = Settings::load(dir_.filePath("none.ini"));
    settings.set("DatabaseFile", databaseFile());
    settings.set("PageWaitSeconds", "5");
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    app_ = std::make_unique<AppContext>(settings, std::move(dialogs));
    app_->workstation().pin("AA:BB:CC:00:00:01", "10.20.30.40");
    app_->clock().set(QDateTime(QDate(2023, 1, 4), QTime(21, 15)));
    const QString error = Schema::ensureEmbedded(app_->database());
    if (!error.isEmpty()) qFatal("schema: %s", qPrintable(error));
}

void TestApp::exec(const QString& statement)
{
    Connection c(app_->database());
    try {
        c.open();
        c.execute(statement);
    } catch (const ActionError& e) {
        QTest::qFail(qPrintable("statement failed: " + e.shown() + " in " + statement), __FILE__, __LINE__);
    }
    c.close();
}

QStringList TestApp::rows(const QString& query)
{
    Connection c(app_->database());
    QStringList out;
    try {
        c.open();
        for (RowSet rs = c.execute(query); !rs.atEnd(); rs.next()) {
            QStringList values;
            for (int i = 0; i < rs.columnCount(); ++i) values << rs.value(i);
            out << values.join('|');
        }
    } catch (const ActionError& e) {
        QTest::qFail(qPrintable("query failed: " + e.shown() + " in " + query), __FILE__, __LINE__);
    }
    c.close();
    return out;
}

void TestApp::addOperator(const QString& name, const QString& id, const QString& password, const QString& mac)
{
    exec(QStringLiteral("insert into CRM(NAME,CRM_ID,ROLE,PASSWORD,EMAIL,MAC,STATUS,crm_ip) values('%1','%2','NOC','%3','','%4','%5','')")
             .arg(sql::text(name), sql::text(id), sql::text(password), sql::text(mac), mac == "NA" ? "INACTIVE" : "ACTIVE"));
}

} // namespace k7t::test
