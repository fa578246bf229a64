#include "shell/Cues.h"

#include "shell/CueNames.h"
#include "shell/InstallFolder.h"

#include <QHash>
#include <QSoundEffect>
#include <QUrl>

namespace {

class CueBank {
public:
    QSoundEffect *effect(const QString &relativePath)
    {
        QSoundEffect *&slot = effects_[relativePath];
        if (!slot) {
            // Parentless and never freed: cues live as long as the program,
            // and destroying them during static teardown would outlive Qt.
            slot = new QSoundEffect;
            slot->setSource(QUrl::fromLocalFile(InstallFolder::PathOf(relativePath)));
        }
        return slot;
    }

    void play(const QString &relativePath)
    {
        QSoundEffect *next = effect(relativePath);
        if (playing_ && playing_ != next)
            playing_->stop();
        next->stop();
        next->play();
        playing_ = next;
    }

private:
    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *playing_ = nullptr;
};

CueBank &Bank()
{
    static CueBank bank;
    return bank;
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
    Bank().play(relativePath);
}

namespace Cues {

void Preload()
{
    if (CurrentListener())
        return;
    for (const QString &name : AllCueNames())
        Bank().effect(name);
}

void ListenForTests(Listener listener)
{
    CurrentListener() = std::move(listener);
}

}  // namespace Cues
