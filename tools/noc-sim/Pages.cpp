#include "Pages.h"

#include <QMap>
#include <QStringList>

namespace nocsim::pages {

namespace {

// Text for a <pre> block: markup characters escaped, carriage returns as character
// references (the HTML parser would otherwise fold CR LF into LF). Right after <pre> a
// leading line break is doubled, as the parser drops the first one there.
QString preText(const QString& text, bool afterPreTag = true)
{
    QString out = escape(text);
    out.replace(QLatin1Char('\r'), QStringLiteral("&#13;"));
    if (afterPreTag && out.startsWith(QLatin1Char('\n'))) out.prepend(QLatin1Char('\n'));
    return out;
}

// A JavaScript string literal that may stand inside <script>.
QString jsString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '<': out += QStringLiteral("\\u003c"); break;
        case '>': out += QStringLiteral("\\u003e"); break;
        case '&': out += QStringLiteral("\\u0026"); break;
        case 0x2028: out += QStringLiteral("\\u2028"); break;
        case 0x2029: out += QStringLiteral("\\u2029"); break;
        default: out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Echo of every received key and value, in the order received.
QString valuesTable(const Pairs& pairs)
{
    QString rows;
    for (const auto& p : pairs)
        rows += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>").arg(escape(p.first), escape(p.second));
    return QStringLiteral("<table border=\"1\" cellpadding=\"3\">%1</table>").arg(rows);
}

// A text that must not be taken for a MAC answer.
QString notMacAnswerLength(QString text)
{
    if (text.size() == kMacAnswerLength) text += QLatin1Char('.');
    return text;
}

struct OltAction {
    QString title;
    QStringList keys;  // keys the script needs
    bool perOnu;       // acts on one ONU given by "mac"
    QString done;      // result line for a known ONU (or the OLT)
};

const QMap<QString, OltAction>& oltActions()
{
    static const QMap<QString, OltAction> m = {
        {"/olt/onu_status.php", {"ONU STATUS", {"ip", "mac"}, true, "Phase state: working. Rx optical power: -19.42 dBm. Online for 3 days 04:12:55."}},
        {"/olt/onu_wan_status.php", {"ONU WAN STATUS", {"ip", "mac"}, true, "WAN 1 (PPPoE, route mode): connected. Last down cause: none."}},
        {"/olt/onu_phone_status.php", {"ONU VOICE STATUS", {"ip", "mac"}, true, "POTS 1: registered with the SIP server, on hook."}},
        {"/olt/onu_wifi_status.php", {"ONU WI-FI STATUS", {"ip", "mac"}, true, "SSID 1 enabled, WPA2-PSK, 3 stations associated."}},
        {"/olt/onu_restart.php", {"ONU REBOOT", {"ip", "mac"}, true, "Reboot command accepted; the ONU will be back in about two minutes."}},
        {"/olt/onu_reset.php", {"ONU FACTORY RESET", {"ip", "mac"}, true, "Factory reset command accepted; the ONU restarts with its default settings."}},
        {"/olt/usage.php", {"OLT USAGE", {"ip", "mac"}, false, "CPU 23%, memory 41%, 118 ONUs online, 6 offline, uplink 1.8 Gbit/s in / 0.4 Gbit/s out."}},
        {"/olt/onu_mac.php", {"ONU MAC", {"ip", "mac"}, true, ""}},
        {"/olt/onu_offline.php", {"CLEAR OFFLINE ONUS", {"ip"}, false, "Offline ONU entries removed from the OLT."}},
        {"/olt/vlan_check.php", {"VLAN CHECK", {"ip", "vlan"}, false, "The VLAN is not configured on any ONU of this OLT."}},
        {"/olt/onu_wan_config.php", {"ONU WAN CONFIGURATION", {"ip", "mac", "bb_id", "bb_inner_vlan", "bb_pas", "bb_mtu"}, true, "WAN 1 configured: PPPoE, route mode, NAT on."}},
        {"/olt/onu_phone_config.php", {"ONU VOICE CONFIGURATION", {"ip", "mac", "voip_vlan", "pas", "sip", "phone"}, true, "POTS 1 configured; registration started."}},
        {"/olt/onu_wifi_config.php", {"ONU WI-FI CONFIGURATION (2.4 GHz)", {"ip", "mac", "name", "pas"}, true, "SSID 1 (2.4 GHz) configured."}},
        {"/olt/onu_wifi_config5.php", {"ONU WI-FI CONFIGURATION (5 GHz)", {"ip", "mac", "name", "pas"}, true, "SSID 5 (5 GHz) configured."}},
    };
    return m;
}

} // namespace

QString escape(const QString& text)
{
    return text.toHtmlEscaped();
}

QString page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>%2</body></html>\n")
        .arg(escape(title), body);
}

QString textPage(const QString& title, const QString& text)
{
    return page(title, QStringLiteral("<pre>%1</pre>").arg(preText(text)));
}

QString fitted(const QString& text, int length, QChar fill)
{
    return text.size() >= length ? text.left(length) : text + QString(length - text.size(), fill);
}

QString index()
{
    return page("noc-sim", QStringLiteral(
        "<h1>noc-sim</h1><p>Outside web services, simulated on loopback.</p><ul>"
        "<li><a href=\"/easyldapbeta\">/easyldapbeta</a> LDAP tool</li>"
        "<li><a href=\"/elite/\">/elite/</a> registration portal</li>"
        "<li>/olt/*.php OLT gateway, /webphone/click2call.html web phone</li>"
        "<li>/api/swsendSingle.asp SMS gateway, /instance&lt;id&gt;/sendMessage WhatsApp API</li>"
        "<li>/waba_complaint_closed.php complaint-closed hook</li>"
        "<li>/policy.php and /ap.php pages of the database host</li>"
        "<li><a href=\"/sim/requests\">/sim/requests</a> the requests received, /sim/hang?seconds=N a page that never finishes</li>"
        "</ul>"));
}

QString notFound(const Incoming& request)
{
    return page("404 Not Found", QStringLiteral("<h1>Not Found</h1><p>The requested URL %1 was not found on this server.</p>").arg(escape(request.path)));
}

// ---- LDAP tool -------------------------------------------------------------------------

QString ldapSearch()
{
    const QString before = QStringLiteral("ZEZA BROADBAND  -  EASY LDAP DIRECTORY TOOL (BETA)\n"
                                          "Find a broadband subscriber by the user ID given at registration.\n"
                                          "User Name : ");
    const QString between = QStringLiteral("  ");
    QString after = QStringLiteral("\nAnswers name the telephone, directory number, state and location.\n");
    after += QString(kLdapSearchTextLength - before.size() - between.size() - after.size(), QLatin1Char('-'));
    return page("EASY LDAP (BETA)",
                QStringLiteral("<form name=\"search\" method=\"get\" action=\"/easyldapbeta/search\"><pre>%1"
                               "<input type=\"text\" name=\"UserName\" size=\"32\">%2<input type=\"submit\" value=\"Search\">%3</pre></form>")
                    .arg(preText(before), preText(between, false), preText(after, false)));
}

QString ldapResultText(const QString& userId, const std::optional<DirectoryEntry>& entry)
{
    const QString header = fitted(QStringLiteral("ZEZA EASY LDAP  -  DIRECTORY SEARCH RESULT "), kLdapHeaderLength - 2, QLatin1Char('=')) + "\r\n";
    if (!entry) {
        QString missing = header + "\r\nNO ENTRY FOUND FOR UserName=" + userId.trimmed();
        if (missing.size() == kLdapSearchTextLength) missing += QLatin1Char('.'); // not to be taken for the search page
        return missing;
    }
    const DirectoryEntry& e = *entry;
    return header + QStringList{
        "USER_ID=" + e.userId,
        "TELEPHONE_NUMBER=" + e.telephone,
        "DN_NUM=" + e.directoryNumber,
        "STATE=" + e.status,
        e.location + "," + e.ssa + "," + e.circle,
    }.join("\r\n");
}

QString ldapResult(const QString& userId, const std::optional<DirectoryEntry>& entry)
{
    return textPage("EASY LDAP (BETA) - RESULT", ldapResultText(userId, entry));
}

// ---- Registration portal ---------------------------------------------------------------

QString portalForm()
{
    const QString before = QStringLiteral("MTNL DELHI - BROADBAND SUBSCRIBER ENQUIRY\nTelephone No : ");
    const QString between = QStringLiteral(" ");
    const QString after = "\n" + QString(kPortalHoldTextLength - before.size() - between.size() - 1, QLatin1Char('-'));
    return page("MTNL ELITE",
                QStringLiteral("<form name=\"enquiry\" method=\"post\" action=\"/elite/enquiry\"><pre>%1"
                               "<input type=\"text\" name=\"telno\" size=\"12\">%2<input type=\"submit\" value=\"Go\">%3</pre></form>")
                    .arg(preText(before), preText(between, false), preText(after, false)));
}

QString portalAnswer(const QString& telno, const std::optional<PortalLine>& line, int delayMs)
{
    const QString hold = fitted("Please wait: fetching the subscriber record of telephone " + telno.trimmed() + " ", kPortalHoldTextLength, QLatin1Char('.'));
    QString answer = "MTNL DELHI  -  TELEPHONE " + telno.trimmed() + "\n";
    if (line)
        answer += "SUBSCRIBER : " + line->name + "\nEXCHANGE   : " + line->exchange + "\nSTATUS     : " + line->status + "\nBROADBAND  : REGISTERED";
    else
        answer += "NO BROADBAND REGISTRATION FOUND FOR THIS TELEPHONE NUMBER";
    if (answer.size() == kPortalHoldTextLength) answer += QLatin1Char('.');
    const QString answerHtml = "<pre>" + preText(answer) + "</pre>";
    return page("MTNL ELITE - ENQUIRY",
                QStringLiteral("<pre>%1</pre><script>setTimeout(function () { document.body.innerHTML = %2; }, %3);</script>")
                    .arg(preText(hold), jsString(answerHtml), QString::number(delayMs)));
}

// ---- OLT gateway -----------------------------------------------------------------------

QString macAnswerText(const QString& ip, const QString& fragment, const SimData& data)
{
    if (const auto literal = data.macAnswer(fragment)) return *literal;
    if (fragment.trimmed().isEmpty()) return QStringLiteral("GIVE THE ONU MAC, OR A PART OF IT, TO SEARCH ON OLT ") + ip;
    const QList<Onu> found = data.onusMatching(fragment);
    if (found.isEmpty()) return notMacAnswerLength("NO ONU WITH MAC \"" + fragment.trimmed() + "\" FOUND ON OLT " + ip);
    if (found.size() > 1)
        return notMacAnswerLength(QStringLiteral("%1 ONUS ON OLT %2 MATCH \"%3\": GIVE MORE OF THE MAC").arg(found.size()).arg(ip, fragment.trimmed()));
    const Onu& onu = found.first();
    return "ONU MAC : " + onu.mac + fitted(" | ONLINE | SN " + onu.serial + " | PON " + onu.pon, kMacAnswerLength - 27);
}

bool isOltAction(const QString& path)
{
    return oltActions().contains(path);
}

QString oltAction(const QString& path, const Incoming& request, const SimData& data)
{
    const OltAction& a = oltActions().value(path);
    const QString ip = request.param("ip");
    QStringList missing;
    for (const QString& key : a.keys)
        if (!request.hasParam(key)) missing << key;

    QString result;
    if (!missing.isEmpty()) {
        result = "ERROR: missing " + missing.join(", ");
    } else if (a.perOnu) {
        const QString mac = request.param("mac");
        const auto onu = data.onuByMac(mac);
        result = onu ? QStringLiteral("ONU %1 (SN %2, PON %3): %4").arg(onu->mac, onu->serial, onu->pon, a.done)
                     : QStringLiteral("ONU \"%1\" NOT FOUND ON OLT %2").arg(mac, ip);
    } else if (path == "/olt/vlan_check.php") {
        result = QStringLiteral("VLAN %1 on OLT %2: %3").arg(request.param("vlan"), ip, a.done);
    } else {
        result = QStringLiteral("OLT %1: %2").arg(ip, a.done);
    }
    return page(a.title + " - " + ip,
                QStringLiteral("<h2>%1</h2><p>OLT %2</p>%3<p id=\"result\">%4</p>").arg(escape(a.title), escape(ip), valuesTable(request.query), escape(result)));
}

QString webPhone(const Incoming& r)
{
    const QString server = r.param("wp_serveraddress"), user = r.param("wp_username"), callTo = r.param("wp_callto");
    const bool autoCall = r.param("wp_autoaction") == "1";
    QString state = user.isEmpty() || server.isEmpty() ? QStringLiteral("No account given: the phone cannot register.")
                                                      : QStringLiteral("Registered as %1 at %2%3.").arg(user, server, r.hasParam("wp_md5") ? " (" + r.param("wp_md5") + ")" : QString());
    const QString call = callTo.isEmpty() ? QStringLiteral("Enter a number to call.")
                                          : (autoCall ? "Calling " + callTo + " ..." : "Ready to call " + callTo + ": press Call.");
    return page("Web Phone",
                QStringLiteral("<h2>Web Phone</h2><p id=\"state\">%1</p><p id=\"call\">%2</p>"
                               "<form><input name=\"number\" value=\"%3\"> <button type=\"button\">Call</button> <button type=\"button\">Hang up</button></form>")
                    .arg(escape(state), escape(call), escape(callTo)));
}

// ---- Notifications and the database host -----------------------------------------------

QString smsAnswer(const Incoming& r, int messageId)
{
    QStringList missing;
    for (const char* key : {"username", "password", "sender", "sendto", "message"})
        if (!r.hasParam(key)) missing << key;
    if (!missing.isEmpty()) return "ERROR: missing " + missing.join(", ");
    return QStringLiteral("Message submitted to %1. Message ID: %2").arg(r.param("sendto")).arg(messageId);
}

QString complaintClosed(const Incoming& r)
{
    if (!r.hasParam("mobile") || !r.hasParam("cn"))
        return page("Complaint closed", "<p>ERROR: mobile and cn are both needed.</p>");
    return page("Complaint closed",
                QStringLiteral("<p>Complaint %1 closed. A WhatsApp notice is queued for %2.</p>").arg(escape(r.param("cn")), escape(r.param("mobile"))));
}

QString policy(const QString& userId, const QString& nasIp, const std::optional<DirectoryEntry>& entry)
{
    if (!entry || entry->policy.isEmpty())
        return page("Policy", QStringLiteral("<h3>BNG %1</h3><p>NO ACTIVE SESSION FOR %2</p>").arg(escape(nasIp), escape(userId)));
    return page("Policy",
                QStringLiteral("<h3>BNG %1</h3><table border=\"1\" cellpadding=\"3\"><tr><th>User</th><td>%2</td></tr>"
                               "<tr><th>Policy</th><td>%3</td></tr><tr><th>Session</th><td>%4</td></tr></table>")
                    .arg(escape(nasIp), escape(entry->userId), escape(entry->policy), entry->online ? "ONLINE" : "OFFLINE"));
}

QString ap(const std::optional<DirectoryEntry>& entry)
{
    // The body's text is the AP's name, and empty while the user is offline.
    const QString name = entry && entry->online ? entry->ap : QString();
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>AP</title></head><body>%1</body></html>\n").arg(escape(name));
}

} // namespace nocsim::pages
