#pragma once

#include <QList>
#include <QString>
#include <optional>

// One child who practises: the first child (id 1) owns the files the program
// kept before there were several; each other child's files live in a folder
// of their own.
struct Child {
    int id = 1;
    QString name;
    QString picture;  // an animal: "panda", "rabbit", ...
};

// The animals a child can choose, in the order "谁来练习？" offers them.
const QList<QString> &ChildPictures();
// ":/children/panda.svg".
QString ChildPictureResource(const QString &picture);

// The children of this user and which one is practising now, kept in
// "database/xiaopengyou.txt": a line "当前<tab>id", then one line per child
// "id<tab>picture<tab>name", UTF-8. Without the file there is one child.
class ChildList {
public:
    static QString PathIn(const QString &databaseFolder);

    explicit ChildList(QString path);

    // A missing file is one child; a file that cannot be read gives its
    // error and that same one child.
    std::optional<QString> Load();
    std::optional<QString> Save() const;

    const QList<Child> &Children() const { return children_; }
    const Child &Current() const;
    void SetCurrent(int id);
    // A new child with the next id, made current.
    const Child &Add(const QString &name, const QString &picture);

private:
    QString path_;
    QList<Child> children_;
    int current_ = 1;
};
