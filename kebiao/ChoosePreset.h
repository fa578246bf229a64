#pragma once

#include "arithmetic/Presets.h"
#include "kebiao/PresetChoice.h"
#include "kebiao/PresetMemory.h"

class QWidget;

// The chooser over parent, the pick remembered for the place once taken (a
// store that cannot be written shows the error box, after the chooser has
// closed, and the pick holds for this visit all the same). The child's
// mastered units carry their ★.
std::optional<PresetPick> ChoosePreset(QWidget *parent, const PresetPick &current, const QString &memoryPath,
                                       PresetMemory::Place place, const PresetChoice::Mastery &mastered);
