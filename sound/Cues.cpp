#include "sound/Cues.h"

#include "sound/CueNames.h"
#include "sound/CuePlayer.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// Lives as long as the application object, whose child it is.
CuePlayer *Player()
{
    static QPointer<CuePlayer> player;
    if (!player)
        player = new CuePlayer(QCoreApplication::instance());
    return player;
}

Cues::Listener &CurrentListener()
{
    static Cues::Listener listener;
    return listener;
}

}  // namespace

void PlayCue(const QString &relativePath)
{
    if (const Cues::Listener &listen = CurrentListener()) {
        listen(relativePath);
        return;
    }
    Player()->Play(relativePath);
}

namespace Cues {

void Preload()
{
    if (CurrentListener())
        return;
    for (const QString &name : AllCueNames())
        Player()->Load(name);
}

void ListenForTests(Listener listener)
{
    CurrentListener() = std::move(listener);
}

}  // namespace Cues
