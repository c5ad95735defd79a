#include "Routes.h"

#include "Pages.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace nocsim {

namespace {

using httplib::Request;
using httplib::Response;
using Clock = std::chrono::steady_clock;

constexpr int kMaxHangSeconds = 120;

Incoming incoming(const Request& req)
{
    Incoming r;
    r.method = QString::fromStdString(req.method);
    r.path = QString::fromStdString(req.path);
    const std::string& target = req.target;
    if (const auto q = target.find('?'); q != std::string::npos) r.rawQuery = QByteArray::fromStdString(target.substr(q + 1));
    r.query = parsePairs(r.rawQuery);
    for (const auto& [name, value] : req.headers) {
        // The library adds the peer's address as pseudo headers; they were not sent.
        if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT") continue;
        r.headers.append({QString::fromStdString(name), QString::fromStdString(value)});
    }
    r.body = QByteArray::fromStdString(req.body);
    if (r.header("Content-Type").startsWith("application/x-www-form-urlencoded", Qt::CaseInsensitive)) r.form = parsePairs(r.body);
    return r;
}

void send(Response& res, const QString& text, const char* type = "text/html; charset=utf-8", int status = 200)
{
    res.status = status;
    res.set_content(text.toStdString(), type);
}

void sendJson(Response& res, const QJsonObject& o, int status = 200)
{
    res.status = status;
    res.set_content(QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(), "application/json");
}

// A page that starts and then keeps the connection open: headers and the first bytes
// at once, a dot a second, the end after the given time (or when the client leaves).
void hang(const Incoming& r, Response& res)
{
    const int seconds = qBound(0, r.param("seconds").isEmpty() ? 30 : r.param("seconds").toInt(), kMaxHangSeconds);
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    if (r.param("mode") == "silent") {
        // Nothing at all until the time is up.
        std::this_thread::sleep_until(deadline);
        send(res, pages::page("Waited", QStringLiteral("<p>Answered after %1 seconds.</p>").arg(seconds)));
        return;
    }
    auto started = std::make_shared<bool>(false);
    res.set_chunked_content_provider("text/html; charset=utf-8", [deadline, started](size_t, httplib::DataSink& sink) {
        auto write = [&sink](const std::string& s) { return sink.write(s.data(), s.size()); };
        if (!*started) {
            *started = true;
            return write("<!DOCTYPE html>\n<html><head><title>Waiting</title></head><body><p>Waiting");
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            const bool ok = write("</p><p>Done.</p></body></html>\n");
            sink.done();
            return ok;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, std::chrono::seconds(1)));
        return write(".");
    });
}

void whatsApp(World& world, const Incoming& r, const QString& instance, Response& res)
{
    if (r.param("token").isEmpty()) {
        sendJson(res, {{"sent", false}, {"error", "token missing"}}, 401);
        return;
    }
    if (!r.header("Content-Type").startsWith("application/json", Qt::CaseInsensitive)) {
        sendJson(res, {{"sent", false}, {"error", "Content-Type must be application/json"}}, 415);
        return;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.body, &error);
    const QJsonObject o = doc.object();
    if (!doc.isObject() || !o.value("phone").isString() || !o.value("body").isString()) {
        sendJson(res, {{"sent", false}, {"error", "the body must be a JSON object with the strings phone and body: " + error.errorString()}}, 400);
        return;
    }
    const int n = world.nextMessageId++;
    sendJson(res, {{"sent", true},
                   {"message", "Sent to " + o.value("phone").toString()},
                   {"id", QStringLiteral("%1-%2").arg(instance).arg(n)},
                   {"queueNumber", n}});
}

} // namespace

void installRoutes(httplib::Server& server, World& world)
{
    using Handler = std::function<void(const Incoming&, const Request&, Response&)>;
    // Records the request, then answers it.
    auto logged = [&world](Handler h) {
        return [&world, h](const Request& req, Response& res) {
            const Incoming r = incoming(req);
            if (!world.log.record(r)) std::fprintf(stderr, "noc-sim: cannot write the request log %s\n", qPrintable(world.log.file()));
            h(r, req, res);
        };
    };

    server.Get("/", logged([](const Incoming&, const Request&, Response& res) { send(res, pages::index()); }));

    // LDAP tool: the search page, its answer.
    auto ldap = [&world](const Incoming& r, const Request&, Response& res) {
        if (r.hasParam("UserName")) {
            const QString id = r.param("UserName");
            send(res, pages::ldapResult(id, world.data.person(id)));
        } else {
            send(res, pages::ldapSearch());
        }
    };
    server.Get(R"(/easyldapbeta/?)", logged(ldap));
    server.Get("/easyldapbeta/search", logged(ldap));
    server.Post("/easyldapbeta/search", logged(ldap));

    // Registration portal: the enquiry form, its answer.
    auto portal = [&world](const Incoming& r, const Request&, Response& res) {
        if (r.hasParam("telno")) {
            const QString telno = r.param("telno");
            send(res, pages::portalAnswer(telno, world.data.portalLine(telno), world.data.portalDelayMs()));
        } else {
            send(res, pages::portalForm());
        }
    };
    server.Get(R"(/elite/?)", logged(portal));
    server.Get("/elite/enquiry", logged(portal));
    server.Post("/elite/enquiry", logged(portal));

    // OLT gateway and web phone.
    server.Get(R"(/olt/[^/]+)", logged([&world](const Incoming& r, const Request&, Response& res) {
        if (r.path == "/olt/onu_mac.php")
            send(res, pages::textPage("ONU MAC", pages::macAnswerText(r.param("ip"), r.param("mac"), world.data)));
        else if (pages::isOltAction(r.path))
            send(res, pages::oltAction(r.path, r, world.data));
        else
            send(res, pages::notFound(r), "text/html; charset=utf-8", 404);
    }));
    server.Get("/webphone/click2call.html", logged([](const Incoming& r, const Request&, Response& res) { send(res, pages::webPhone(r)); }));

    // Notifications.
    server.Get("/api/swsendSingle.asp", logged([&world](const Incoming& r, const Request&, Response& res) {
        send(res, pages::smsAnswer(r, world.nextMessageId++), "text/plain; charset=utf-8");
    }));
    server.Post(R"(/instance([0-9]+)/sendMessage)", logged([&world](const Incoming& r, const Request& req, Response& res) {
        whatsApp(world, r, QString::fromStdString(req.matches[1]), res);
    }));
    server.Get(R"(/instance([0-9]+)/sendMessage)", logged([](const Incoming&, const Request&, Response& res) {
        res.set_header("Allow", "POST");
        sendJson(res, {{"sent", false}, {"error", "use POST"}}, 405);
    }));
    server.Get("/waba_complaint_closed.php", logged([](const Incoming& r, const Request&, Response& res) { send(res, pages::complaintClosed(r)); }));

    // Pages of the database host.
    server.Get("/policy.php", logged([&world](const Incoming& r, const Request&, Response& res) {
        send(res, pages::policy(r.param("bb"), r.param("ip"), world.data.person(r.param("bb"))));
    }));
    server.Get("/ap.php", logged([&world](const Incoming& r, const Request&, Response& res) {
        send(res, pages::ap(world.data.person(r.param("bb"))));
    }));

    // The simulator's own pages.
    server.Get("/sim/requests", logged([&world](const Incoming&, const Request&, Response& res) {
        res.set_content(QJsonDocument(world.log.all()).toJson(QJsonDocument::Indented).toStdString(), "application/json");
    }));
    server.Delete("/sim/requests", logged([&world](const Incoming&, const Request&, Response& res) {
        world.log.clear();
        res.status = 204;
    }));
    server.Get("/sim/hang", logged([](const Incoming& r, const Request&, Response& res) { hang(r, res); }));

    // Everything else is recorded too, and answered "not found".
    auto missing = logged([](const Incoming& r, const Request&, Response& res) { send(res, pages::notFound(r), "text/html; charset=utf-8", 404); });
    server.Get(".*", missing);
    server.Post(".*", missing);
    server.Put(".*", missing);
    server.Patch(".*", missing);
    server.Delete(".*", missing);
    server.Options(".*", missing);
}

} // namespace nocsim
