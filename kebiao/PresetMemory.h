#pragma once

#include "arithmetic/Presets.h"

#include <QString>
#include <optional>

// The preset last taken in the drill and in the exam room, kept for the
// user, since a child practises one unit for weeks: the ASCII file
// database/kebiao.zerk, one line per place ("drill 6 0" is preset 6, its
// first choice), written like every other store.
namespace PresetMemory {

enum class Place { Drill, Exam };

QString PathIn(const QString &databaseFolder);

// Free practice when nothing (readable) is kept.
PresetPick Read(const QString &path, Place place);

// Keeps the pick for the place and leaves the other's line as it is; the
// error text when the file could not be written.
std::optional<QString> Write(const QString &path, Place place, const PresetPick &pick);

}  // namespace PresetMemory
