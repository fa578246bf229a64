#include "sound/CueStream.h"

#include <algorithm>
#include <cstring>

CueStream::CueStream(QObject *parent) : QIODevice(parent)
{
    // Unbuffered: a new cue must not find the last one's bytes waiting in
    // QIODevice's own buffer.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void CueStream::Play(const QByteArray &frames, qint64 silenceBytes, char silenceByte)
{
    frames_ = frames;
    silenceBytes_ = silenceBytes;
    silenceByte_ = silenceByte;
    position_ = 0;
    emit readyRead();
}

qint64 CueStream::bytesAvailable() const
{
    return frames_.size() + silenceBytes_ - position_ + QIODevice::bytesAvailable();
}

qint64 CueStream::readData(char *data, qint64 maxSize)
{
    const qint64 fromFrames = std::clamp<qint64>(frames_.size() - position_, 0, maxSize);
    if (fromFrames > 0)
        std::memcpy(data, frames_.constData() + position_, static_cast<std::size_t>(fromFrames));
    const qint64 fromSilence =
        std::min(maxSize - fromFrames, frames_.size() + silenceBytes_ - position_ - fromFrames);
    std::memset(data + fromFrames, silenceByte_, static_cast<std::size_t>(fromSilence));
    position_ += fromFrames + fromSilence;
    return fromFrames + fromSilence;
}

qint64 CueStream::writeData(const char *, qint64)
{
    return -1;
}
