#pragma once
// The work behind the k7t-admin command line: schema, demo data, CSV import, operators.
#include "core/Database.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace k7t::admin {

// Tables that are kept by means outside the program and filled by import.
QStringList importableTables();

// Creates the schema in the configured database. Returns an error text, empty on success.
QString init(const DatabaseConfig& config);

struct SeedOptions {
    int customers = 200;
    int complaints = 60;
    int openComplaints = -1; // -1: one in twenty, at most one per customer
    QDateTime now = QDateTime::currentDateTime();
};
// Fills a database with a demo operator and reference data for every screen, then
// generated customers and complaints. Returns an error text, empty on success.
QString seedDemo(const DatabaseConfig& config, const SeedOptions& options);

// Loads FILE (CSV, header row of column names) into TABLE as one transaction: a bad
// row names its line and nothing is kept. Returns an error text, empty on success;
// `imported` receives the number of rows.
QString importCsv(const DatabaseConfig& config, const QString& table, const QString& file, int* imported = nullptr);

// Splits CSV text into records (quoted fields, doubled quotes, line breaks in quotes).
// Each record carries the line it starts on. Returns an error text on a broken quote.
struct CsvRecord {
    int line = 0;
    QStringList fields;
};
QString parseCsv(const QString& text, QList<CsvRecord>* records);

QString addOperator(const DatabaseConfig& config, const QString& name, const QString& id, const QString& password);

// The demo operator that seed-demo creates.
inline const char* kDemoOperatorName = "DEMO OPERATOR";
inline const char* kDemoOperatorId = "9000000001";
inline const char* kDemoOperatorPassword = "demo123";

} // namespace k7t::admin
