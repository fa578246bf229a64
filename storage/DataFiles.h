#pragma once

#include <QString>

// The names of the files the program keeps for its user, relative to the
// folder of the user's files, written with backslashes as the program stores
// them. Kept here, below every module, so that the layouts can make them.

// The tips book's store.
inline QString TipStoreRelativePath()
{
    return QStringLiteral("database\\yd.zerk");
}

// The two record folders of a drill mode, each ending in a backslash.
struct RecordFolders {
    QString right;
    QString wrong;
};

inline RecordFolders PracticeRecordFolders()
{
    return {QStringLiteral("Lxdui\\"), QStringLiteral("Lxcuo\\")};
}

inline RecordFolders CompetitionRecordFolders()
{
    return {QStringLiteral("jjdui\\"), QStringLiteral("jjcuo\\")};
}
