#include "SimData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace nocsim {

QString macDigits(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.isDigit() || (c.toUpper() >= 'A' && c.toUpper() <= 'F')) out += c.toUpper();
    return out;
}

bool SimData::load(const QString& file, QString* error)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = "cannot read " + file + ": " + f.errorString();
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &parse);
    if (!doc.isObject()) {
        *error = file + ": " + parse.errorString() + " at offset " + QString::number(parse.offset);
        return false;
    }
    const QJsonObject root = doc.object();

    for (const QJsonValue& v : root.value("directory").toArray()) {
        const QJsonObject o = v.toObject();
        DirectoryEntry e;
        e.userId = o.value("userId").toString();
        e.name = o.value("name").toString();
        e.telephone = o.value("telephone").toString();
        e.directoryNumber = o.value("directoryNumber").toString();
        e.status = o.value("status").toString();
        e.ssa = o.value("ssa").toString();
        e.circle = o.value("circle").toString();
        e.location = o.value("location").toString("OU=BROADBAND");
        e.policy = o.value("policy").toString();
        e.ap = o.value("ap").toString();
        e.online = o.value("online").toBool(true);
        if (e.userId.isEmpty()) {
            *error = file + ": a directory entry without userId";
            return false;
        }
        directory_.append(e);
    }

    static const QRegularExpression macForm("^[0-9A-F]{2}(:[0-9A-F]{2}){5}$");
    for (const QJsonValue& v : root.value("onus").toArray()) {
        const QJsonObject o = v.toObject();
        Onu onu{o.value("mac").toString().toUpper(), o.value("serial").toString(), o.value("olt").toString(), o.value("pon").toString()};
        if (!macForm.match(onu.mac).hasMatch()) {
            *error = file + ": ONU MAC \"" + onu.mac + "\" is not of the form AA:BB:CC:DD:EE:FF";
            return false;
        }
        onus_.append(onu);
    }

    const QJsonObject answers = root.value("macAnswers").toObject();
    for (auto it = answers.begin(); it != answers.end(); ++it) macAnswers_.insert(it.key().toLower(), it.value().toString());

    for (const QJsonValue& v : root.value("portal").toArray()) {
        const QJsonObject o = v.toObject();
        portal_.append({o.value("telno").toString(), o.value("name").toString(), o.value("status").toString(), o.value("exchange").toString()});
    }
    portalDelayMs_ = root.value("portalDelayMs").toInt(1500);
    return true;
}

std::optional<DirectoryEntry> SimData::person(const QString& userId) const
{
    const QString wanted = userId.trimmed();
    for (const DirectoryEntry& e : directory_)
        if (e.userId.compare(wanted, Qt::CaseInsensitive) == 0) return e;
    return std::nullopt;
}

QList<Onu> SimData::onusMatching(const QString& fragment) const
{
    QList<Onu> found;
    const QString text = fragment.trimmed().toUpper();
    const QString digits = macDigits(fragment);
    if (text.isEmpty()) return found;
    for (const Onu& onu : onus_) {
        // As typed ("dd:ee:ff") or as bare digits ("ddeeff").
        if (onu.mac.contains(text) || (!digits.isEmpty() && digits.size() == text.size() && macDigits(onu.mac).contains(digits)))
            found.append(onu);
    }
    return found;
}

std::optional<Onu> SimData::onuByMac(const QString& mac) const
{
    const QString digits = macDigits(mac);
    for (const Onu& onu : onus_)
        if (!digits.isEmpty() && macDigits(onu.mac) == digits) return onu;
    return std::nullopt;
}

std::optional<QString> SimData::macAnswer(const QString& fragment) const
{
    const auto it = macAnswers_.find(fragment.trimmed().toLower());
    if (it == macAnswers_.end()) return std::nullopt;
    return it.value();
}

std::optional<PortalLine> SimData::portalLine(const QString& telno) const
{
    const QString wanted = telno.trimmed();
    for (const PortalLine& p : portal_)
        if (p.telno == wanted) return p;
    return std::nullopt;
}

} // namespace nocsim
