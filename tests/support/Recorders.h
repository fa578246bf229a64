#pragma once

#include "sound/Cues.h"
#include "notices/Notices.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

// While one lives, message boxes are recorded instead of shown, so a test
// never blocks on a modal box. onNotice, when set, runs as the box would be
// up: the place to look at the program's state at that moment.
struct NoticeRecorder {
    QList<std::pair<Notices::Kind, QString>> seen;
    std::function<void(Notices::Kind, const QString &)> onNotice;

    NoticeRecorder()
    {
        Notices::InterceptForTests([this](Notices::Kind kind, const QString &text) {
            seen.append({kind, text});
            if (onNotice)
                onNotice(kind, text);
        });
    }
    ~NoticeRecorder() { Notices::InterceptForTests({}); }

    QStringList texts() const
    {
        QStringList out;
        for (const auto &entry : seen)
            out << entry.second;
        return out;
    }
};

// While one lives, cues are recorded by name instead of played.
struct CueRecorder {
    QStringList asked;

    CueRecorder()
    {
        Cues::ListenForTests([this](const QString &relativePath) { asked << relativePath; });
    }
    ~CueRecorder() { Cues::ListenForTests({}); }
};
