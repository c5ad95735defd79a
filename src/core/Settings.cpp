#include "core/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>
#include <vector>

namespace k7t {

namespace {

// Key, default. Secrets and addresses that the deployment fixes get their deployed
// values as defaults; the outside services default to the local simulator.
const std::vector<std::pair<QString, QString>>& table()
{
    static const std::vector<std::pair<QString, QString>> t = {
        {"DatabaseBackend", "sqlite"},
        {"DatabaseFile", ""},
        {"DatabaseServer", "127.0.0.1"},
        {"DatabaseUser", "sa"},
        {"DatabasePassword", "trozvel482"},
        {"DatabaseCatalog", "test"},
        {"OdbcDriver", "FreeTDS"},
        {"PageWaitSeconds", "30"},
        {"OltGatewayBaseUrl", "http://127.0.0.1:8765"},
        {"SipServerAddress", "127.0.0.1"},
        {"CustomerWebPhoneUser", "101"},
        {"CustomerWebPhonePassword", "101"},
        {"OnuWebPhoneUser", "102"},
        {"OnuWebPhonePassword", "102"},
        {"LdapToolBaseUrl", "http://127.0.0.1:8765"},
        {"RegistrationPortalBaseUrl", "http://127.0.0.1:8765"},
        {"MtnlSipDomain", "mtnl.local"},
        {"NewSipPassword", "1234"},
        {"ZteSipPassword", "123"},
        {"UtsterSipPassword", "1234"},
        {"CdotSipPassword", "1234"},
        {"SipPasswordPrefix", "k7t"},
        {"DefaultBroadbandPassword", "k7t12345"},
        {"WhatsAppApiBaseUrl", "http://127.0.0.1:8765"},
        {"WhatsAppInstanceId", "000000"},
        {"WhatsAppToken", "0000000000000000"},
        {"SmsGatewayBaseUrl", "http://127.0.0.1:8765"},
        {"SmsGatewayUser", "k7tsmsuser1"},
        {"SmsGatewayPassword", "00000000"},
        {"SmsSenderId", "KSEVEN"},
        {"FaultOpenMailCc", ""},
        {"FaultUpdateMailCc", ""},
        {"NocPhoneNumbers", ""},
        {"PasswordHelpPhone", "0000000000"},
        {"ComplaintHookBaseUrl", "http://127.0.0.1:8765"},
        {"SmtpUrl", "smtp://127.0.0.1:2525"},
        {"SmtpUser", ""},
        {"SmtpPassword", ""},
        {"MailFrom", "noc@k7t.local"},
        {"WinboxPath", "c:\\winbox.exe"},
        {"WinboxUser", "admin"},
        {"WinboxPassword", "58314720695"},
        {"ExportFolder", ""}, // grid exports; empty: the system's temporary folder
    };
    return t;
}

} // namespace

QString Settings::defaultFile()
{
    const QString env = qEnvironmentVariable("K7T_SETTINGS");
    if (!env.isEmpty()) return env;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath("k7t-crm.ini");
}

Settings Settings::load(const QString& file)
{
    Settings s;
    s.file_ = file.isEmpty() ? defaultFile() : file;
    if (QFileInfo::exists(s.file_)) {
        QSettings ini(s.file_, QSettings::IniFormat);
        for (const QString& key : ini.allKeys()) {
            // Keys may stand at the top or under a [K7T] group.
            const QString name = key.section('/', -1);
            s.values_.insert(name, ini.value(key).toString());
        }
    }
    return s;
}

QString Settings::value(const QString& key) const
{
    const auto it = values_.constFind(key);
    return it != values_.constEnd() ? it->toString() : defaultValue(key);
}

int Settings::intValue(const QString& key) const { return value(key).toInt(); }

void Settings::set(const QString& key, const QString& value) { values_.insert(key, value); }

QStringList Settings::keys()
{
    QStringList k;
    for (const auto& [key, value] : table()) k << key;
    return k;
}

QString Settings::defaultValue(const QString& key)
{
    for (const auto& [k, v] : table())
        if (k == key) return v;
    return {};
}

} // namespace k7t
