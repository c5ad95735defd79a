#include "gateways/olt/OltGateway.h"

#include "core/Settings.h"


namespace k7t::olt {

OltGateway::OltGateway(const Settings& settings) : settings_(settings) {}

QUrl OltGateway::address(const QString& path, const QueryItems& query) const
{
    return gatewayAddress(settings_.value("OltGatewayBaseUrl"), path, query);
}

QUrl OltGateway::onu(const char* path, const QString& ip, const QString& mac) const
{
    return address(QString::fromLatin1(path), {{"ip", ip}, {"mac", mac}});
}

QUrl OltGateway::offlineUsers(const QString& ip) const { return address("/olt/onu_offline.php", {{"ip", ip}}); }

QUrl OltGateway::vlanCheck(const QString& ip, const QString& vlan) const
{
    return address("/olt/vlan_check.php", {{"ip", ip}, {"vlan", vlan}});
}

QUrl OltGateway::wanConfig(const QString& ip, const QString& mac, const QString& broadbandId, const QString& innerVlan,
                           const QString& broadbandPassword, const QString& mtu) const
{
    return address("/olt/onu_wan_config.php", {{"ip", ip},
                                                {"mac", mac},
                                                {"bb_id", broadbandId},
                                                {"bb_inner_vlan", innerVlan},
                                                {"bb_pas", broadbandPassword},
                                                {"bb_mtu", mtu}});
}

QUrl OltGateway::phoneConfig(const QString& ip, const QString& mac, const QString& voipVlan, const QString& sipPassword,
                             const QString& sipDomain, const QString& sipUser) const
{
    QString phone = sipUser;
    phone.replace('+', 'k');
    return address("/olt/onu_phone_config.php",
                   {{"ip", ip}, {"mac", mac}, {"voip_vlan", voipVlan}, {"pas", sipPassword}, {"sip", sipDomain}, {"phone", phone}});
}

QUrl OltGateway::wifiConfig(const QString& ip, const QString& mac, const QString& wifiName, const QString& wifiPassword,
                            Band band) const
{
    QString name = wifiName;
    name.replace(' ', '-');
    return address(band == Band::FiveGHz ? "/olt/onu_wifi_config5.php" : "/olt/onu_wifi_config.php",
                   {{"ip", ip}, {"mac", mac}, {"name", name}, {"pas", wifiPassword}});
}

QUrl OltGateway::customerWebPhone(const QString& telephone) const
{
    return address("/webphone/click2call.html", {{"wp_serveraddress", settings_.value("SipServerAddress") + ":5060"},
                                                 {"wp_username", settings_.value("CustomerWebPhoneUser")},
                                                 {"wp_password", settings_.value("CustomerWebPhonePassword")},
                                                 {"wp_callto", "0" + telephone},
                                                 {"wp_autoaction", "1"}});
}

QUrl OltGateway::onuWebPhone(const QString& telephone) const
{
    return address("/webphone/click2call.html", {{"wp_serveraddress", settings_.value("SipServerAddress")},
                                                 {"wp_username", settings_.value("OnuWebPhoneUser")},
                                                 {"wp_password", settings_.value("OnuWebPhonePassword")},
                                                 {"wp_md5", "MD5AUTH"},
                                                 {"wp_callto", "0" + telephone}});
}

std::optional<QString> OltGateway::macFromAnswer(const QString& bodyText)
{
    if (bodyText.size() != 84) return std::nullopt;
    return bodyText.mid(10, 17).trimmed();
}

} // namespace k7t::olt
