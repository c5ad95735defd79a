// k7t-admin: prepares and fills the database the program works on.
#include "core/Settings.h"
#include "k7t-admin/Admin.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace k7t;

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k7t-crm"));
    QCoreApplication::setOrganizationName(QStringLiteral("k7t"));
    QTextStream out(stdout), err(stderr);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "K7T CRM administration.\n\n"
        "Commands:\n"
        "  init                          create the schema in the configured database\n"
        "  seed-demo [--customers N] [--complaints M] [--open K]\n"
        "                                demo operator, reference data, customers, complaints\n"
        "  import TABLE FILE.csv         load a table kept outside the program\n"
        "  add-operator --name NAME --id USERID --password PASSWORD"));
    p.addHelpOption();
    p.addOption({QStringLiteral("settings"), QStringLiteral("Settings file (INI), as for k7t-crm."), QStringLiteral("FILE")});
    p.addOption({QStringLiteral("customers"), QStringLiteral("Customers to generate."), QStringLiteral("N"), QStringLiteral("200")});
    p.addOption({QStringLiteral("complaints"), QStringLiteral("Complaints to generate."), QStringLiteral("M"), QStringLiteral("60")});
    p.addOption({QStringLiteral("open"), QStringLiteral("How many of them stay open."), QStringLiteral("K"), QStringLiteral("-1")});
    p.addOption({QStringLiteral("name"), QStringLiteral("Operator's display name."), QStringLiteral("NAME")});
    p.addOption({QStringLiteral("id"), QStringLiteral("Operator's user ID (mobile number)."), QStringLiteral("USERID")});
    p.addOption({QStringLiteral("password"), QStringLiteral("Operator's password."), QStringLiteral("PASSWORD")});
    p.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init, seed-demo, import or add-operator"));
    p.process(application);

    const QStringList args = p.positionalArguments();
    if (args.isEmpty()) p.showHelp(2);
    const Settings settings = Settings::load(p.value(QStringLiteral("settings")));
    const DatabaseConfig db = DatabaseConfig::fromSettings(settings);
    const QString command = args.first();

    QString error;
    if (command == QLatin1String("init")) {
        error = admin::init(db);
        if (error.isEmpty()) out << "schema ready\n";
    } else if (command == QLatin1String("seed-demo")) {
        admin::SeedOptions o;
        o.customers = p.value(QStringLiteral("customers")).toInt();
        o.complaints = p.value(QStringLiteral("complaints")).toInt();
        o.openComplaints = p.value(QStringLiteral("open")).toInt();
        error = admin::seedDemo(db, o);
        if (error.isEmpty())
            out << "demo data ready; operator " << admin::kDemoOperatorId << " password " << admin::kDemoOperatorPassword << "\n";
    } else if (command == QLatin1String("import")) {
        if (args.size() != 3) p.showHelp(2);
        int n = 0;
        error = admin::importCsv(db, args.at(1), args.at(2), &n);
        if (error.isEmpty()) out << n << " rows imported into " << args.at(1) << "\n";
    } else if (command == QLatin1String("add-operator")) {
        if (!p.isSet(QStringLiteral("name")) || !p.isSet(QStringLiteral("id")) || !p.isSet(QStringLiteral("password")))
            p.showHelp(2);
        error = admin::addOperator(db, p.value(QStringLiteral("name")), p.value(QStringLiteral("id")), p.value(QStringLiteral("password")));
        if (error.isEmpty()) out << "operator added\n";
    } else {
        err << "unknown command: " << command << "\n";
        return 2;
    }
    if (!error.isEmpty()) {
        err << "k7t-admin: " << error << "\n";
        return 1;
    }
    return 0;
}
