#pragma once

#include <QByteArray>
#include <QIODevice>

// What an audio output reads one cue from: nothing until a cue is given,
// then the cue's frames, then a stretch of silence, then the end. The
// silence carries the cue's last frames through the output's buffer: a sound
// server starts playing only once that buffer holds enough, so a cue shorter
// than it would otherwise wait for ever.
class CueStream : public QIODevice {
public:
    explicit CueStream(QObject *parent = nullptr);

    // Serves frames from their start, followed by silenceBytes bytes of
    // silenceByte, and tells the reader that there is more to read.
    void Play(const QByteArray &frames, qint64 silenceBytes, char silenceByte);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray frames_;
    qint64 silenceBytes_ = 0;
    char silenceByte_ = 0;
    qint64 position_ = 0;
};
