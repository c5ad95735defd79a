// k7t-crm: the NOC's desktop program. Starts at the login screen.
#include "core/AppContext.h"
#include "core/AppIcon.h"
#include "core/Schema.h"
#include "core/SessionFlow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("k7t-crm"));
    QApplication::setOrganizationName(QStringLiteral("k7t"));
    QApplication::setWindowIcon(k7t::appIcon());

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("K7T CRM"));
    options.addHelpOption();
    options.addOption({QStringLiteral("settings"), QStringLiteral("Settings file (INI)."), QStringLiteral("FILE")});
    options.process(application);

    k7t::AppContext app(k7t::Settings::load(options.value(QStringLiteral("settings"))),
                        std::make_unique<k7t::MessageBoxDialogs>());
    const QString error = k7t::Schema::ensureEmbedded(app.database());
    if (!error.isEmpty())
        app.dialogs().exclamation(QStringLiteral("The database %1 could not be created: %2").arg(app.database().sqliteFile, error));

    k7t::SessionFlow flow(app, k7t::programScreens());
    flow.showLogin();
    return application.exec();
}
