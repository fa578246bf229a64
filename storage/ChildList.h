#pragma once

#include <QByteArrayList>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One child who practises: the first child (id 1) owns the files the program
// kept before there were several; each other child's files live in a folder
// of their own, named by the id and never by the name.
struct Child {
    int id = 1;
    QString name;
    QString picture;  // an animal: "panda", "rabbit", ...
    // Moved out of "谁来练习？" by a parent: the files and the id stay theirs,
    // so the child can be brought back.
    bool removed = false;
    // The school grade, 1 to 6, once a parent has said it.
    std::optional<int> grade{};
};

// The animals a child can choose, in the order "谁来练习？" offers them.
const QList<QString> &ChildPictures();
// ":/children/panda.svg".
QString ChildPictureResource(const QString &picture);

// Why a change to the list was not made.
struct ChildListRefusal {
    enum class Kind { NameEmpty, NameTooLong, NameTaken, TooMany, LastChild, NotWritten };
    Kind kind;
    // NameTaken: the name; NotWritten: the general error box's text.
    QString text;
};
using ChildListChange = std::optional<ChildListRefusal>;

// The children of this user and which one is practising now, kept in
// "database/xiaopengyou.txt", UTF-8: a line "当前<tab>id", then one line per
// child "id<tab>picture<tab>name", with a fourth field "移走" for a removed
// child, and for a child whose grade is known a line "年级<tab>id<tab>grade"
// (1 to 6), which copies of the program from before grades keep as it is. Lines it cannot read, and a second line for an id already read,
// are kept as they are and not taken for children. Without the file there is
// one child.
class ChildList {
public:
    // Children in "谁来练习？" at once, removed ones not counted.
    static constexpr int MostChildren = 12;
    static constexpr int LongestName = 12;
    // Whether an id not in the list was ever given to a child (a folder or
    // rows in the history still say so); such an id is never given again.
    using IdTaken = std::function<bool(int id)>;

    static QString PathIn(const QString &databaseFolder);
    // The name as kept: white space at the ends dropped, inside it one space.
    static QString TidyName(const QString &typed);

    explicit ChildList(QString path);

    // A missing file is one child; a file that cannot be read gives its
    // error and that same one child.
    std::optional<QString> Load();

    // Those who practise, in the list's order, and those removed.
    QList<Child> Present() const;
    QList<Child> Removed() const;
    const Child &Current() const;
    // Any child of the list, removed ones included.
    const Child *Find(int id) const;

    // Each change reads the list again under its lock, is made on what the
    // file holds now (another copy's changes included) and saved at once. A
    // list that cannot be read is never saved over; a choice that could not
    // be saved holds all the same until the program ends.
    ChildListChange Choose(int id);
    // A new child with an id no child ever had, made current.
    ChildListChange Add(const QString &name, const QString &picture, const IdTaken &taken);
    ChildListChange Rename(int id, const QString &name);
    ChildListChange SetPicture(int id, const QString &picture);
    // Another child becomes current when the current one is removed.
    ChildListChange Remove(int id);
    ChildListChange BringBack(int id);
    static constexpr int FirstGrade = 1;
    static constexpr int LastGrade = 6;
    // A grade outside FirstGrade..LastGrade is not kept.
    ChildListChange SetGrade(int id, int grade);

private:
    ChildListChange Change(const std::function<ChildListChange()> &change);
    ChildListChange Refusal(const QString &name, int id) const;
    Child *Changeable(int id);
    void SetCurrent(int id);
    QByteArray Text() const;

    QString path_;
    QList<Child> children_;
    QByteArrayList kept_;  // lines not read as children, written back as they were
    int current_ = 1;
};
