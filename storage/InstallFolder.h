#pragma once

#include <QString>
#include <optional>

// Decides where every file of the program lives. Relative paths are written
// the way the program stores them, with backslashes ("Sound\\dui.wav"); the
// platform's separator takes their place here. Every folder ends in a
// separator.
//
// Portable: the executable's folder holds "Sound". Everything is beside the
// executable, as the folder was laid out, and nothing is ever created: a
// missing "database" folder stays missing, and the tips book says so.
//
// Installed (e.g. /usr/bin/numbrook), when "Sound" is not beside it: the
// cues and the starter tips are read from <prefix>/share/numbrook, found from
// the executable so that any prefix works, and the tips store and the record folders are the user's own, in
// their data folder (~/.local/share/numbrook). The cue player plugin is in
// <prefix>/lib/<multiarch triplet>/numbrook; a portable folder has it beside
// the executable.
class InstallFolder {
public:
    enum class Layout { Portable, Installed };

    // The layout for an executable in executableFolder, with userDataFolder
    // for an installed one's user files. Only looks; creates nothing.
    static InstallFolder Decide(const QString &executableFolder, const QString &userDataFolder);

    // The running program's: its executable's folder and the user's
    // QStandardPaths::AppDataLocation, where a relative XDG_DATA_HOME counts
    // as unset.
    static InstallFolder Current();

    Layout layout() const { return layout_; }

    // Where the files the program ships with are read: the cues and the
    // starter tips.
    const QString &ShippedRoot() const { return shippedRoot_; }

    // The cue player plugin's file.
    const QString &CuePlayerFile() const { return cuePlayerFile_; }

    // Where the user's files are read and written: the tips store, the
    // record folders and anything else the program keeps for its user.
    const QString &UserRoot() const { return userRoot_; }

    // The user's "database" folder, home of the tips store and of every
    // other store the program keeps.
    QString UserDatabaseFolder() const;

    // Installed: makes the user's folder, its "database" folder and the four
    // record folders where they are missing, and copies the starter tips to
    // the user's tips store when there is none; an existing store is never
    // touched. Portable: does nothing. Returns the text for the general
    // error box when a folder or the store could not be made.
    std::optional<QString> PrepareUserFolder() const;

    // The same layout for one child. The first child's files are the user's
    // own, where they have always been; another child's are in
    // "xiaopengyou/<id>/" under the user's folder. The tips store and the
    // history stay shared, in SharedRoot().
    InstallFolder ForChild(int childId) const;
    int ChildId() const { return childId_; }
    const QString &SharedRoot() const { return sharedRoot_; }
    QString SharedDatabaseFolder() const;
    // Makes the child's database and record folders where they are missing:
    // another child's in either layout, the first child's as
    // PrepareUserFolder() does. Returns the text for the general error box.
    std::optional<QString> PrepareChildFolder() const;
    // Whether anything (a link to nothing included) has the folder of the
    // child with that id.
    bool ChildFolderIsThere(int childId) const;

    // root followed by the relative path.
    static QString Join(const QString &root, const QString &relativePath);

    // A shipped file of the running program: Current().ShippedRoot() followed
    // by the relative path. The cues are found this way.
    static QString PathOf(const QString &relativePath);

private:
    InstallFolder(Layout layout, QString shippedRoot, QString userRoot, QString cuePlayerFile);

    std::optional<QString> SeedTipStore() const;
    std::optional<QString> MakeUserFolders() const;

    Layout layout_;
    QString shippedRoot_;
    QString userRoot_;
    QString sharedRoot_;
    QString cuePlayerFile_;
    int childId_ = 1;
};
