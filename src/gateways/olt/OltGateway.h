#pragma once
// Request addresses of the OLT gateway and its click-to-call web phone, and the one
// gateway answer the program reads: the ONU MAC.
//
// Keys go in the gateway's order. Values are percent-encoded, so any character the
// operator typed (a Wi-Fi password with "&", "#" or "+") arrives as typed.
#include "gateways/GatewayAddress.h"

#include <optional>

namespace k7t {

class Settings;

namespace olt {

// Gateway scripts that take the OLT address and the ONU MAC.
inline constexpr const char* kOnuStatus = "/olt/onu_status.php";
inline constexpr const char* kOnuWanStatus = "/olt/onu_wan_status.php";
inline constexpr const char* kOnuPhoneStatus = "/olt/onu_phone_status.php";
inline constexpr const char* kOnuWifiStatus = "/olt/onu_wifi_status.php";
inline constexpr const char* kOnuRestart = "/olt/onu_restart.php";
inline constexpr const char* kOnuReset = "/olt/onu_reset.php";
inline constexpr const char* kUsage = "/olt/usage.php";
inline constexpr const char* kOnuMac = "/olt/onu_mac.php";

class OltGateway {
public:
    explicit OltGateway(const Settings& settings);

    // One of the scripts above with "ip" and "mac" (for onu_mac.php, the MAC fragment typed).
    QUrl onu(const char* path, const QString& ip, const QString& mac) const;
    QUrl offlineUsers(const QString& ip) const;                       // onu_offline.php
    QUrl vlanCheck(const QString& ip, const QString& vlan) const;     // vlan_check.php
    QUrl wanConfig(const QString& ip, const QString& mac, const QString& broadbandId, const QString& innerVlan,
                   const QString& broadbandPassword, const QString& mtu) const;
    // "phone" goes with every "+" as "k".
    QUrl phoneConfig(const QString& ip, const QString& mac, const QString& voipVlan, const QString& sipPassword,
                     const QString& sipDomain, const QString& sipUser) const;
    // "name" goes with every blank as "-"; the 5 GHz radio has a script of its own.
    enum class Band { Standard, FiveGHz };
    QUrl wifiConfig(const QString& ip, const QString& mac, const QString& wifiName, const QString& wifiPassword,
                    Band band = Band::Standard) const;

    // The web phone, calling "0" + the subscriber's number: the customer screen's
    // account (dials at once) and the ONU screen's account.
    QUrl customerWebPhone(const QString& telephone) const;
    QUrl onuWebPhone(const QString& telephone) const;

    // A gateway address: base + path + the keys in order, values percent-encoded.
    QUrl address(const QString& path, const QueryItems& query) const;

    // The ONU MAC in an onu_mac.php answer: characters 11 to 27 of a body text of
    // exactly 84 characters, trimmed. Any other answer holds none.
    static std::optional<QString> macFromAnswer(const QString& bodyText);

private:
    const Settings& settings_;
};

} // namespace olt
} // namespace k7t
