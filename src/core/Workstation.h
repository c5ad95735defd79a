#pragma once
// The workstation's identity: its MAC address (MACAddressWMI) and IP address.
#include <QString>
#include <optional>

namespace k7t {

class Workstation {
public:
    // The hardware address of the last qualifying adapter ("AA:BB:CC:DD:EE:FF"), or empty.
    QString MACAddressWMI() const;
    // The first address of the last qualifying adapter that has one, or empty.
    QString ipAddress() const;

    // Tests and deployments without network adapters pin the identity.
    void pin(const QString& mac, const QString& ip) { mac_ = mac; ip_ = ip; }

private:
    std::optional<QString> mac_;
    std::optional<QString> ip_;
};

} // namespace k7t
