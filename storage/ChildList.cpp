#include "storage/ChildList.h"

#include "storage/StoreFile.h"

#include <QFileInfo>
#include <QStringList>
#include <utility>

namespace {

const QString kCurrent = QStringLiteral("当前");

Child FirstChild()
{
    return {1, QStringLiteral("小朋友"), QStringLiteral("panda")};
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

ChildList::ChildList(QString path) : path_(std::move(path)), children_{FirstChild()} {}

std::optional<QString> ChildList::Load()
{
    children_ = {FirstChild()};
    current_ = 1;
    if (!QFileInfo::exists(path_))
        return std::nullopt;
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path_);
    if (read.error)
        return read.error;
    QList<Child> children;
    for (const QString &line : QString::fromUtf8(read.bytes).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.trimmed().split(u'\t');
        bool ok = false;
        if (fields.size() == 2 && fields.at(0) == kCurrent)
            current_ = fields.at(1).toInt();
        else if (fields.size() == 3 && fields.at(0).toInt(&ok) > 0 && ok)
            children.append({fields.at(0).toInt(), fields.at(2), fields.at(1)});
    }
    if (!children.isEmpty())
        children_ = children;
    SetCurrent(current_);
    return std::nullopt;
}

std::optional<QString> ChildList::Save() const
{
    QString text = kCurrent + u'\t' + QString::number(current_) + QStringLiteral("\r\n");
    for (const Child &child : children_)
        text += QStringLiteral("%1\t%2\t%3\r\n").arg(child.id).arg(child.picture, child.name);
    return StoreFile::WriteWhole(path_, text.toUtf8());
}

const Child &ChildList::Current() const
{
    for (const Child &child : children_) {
        if (child.id == current_)
            return child;
    }
    return children_.first();
}

void ChildList::SetCurrent(int id)
{
    current_ = children_.first().id;
    for (const Child &child : std::as_const(children_)) {
        if (child.id == id)
            current_ = id;
    }
}

const Child &ChildList::Add(const QString &name, const QString &picture)
{
    int id = 1;
    for (const Child &child : std::as_const(children_))
        if (int next = 0; !__builtin_add_overflow(child.id, 1, &next))
            id = std::max(id, next);
    children_.append({id, name, picture});
    current_ = id;
    return children_.last();
}
