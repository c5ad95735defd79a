#include "core/Workstation.h"

#include <QNetworkInterface>

namespace k7t {

namespace {

// Adapters the operating system makes for itself (bridges, tunnels, containers,
// hypervisors) are left out, as are loopback and adapters without a hardware address.
bool qualifies(const QNetworkInterface& nic)
{
    if (nic.type() == QNetworkInterface::Loopback || nic.type() == QNetworkInterface::Virtual) return false;
    if (nic.flags().testFlag(QNetworkInterface::IsLoopBack)) return false;
    const QString mac = nic.hardwareAddress();
    if (mac.isEmpty() || mac == QLatin1String("00:00:00:00:00:00")) return false;
    static const char* virtualPrefixes[] = {"veth", "docker", "virbr", "br-", "vmnet", "vboxnet", "tun", "tap", "lxc", "cni", "flannel"};
    const QString name = nic.name().toLower();
    for (const char* prefix : virtualPrefixes)
        if (name.startsWith(QLatin1String(prefix))) return false;
    return true;
}

} // namespace

QString Workstation::MACAddressWMI() const
{
    if (mac_) return *mac_;
    QString result;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces())
        if (qualifies(nic)) result = nic.hardwareAddress().toUpper();
    return result;
}

QString Workstation::ipAddress() const
{
    if (ip_) return *ip_;
    QString result;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        if (!qualifies(nic) || !nic.flags().testFlag(QNetworkInterface::IsUp)) continue;
        const auto entries = nic.addressEntries();
        if (entries.isEmpty()) continue;
        QString first = entries.first().ip().toString();
        for (const QNetworkAddressEntry& e : entries) // the IPv4 address is listed first
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol) { first = e.ip().toString(); break; }
        result = first;
    }
    return result;
}

} // namespace k7t
