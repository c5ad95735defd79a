#pragma once
// The simulator's world, read once from its JSON data file: the directory of broadband
// users (also their policy and AP), the ONUs the OLT gateway knows, literal answers for
// special MAC fragments, and the registration portal's telephone lines.
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace nocsim {

struct DirectoryEntry {
    QString userId;
    QString name;
    QString telephone;       // may contain "-"
    QString directoryNumber;
    QString status;
    QString ssa;
    QString circle;
    QString location;        // text before the SSA on the location line
    QString policy;          // empty: no session on the BNG
    QString ap;              // the AP (site) the user hangs on
    bool online = false;
};

struct Onu {
    QString mac;     // "AA:BB:CC:DD:EE:FF"
    QString serial;
    QString olt;     // OLT management address
    QString pon;     // PON port and ONU number, e.g. "1/1/3:7"
};

struct PortalLine {
    QString telno;
    QString name;
    QString status;
    QString exchange;
};

class SimData {
public:
    // Reads the file; on failure returns false and sets error.
    bool load(const QString& file, QString* error);

    // Directory look-up by user ID, without regard to case or surrounding blanks.
    std::optional<DirectoryEntry> person(const QString& userId) const;
    // The ONUs whose MAC contains the fragment (case and separators ignored).
    QList<Onu> onusMatching(const QString& fragment) const;
    std::optional<Onu> onuByMac(const QString& mac) const;
    // A literal answer configured for this exact fragment (case ignored).
    std::optional<QString> macAnswer(const QString& fragment) const;
    std::optional<PortalLine> portalLine(const QString& telno) const;
    int portalDelayMs() const { return portalDelayMs_; }

    const QList<DirectoryEntry>& directory() const { return directory_; }
    const QList<Onu>& onus() const { return onus_; }

private:
    QList<DirectoryEntry> directory_;
    QList<Onu> onus_;
    QMap<QString, QString> macAnswers_; // lower-case fragment -> body text
    QList<PortalLine> portal_;
    int portalDelayMs_ = 1500;
};

// Upper-case hex digits only: "aa:bb-cc" -> "AABBCC".
QString macDigits(const QString& text);

} // namespace nocsim
