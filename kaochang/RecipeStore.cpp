#include "kaochang/RecipeStore.h"

#include "notices/ErrorText.h"
#include "storage/StoreFile.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace RecipeStore {
namespace {

const QString kRecipe = QStringLiteral("recipe");
const QString kLast = QStringLiteral("last");
const QString kInOrder = QStringLiteral("in-order");
const QString kShuffled = QStringLiteral("shuffled");

std::optional<RecipeRow> ReadRow(const QString &field)
{
    const QStringList parts = field.split(u' ');
    if (parts.size() != 4 || (parts[0] != u"p" && parts[0] != u"c"))
        return std::nullopt;
    bool ok[3]{};
    const int a = parts[1].toInt(&ok[0]);
    const int b = parts[2].toInt(&ok[1]);
    const int count = parts[3].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || count < 1 || count > Recipe::MaxTotal)
        return std::nullopt;
    RecipeRow row;
    row.Count = count;
    if (parts[0] == u"p") {
        row.Pick = {a, b};
        if (a == 0)
            return std::nullopt;
    } else {
        if (b < 0 || b > static_cast<int>(OperationChoice::Mixed))
            return std::nullopt;
        row.Range = a;
        row.Operation = static_cast<OperationChoice>(b);
    }
    return row;
}

// The recipe a line's fields after its keyword hold, when they hold a whole
// one.
std::optional<Recipe> ReadRecipe(const QStringList &fields)
{
    if (fields.size() < 4 || (fields[2] != kInOrder && fields[2] != kShuffled))
        return std::nullopt;
    Recipe recipe;
    recipe.Name = fields[1];
    recipe.Order = fields[2] == kShuffled ? RecipeOrder::Shuffled : RecipeOrder::InOrder;
    for (qsizetype i = 3; i < fields.size(); ++i) {
        const std::optional<RecipeRow> row = ReadRow(fields[i]);
        if (!row)
            return std::nullopt;
        recipe.Rows.append(*row);
    }
    if (!recipe.IsValid() || recipe.Name != KeptName(recipe.Name))
        return std::nullopt;
    return recipe;
}

QString Line(const QString &keyword, const Recipe &recipe)
{
    QStringList fields{keyword, recipe.Name, recipe.Order == RecipeOrder::Shuffled ? kShuffled : kInOrder};
    for (const RecipeRow &row : recipe.Rows) {
        if (row.Pick.PresetId != 0)
            fields << QStringLiteral("p %1 %2 %3").arg(row.Pick.PresetId).arg(row.Pick.Choice).arg(row.Count);
        else
            fields << QStringLiteral("c %1 %2 %3").arg(row.Range).arg(static_cast<int>(row.Operation)).arg(row.Count);
    }
    return fields.join(u'\t') + QStringLiteral("\r\n");
}

QString Damaged(const QString &path, qsizetype line)
{
    return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path),
                                     QStringLiteral("第 %1 行不是组卷").arg(line + 1));
}

// Reads the file again under its lock, changes what it holds and writes it
// whole; a file that cannot be read, or holds a line that is not a recipe,
// is left as it is.
std::optional<QString> Change(const QString &path, const std::function<void(Contents &)> &change)
{
    const StoreFile::Lock lock(path);
    if (lock.Error())
        return ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *lock.Error());
    ReadResult read = Read(path);
    if (read.error)
        return read.error;
    change(read.contents);
    QString text;
    for (const Recipe &recipe : read.contents.saved)
        text += Line(kRecipe, recipe);
    if (read.contents.last)
        text += Line(kLast, *read.contents.last);
    if (const std::optional<QString> error = StoreFile::WriteWhole(path, text.toUtf8()))
        return ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *error);
    return std::nullopt;
}

}  // namespace

QString PathIn(const QString &databaseFolder)
{
    return QDir(databaseFolder).filePath(QStringLiteral("zujuan.zerk"));
}

QString KeptName(const QString &name)
{
    QString kept = name;
    for (QChar &c : kept) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return kept.trimmed();
}

ReadResult Read(const QString &path)
{
    if (!StoreFile::IsThere(path))
        return {};
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path);
    if (read.error)
        return {{}, ErrorText::CannotOpenFile(QDir::toNativeSeparators(path), *read.error)};
    ReadResult result;
    // Written with CR LF; a file saved again by an editor may have lost the CRs.
    const QStringList lines = QString::fromUtf8(read.bytes).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() && i == lines.size() - 1)
            break;
        const QString line = lines[i].endsWith(u'\r') ? lines[i].chopped(1) : lines[i];
        const QStringList fields = line.split(u'\t');
        const std::optional<Recipe> recipe = ReadRecipe(fields);
        const bool saved = fields.first() == kRecipe && recipe && !recipe->Name.isEmpty();
        if (!saved && !(fields.first() == kLast && recipe && !result.contents.last))
            return {{}, Damaged(path, i)};
        if (saved)
            result.contents.saved.append(*recipe);
        else
            result.contents.last = recipe;
    }
    return result;
}

std::optional<QString> Save(const QString &path, const Recipe &recipe)
{
    return Change(path, [&recipe](Contents &contents) {
        const auto same = std::find_if(contents.saved.begin(), contents.saved.end(),
                                       [&recipe](const Recipe &kept) { return kept.Name == recipe.Name; });
        if (same != contents.saved.end())
            *same = recipe;
        else
            contents.saved.append(recipe);
    });
}

std::optional<QString> Remember(const QString &path, const std::optional<Recipe> &last)
{
    // Nothing to forget in a file never written.
    if (!last && !StoreFile::IsThere(path))
        return std::nullopt;
    return Change(path, [&last](Contents &contents) { contents.last = last; });
}

}  // namespace RecipeStore
