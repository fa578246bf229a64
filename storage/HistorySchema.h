#pragma once

#include <QString>
#include <optional>

class QSqlDatabase;

// The history's tables, version by version. The version lives in
// PRAGMA user_version; each step moves a file one version on inside one
// transaction, so a file is always at a version the program knows.
namespace HistorySchema {

inline constexpr int Current = 3;

// Brings db from its version up to target (at most Current). Returns the
// SQLite error text when a step fails; the file then stays at its version.
std::optional<QString> MigrateTo(QSqlDatabase &db, int target = Current);

// The version stored in the file, or the error text.
std::optional<int> Version(QSqlDatabase &db, QString *error = nullptr);

// Whether db's tables have the columns that version promises (1 to
// Current): each table's PRAGMA table_info as a file made afresh up to that
// version has it. Tables of its own beyond them are allowed.
bool Matches(QSqlDatabase &db, int version);

}  // namespace HistorySchema
