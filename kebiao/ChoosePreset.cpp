#include "kebiao/ChoosePreset.h"

#include "kebiao/TForm6.h"
#include "notices/Notices.h"

std::optional<PresetPick> ChoosePreset(QWidget *parent, const PresetPick &current, const QString &memoryPath,
                                       PresetMemory::Place place, const PresetChoice::Mastery &mastered)
{
    TForm6 chooser(current, mastered, parent);
    chooser.exec();
    const std::optional<PresetPick> pick = chooser.Result();
    if (pick) {
        if (const std::optional<QString> error = PresetMemory::Write(memoryPath, place, *pick))
            Notices::ShowErrorBox(*error);
    }
    return pick;
}
