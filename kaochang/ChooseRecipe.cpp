#include "kaochang/ChooseRecipe.h"

#include "kaochang/TForm9.h"

std::optional<Recipe> ChooseRecipe(QWidget *parent, const Recipe &current, const QString &storePath)
{
    TForm9 editor(current, storePath, parent);
    editor.exec();
    return editor.Result();
}
