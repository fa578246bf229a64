#include "sound/Cues.h"

#include "sound/CueNames.h"
#include "sound/CueOutput.h"
#include "storage/InstallFolder.h"

#include <QCoreApplication>
#include <QPluginLoader>
#include <QPointer>

namespace {

// The cue player plugin's one instance, made a child of the application
// object so that its outputs close with it. A plugin that cannot be loaded
// leaves the program silent, as a machine without sound would be, and is
// not tried again.
CueOutput *Player()
{
    static QPointer<QObject> player;
    static bool missing = false;
    if (!player && !missing) {
        player = QPluginLoader(InstallFolder::Current().CuePlayerFile()).instance();
        missing = !player;
        if (player)
            player->setParent(QCoreApplication::instance());
    }
    return qobject_cast<CueOutput *>(player.data());
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
    if (CueOutput *player = Player())
        player->Play(relativePath);
}

namespace Cues {

void Preload()
{
    if (CurrentListener())
        return;
    CueOutput *player = Player();
    if (!player)
        return;
    for (const QString &name : AllCueNames())
        player->Load(name);
}

void ListenForTests(Listener listener)
{
    CurrentListener() = std::move(listener);
}

}  // namespace Cues
