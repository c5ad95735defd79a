#pragma once
// The program's settings: an INI file read once at start. Every key has a default,
// so a missing file still gives a working program on the embedded database.
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace k7t {

class Settings {
public:
    // Reads `file`; an empty path means the file named by $K7T_SETTINGS, else the
    // per-user config location. A file that does not exist gives the defaults.
    static Settings load(const QString& file = {});
    static QString defaultFile();

    QString value(const QString& key) const;
    int intValue(const QString& key) const;
    void set(const QString& key, const QString& value); // in memory only
    QString file() const { return file_; }

    // Every key the program knows, in the order the README lists them.
    static QStringList keys();
    static QString defaultValue(const QString& key);

private:
    QString file_;
    QVariantMap values_;
};

} // namespace k7t
