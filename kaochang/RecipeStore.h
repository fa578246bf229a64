#pragma once

#include "arithmetic/Recipe.h"

#include <QList>
#include <QString>
#include <optional>

// The teacher's recipes (组卷), kept for the user: the UTF-8 file
// database/zujuan.zerk, one recipe a line, written like every other store.
//
//   recipe<TAB>期中口算 A<TAB>shuffled<TAB>p 6 0 40<TAB>c 100 0 10
//   last<TAB>期中口算 A<TAB>shuffled<TAB>p 6 0 40<TAB>c 100 0 10
//
// A "recipe" line is one saved under its name; the "last" line is the recipe
// the exam room used last (its name empty when it was never saved), absent
// when a single preset or free practice was chosen after it. The order is
// "in-order" or "shuffled"; a row is "p <preset> <choice> <count>" or
// "c <range> <operation index> <count>".
namespace RecipeStore {

QString PathIn(const QString &databaseFolder);

struct Contents {
    QList<Recipe> saved;  // in the order they were first saved
    std::optional<Recipe> last;
};

struct ReadResult {
    Contents contents;
    // The error box's text: the file could not be read, or a line of it is
    // not a recipe (it is then never written over).
    std::optional<QString> error;
};

// Nothing saved, without an error, when there is no file yet.
ReadResult Read(const QString &path);

// Saves recipe under its name, in place of one of that name; the error text
// when the file could not be written.
std::optional<QString> Save(const QString &path, const Recipe &recipe);

// Keeps recipe as the last one used, or forgets the last one.
std::optional<QString> Remember(const QString &path, const std::optional<Recipe> &last);

// A name as it can be kept: trimmed, tabs and line breaks made spaces.
QString KeptName(const QString &name);

}  // namespace RecipeStore
