#pragma once
// Creating the tables of a new installation.
#include "core/Database.h"

#include <QStringList>

namespace k7t::Schema {

// The statements that create every table and index, for the given backend.
QStringList statements(DatabaseConfig::Backend backend);

// Runs them on an open connection; tables that exist are left as they are.
void create(Connection& connection);

// The embedded database file: created with the schema (and in WAL mode, so that
// several running programs share it) when it does not exist yet. Returns an error
// text, empty on success.
QString ensureEmbedded(const DatabaseConfig& config);

} // namespace k7t::Schema
