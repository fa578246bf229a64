#pragma once

#include "arithmetic/Recipe.h"

#include <QString>
#include <optional>

class QWidget;

// Opens the recipe editor over parent with the recipes kept at storePath:
// the recipe taken (empty for 不用组卷), or nothing when the teacher
// cancelled.
std::optional<Recipe> ChooseRecipe(QWidget *parent, const Recipe &current, const QString &storePath);
