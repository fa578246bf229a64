#include "storage/ChildList.h"

#include "notices/ErrorText.h"
#include "storage/StoreFile.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace {

const QString kCurrent = QStringLiteral("当前");
const QString kRemoved = QStringLiteral("移走");
const QString kGrade = QStringLiteral("年级");

Child FirstChild()
{
    return {1, QStringLiteral("小朋友"), QStringLiteral("panda")};
}

// The id a line begins with, also on a line cut short or not read, so that
// it is never given to a new child; 0 when there is none.
int LeadingId(const QByteArray &line)
{
    bool ok = false;
    const int id = line.left(line.indexOf('\t')).trimmed().toInt(&ok);
    return ok && id > 0 ? id : 0;
}

ChildListRefusal NotWritten(QString text)
{
    return {ChildListRefusal::Kind::NotWritten, std::move(text)};
}

}  // namespace

const QList<QString> &ChildPictures()
{
    static const QList<QString> pictures{QStringLiteral("panda"), QStringLiteral("rabbit"), QStringLiteral("cat"),
                                         QStringLiteral("bear"),  QStringLiteral("fox"),    QStringLiteral("frog"),
                                         QStringLiteral("chick"), QStringLiteral("pig")};
    return pictures;
}

QString ChildPictureResource(const QString &picture)
{
    return QStringLiteral(":/children/%1.svg").arg(ChildPictures().contains(picture) ? picture : ChildPictures().first());
}

QString ChildList::PathIn(const QString &databaseFolder)
{
    return databaseFolder + QStringLiteral("xiaopengyou.txt");
}

QString ChildList::TidyName(const QString &typed)
{
    return typed.simplified();
}

ChildList::ChildList(QString path) : path_(std::move(path)), children_{FirstChild()} {}

std::optional<QString> ChildList::Load()
{
    children_ = {FirstChild()};
    kept_.clear();
    current_ = 1;
    if (!StoreFile::IsThere(path_))
        return std::nullopt;
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path_);
    if (read.error)
        return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path_), *read.error);
    QList<Child> children;
    // Grade lines may come before their child's: matched once all are read.
    QList<std::pair<QByteArray, std::pair<int, int>>> grades;
    for (QByteArray line : read.bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        bool ok = false;
        const int id = fields.at(0).trimmed().toInt(&ok);
        const bool known = std::any_of(children.cbegin(), children.cend(), [id](const Child &c) { return c.id == id; });
        const int grade = fields.size() == 3 ? fields.at(2).trimmed().toInt() : 0;
        if (fields.size() == 2 && fields.at(0) == kCurrent) {
            current_ = fields.at(1).trimmed().toInt();
        } else if (fields.size() == 3 && fields.at(0) == kGrade && grade >= FirstGrade && grade <= LastGrade) {
            grades.append({line, {fields.at(1).trimmed().toInt(), grade}});
        } else if (ok && id > 0 && !known &&
                   (fields.size() == 3 || (fields.size() == 4 && fields.at(3).trimmed() == kRemoved))) {
            children.append({id, fields.at(2).trimmed(), fields.at(1).trimmed(), fields.size() == 4});
        } else {
            // Not the program's, or a second line for an id: two children
            // must never share one child's files.
            kept_.append(line);
        }
    }
    for (const auto &[line, grade] : grades) {
        const int id = grade.first;
        const auto child = std::find_if(children.begin(), children.end(), [id](const Child &c) { return c.id == id; });
        if (child != children.end() && !child->grade)
            child->grade = grade.second;
        else
            kept_.append(line);
    }
    if (!children.isEmpty())
        children_ = children;
    // Someone must practise: a list with every child removed brings the
    // first one back.
    if (Present().isEmpty())
        children_.first().removed = false;
    SetCurrent(current_);
    return std::nullopt;
}

QList<Child> ChildList::Present() const
{
    QList<Child> present;
    std::copy_if(children_.cbegin(), children_.cend(), std::back_inserter(present),
                 [](const Child &child) { return !child.removed; });
    return present;
}

QList<Child> ChildList::Removed() const
{
    QList<Child> removed;
    std::copy_if(children_.cbegin(), children_.cend(), std::back_inserter(removed),
                 [](const Child &child) { return child.removed; });
    return removed;
}

const Child &ChildList::Current() const
{
    return *Find(current_);
}

const Child *ChildList::Find(int id) const
{
    for (const Child &child : children_) {
        if (child.id == id)
            return &child;
    }
    return nullptr;
}

Child *ChildList::Changeable(int id)
{
    return const_cast<Child *>(Find(id));
}

void ChildList::SetCurrent(int id)
{
    const Child *chosen = Find(id);
    current_ = chosen && !chosen->removed ? id : Present().first().id;
}

ChildListChange ChildList::Refusal(const QString &name, int id) const
{
    using Kind = ChildListRefusal::Kind;
    if (name.isEmpty())
        return ChildListRefusal{Kind::NameEmpty, {}};
    if (name.size() > LongestName)
        return ChildListRefusal{Kind::NameTooLong, {}};
    for (const Child &child : children_) {
        if (child.id != id && child.name == name)
            return ChildListRefusal{Kind::NameTaken, name};
    }
    return std::nullopt;
}

ChildListChange ChildList::Change(const std::function<ChildListChange()> &change)
{
    const QString shownPath = QDir::toNativeSeparators(path_);
    const StoreFile::Lock lock(path_);
    if (lock.Error())
        return NotWritten(ErrorText::CannotCreateFile(shownPath, *lock.Error()));
    if (std::optional<QString> error = Load())
        return NotWritten(*error);
    if (ChildListChange refused = change())
        return refused;
    if (std::optional<QString> reason = StoreFile::WriteWhole(path_, Text())) {
        // What is shown stays what the file holds.
        (void)Load();
        return NotWritten(ErrorText::CannotCreateFile(shownPath, *reason));
    }
    return std::nullopt;
}

ChildListChange ChildList::Choose(int id)
{
    const ChildListChange result = Change([this, id]() -> ChildListChange {
        SetCurrent(id);
        return std::nullopt;
    });
    // A list that cannot be saved still lets the child practise now.
    if (result)
        SetCurrent(id);
    return result;
}

ChildListChange ChildList::Add(const QString &name, const QString &picture, const IdTaken &taken)
{
    return Change([&]() -> ChildListChange {
        const QString tidy = TidyName(name);
        if (ChildListChange refused = Refusal(tidy, 0))
            return refused;
        if (Present().size() >= MostChildren)
            return ChildListRefusal{ChildListRefusal::Kind::TooMany, {}};
        int highest = 0;
        for (const Child &child : std::as_const(children_))
            highest = std::max(highest, child.id);
        for (const QByteArray &line : std::as_const(kept_))
            highest = std::max(highest, LeadingId(line));
        constexpr int kLastId = std::numeric_limits<int>::max();
        if (highest == kLastId)
            return ChildListRefusal{ChildListRefusal::Kind::TooMany, {}};
        int id = highest + 1;
        while (taken && taken(id)) {
            if (id == kLastId)
                return ChildListRefusal{ChildListRefusal::Kind::TooMany, {}};
            ++id;
        }
        children_.append({id, tidy, picture});
        current_ = id;
        return std::nullopt;
    });
}

ChildListChange ChildList::Rename(int id, const QString &name)
{
    return Change([&]() -> ChildListChange {
        const QString tidy = TidyName(name);
        if (ChildListChange refused = Refusal(tidy, id))
            return refused;
        if (Child *child = Changeable(id))
            child->name = tidy;
        return std::nullopt;
    });
}

ChildListChange ChildList::SetPicture(int id, const QString &picture)
{
    return Change([&]() -> ChildListChange {
        if (Child *child = Changeable(id))
            child->picture = picture;
        return std::nullopt;
    });
}

ChildListChange ChildList::Remove(int id)
{
    return Change([this, id]() -> ChildListChange {
        Child *child = Changeable(id);
        if (!child || child->removed)
            return std::nullopt;
        if (Present().size() <= 1)
            return ChildListRefusal{ChildListRefusal::Kind::LastChild, {}};
        child->removed = true;
        SetCurrent(current_);
        return std::nullopt;
    });
}

ChildListChange ChildList::BringBack(int id)
{
    return Change([this, id]() -> ChildListChange {
        Child *child = Changeable(id);
        if (!child || !child->removed)
            return std::nullopt;
        if (Present().size() >= MostChildren)
            return ChildListRefusal{ChildListRefusal::Kind::TooMany, {}};
        child->removed = false;
        return std::nullopt;
    });
}

ChildListChange ChildList::SetGrade(int id, int grade)
{
    if (grade < FirstGrade || grade > LastGrade)
        return std::nullopt;
    return Change([&]() -> ChildListChange {
        if (Child *child = Changeable(id))
            child->grade = grade;
        return std::nullopt;
    });
}

QByteArray ChildList::Text() const
{
    QString text = kCurrent + u'\t' + QString::number(current_) + QStringLiteral("\r\n");
    for (const Child &child : children_) {
        text += QStringLiteral("%1\t%2\t%3").arg(child.id).arg(child.picture, child.name);
        if (child.removed)
            text += u'\t' + kRemoved;
        text += QStringLiteral("\r\n");
        if (child.grade)
            text += QStringLiteral("%1\t%2\t%3\r\n").arg(kGrade).arg(child.id).arg(*child.grade);
    }
    QByteArray bytes = text.toUtf8();
    for (const QByteArray &line : kept_)
        bytes += line + "\r\n";
    return bytes;
}
