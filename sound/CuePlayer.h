#pragma once

#include "sound/CueOutput.h"

#include <QAudioFormat>
#include <QHash>
#include <QObject>
#include <QString>
#include <optional>

class CueStream;
class QAudioSink;
namespace WavFile {
struct Sound;
}

// Plays cue files through the default sound device, each decoded once.
//
// Every cue gets an output (a sound server stream) of its own, and starting
// a cue closes the output of the one before: the server drops what it still
// held of it, so the old cue stops at once and never comes back. Opening an
// output waits for the server, so one output is kept open ahead of the next
// cue and a cue only hands its frames to it. An output is never stopped at
// the end of its cue, which would cut off what the server still buffers; it
// stays until the next cue replaces it.
//
// Built as the plugin numbrook-cues; its one instance belongs to whoever
// loads it.
class CuePlayer : public QObject, public CueOutput {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID CueOutput_iid)
    Q_INTERFACES(CueOutput)

public:
    // The outputs are children of the player and close with it.
    explicit CuePlayer(QObject *parent = nullptr);

    void Load(const QString &relativePath) override;
    void Play(const QString &relativePath) override;

    // The format the sound device is told a decoded file's frames are in.
    static QAudioFormat FormatOf(const WavFile::Sound &sound);

private:
    struct Cue {
        QAudioFormat format;
        QByteArray frames;
        char silenceByte;
    };
    struct Output {
        QAudioSink *sink = nullptr;
        CueStream *stream = nullptr;
        explicit operator bool() const { return sink != nullptr; }
    };

    const Cue *Find(const QString &relativePath);
    static std::optional<Cue> Decode(const QString &relativePath);
    Output Open(const QAudioFormat &format);
    void KeepOutputReadyFor(const QAudioFormat &format);
    static void Close(Output &output);

    QHash<QString, std::optional<Cue>> cues_;
    Output playing_;
    Output ready_;
};
