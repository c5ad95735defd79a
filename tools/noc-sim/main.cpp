// noc-sim: plays the outside web services of K7T CRM on loopback (OLT gateway and web
// phone, LDAP tool, registration portal, SMS gateway, WhatsApp API, complaint-closed
// hook, policy and AP pages) and records every request it receives.
//
//   noc-sim [--port P] [--host 127.0.0.1] [--data FILE] [--log FILE]
//
// The first line on stdout is "LISTENING <port>" once the server accepts connections.
#include "Routes.h"

#include <httplib.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "noc-sim: %s\n", qPrintable(message));
    return 1;
}

// The data file: given, else the copy beside the binary, else the one in the sources.
QString dataFile(const QString& given)
{
    if (!given.isEmpty()) return given;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("noc-sim-data.json");
    if (QFileInfo::exists(beside)) return beside;
    return QStringLiteral(NOC_SIM_SOURCE_DATA);
}

bool isLoopback(const QString& host)
{
    return host == "localhost" || QHostAddress(host).isLoopback();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("noc-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription("Simulator of the outside web services of K7T CRM, on loopback.");
    parser.addHelpOption();
    const QCommandLineOption portOption("port", "Port to listen on; 0 picks a free one.", "P", "8765");
    const QCommandLineOption hostOption("host", "Loopback address to listen on.", "HOST", "127.0.0.1");
    const QCommandLineOption dataOption("data", "The data file (JSON).", "FILE");
    const QCommandLineOption logOption("log", "Append every request to FILE as one JSON line.", "FILE");
    parser.addOptions({portOption, hostOption, dataOption, logOption});
    parser.process(app);

    bool portOk = false;
    const int port = parser.value(portOption).toInt(&portOk);
    if (!portOk || port < 0 || port > 65535) return fail("--port needs a number from 0 to 65535");
    const QString host = parser.value(hostOption);
    if (!isLoopback(host)) return fail("--host must be a loopback address: " + host);

    nocsim::World world(parser.value(logOption));
    QString error;
    const QString data = dataFile(parser.value(dataOption));
    if (!world.data.load(data, &error)) return fail(error);

    httplib::Server server;
    // Browsers keep several connections open; each idle one holds a worker.
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    nocsim::installRoutes(server, world);

    int bound = port;
    if (port == 0)
        bound = server.bind_to_any_port(host.toStdString());
    else if (!server.bind_to_port(host.toStdString(), port))
        bound = -1;
    if (bound <= 0) return fail(QStringLiteral("cannot listen on %1:%2").arg(host, parser.value(portOption)));

    std::printf("LISTENING %d\n", bound);
    std::fflush(stdout);
    std::fprintf(stderr, "noc-sim: data %s, log %s\n", qPrintable(data),
                 world.log.file().isEmpty() ? "in memory (GET /sim/requests)" : qPrintable(world.log.file()));
    return server.listen_after_bind() ? 0 : 1;
}
