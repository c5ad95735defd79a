#pragma once
// What a screen needs from the program: settings, clock, dialogs, the workstation,
// the database and the current user. Screens take them from here and hold no globals.
#include "core/Clock.h"
#include "core/Database.h"
#include "core/Desktop.h"
#include "core/Dialogs.h"
#include "core/Settings.h"
#include "core/Workstation.h"

#include <memory>

namespace k7t {

// The logged-in operator's name: empty until a login succeeds, then set once.
class CurrentUser {
public:
    QString name() const { return name_; }
    bool isSet() const { return set_; }
    void set(const QString& name)
    {
        if (set_) return;
        name_ = name;
        set_ = true;
    }

private:
    QString name_;
    bool set_ = false;
};

class AppContext {
public:
    AppContext(Settings settings, std::unique_ptr<Dialogs> dialogs);

    Settings& settings() { return settings_; }
    Clock& clock() { return clock_; }
    Dialogs& dialogs() { return *dialogs_; }
    Workstation& workstation() { return workstation_; }
    CurrentUser& currentUser() { return currentUser_; }
    Desktop& desktop() { return desktop_; }
    const DatabaseConfig& database() const { return database_; }
    void setDatabase(const DatabaseConfig& config);

    // A new connection for one screen.
    std::unique_ptr<Connection> connection() const { return std::make_unique<Connection>(database_); }

private:
    Settings settings_;
    Clock clock_;
    std::unique_ptr<Dialogs> dialogs_;
    Workstation workstation_;
    CurrentUser currentUser_;
    Desktop desktop_;
    DatabaseConfig database_;
};

} // namespace k7t
