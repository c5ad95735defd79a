#include "core/Workstation.h"

#include <QNetworkInterface>

namespace k7t {

namespace {

// Loopback, adapters without a hardware address and the ones the operating system
// makes for itself (bridges, tunnels, containers, hypervisors) do not count.
bool qualifies(const Workstation::Adapter& a)
{
    if (a.loopback || a.isVirtual) return false;
    if (a.mac.isEmpty() || a.mac == QLatin1String("00:00:00:00:00:00")) return false;
    static const char* virtualPrefixes[] = {"veth", "docker", "virbr", "br-", "vmnet", "vboxnet", "tun", "tap", "lxc", "cni", "flannel"};
    const QString name = a.name.toLower();
    for (const char* prefix : virtualPrefixes)
        if (name.startsWith(QLatin1String(prefix))) return false;
    return true;
}

} // namespace

QList<Workstation::Adapter> Workstation::adapters()
{
    QList<Adapter> list;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        Adapter a;
        a.name = nic.name();
        a.mac = nic.hardwareAddress().toUpper();
        a.loopback = nic.type() == QNetworkInterface::Loopback || nic.flags().testFlag(QNetworkInterface::IsLoopBack);
        a.isVirtual = nic.type() == QNetworkInterface::Virtual;
        a.up = nic.flags().testFlag(QNetworkInterface::IsUp);
        QStringList v6;
        for (const QNetworkAddressEntry& e : nic.addressEntries())
            (e.ip().protocol() == QAbstractSocket::IPv4Protocol ? a.addresses : v6) << e.ip().toString();
        a.addresses += v6;
        list << a;
    }
    return list;
}

QString Workstation::macOf(const QList<Adapter>& adapters)
{
    QString result;
    for (const Adapter& a : adapters)
        if (qualifies(a)) result = a.mac;
    return result;
}

QString Workstation::ipOf(const QList<Adapter>& adapters)
{
    QString result;
    for (const Adapter& a : adapters)
        if (qualifies(a) && a.up && !a.addresses.isEmpty()) result = a.addresses.first();
    return result;
}

QString Workstation::MACAddressWMI() const { return mac_ ? *mac_ : macOf(adapters()); }

QString Workstation::ipAddress() const { return ip_ ? *ip_ : ipOf(adapters()); }

} // namespace k7t
