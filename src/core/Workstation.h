#pragma once
// The workstation's identity: its MAC address (MACAddressWMI) and IP address.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace k7t {

class Workstation {
public:
    // What the workstation's network adapters show of themselves, in the order the
    // operating system lists them.
    struct Adapter {
        QString name;
        QString mac;            // "AA:BB:CC:DD:EE:FF", empty when the adapter has none
        bool loopback = false;
        bool isVirtual = false; // made by the operating system itself (tunnels, bridges ...)
        bool up = false;
        QStringList addresses;  // IPv4 first
    };

    // The hardware address of the last qualifying adapter, or empty.
    QString MACAddressWMI() const;
    // The first address of the last qualifying adapter that is up and has one, or empty.
    QString ipAddress() const;

    // The choices behind both, on a given list of adapters.
    static QString macOf(const QList<Adapter>& adapters);
    static QString ipOf(const QList<Adapter>& adapters);
    static QList<Adapter> adapters(); // this machine's

    // Tests and deployments without network adapters pin the identity.
    void pin(const QString& mac, const QString& ip) { mac_ = mac; ip_ = ip; }

private:
    std::optional<QString> mac_;
    std::optional<QString> ip_;
};

} // namespace k7t
