#include "sound/CuePlayer.h"

#include "sound/CueStream.h"
#include "storage/InstallFolder.h"
#include "storage/StoreFile.h"
#include "sound/WavFile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace {

QAudioFormat::SampleFormat ToAudioFormat(WavFile::SampleFormat format)
{
    switch (format) {
    case WavFile::SampleFormat::UInt8:
        return QAudioFormat::UInt8;
    case WavFile::SampleFormat::Int16:
        return QAudioFormat::Int16;
    case WavFile::SampleFormat::Int32:
        return QAudioFormat::Int32;
    case WavFile::SampleFormat::Float:
        return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

}  // namespace

CuePlayer::CuePlayer(QObject *parent) : QObject(parent) {}

void CuePlayer::Load(const QString &relativePath)
{
    if (const Cue *cue = Find(relativePath))
        KeepOutputReadyFor(cue->format);
}

void CuePlayer::Play(const QString &relativePath)
{
    // Like any new cue, one that cannot be played silences the one before.
    Close(playing_);
    const Cue *cue = Find(relativePath);
    if (!cue)
        return;
    if (ready_ && ready_.sink->format() == cue->format)
        std::swap(playing_, ready_);
    else
        playing_ = Open(cue->format);
    if (!playing_)
        return;
    const qint64 frameBytes = cue->format.bytesPerFrame();
    playing_.stream->Play(cue->frames, playing_.sink->bufferSize() / frameBytes * frameBytes, cue->silenceByte);
    KeepOutputReadyFor(cue->format);
}

const CuePlayer::Cue *CuePlayer::Find(const QString &relativePath)
{
    auto found = cues_.find(relativePath);
    if (found == cues_.end()) {
        // A file that cannot be read or decoded is remembered as silent.
        found = cues_.insert(relativePath, Decode(relativePath));
    }
    return found->has_value() ? &**found : nullptr;
}

std::optional<CuePlayer::Cue> CuePlayer::Decode(const QString &relativePath)
{
    const StoreFile::ReadResult read =
        StoreFile::ReadWhole(InstallFolder::PathOf(relativePath), StoreFile::Links::Followed);
    if (read.error)
        return std::nullopt;
    WavFile::DecodeResult decoded = WavFile::Decode(read.bytes);
    if (decoded.error)
        return std::nullopt;
    return Cue{FormatOf(decoded.sound), std::move(decoded.sound.frames), decoded.sound.SilenceByte()};
}

QAudioFormat CuePlayer::FormatOf(const WavFile::Sound &sound)
{
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channelCount);
    format.setSampleFormat(ToAudioFormat(sound.format));
    return format;
}

CuePlayer::Output CuePlayer::Open(const QAudioFormat &format)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return {};
    Output output{new QAudioSink(device, format, this), nullptr};
    output.stream = new CueStream(output.sink);
    output.sink->start(output.stream);
    if (output.sink->state() == QAudio::StoppedState) {
        Close(output);
        return {};
    }
    return output;
}

// Opening waits for the sound server, so it happens once the event that
// played a cue is done.
void CuePlayer::KeepOutputReadyFor(const QAudioFormat &format)
{
    QTimer::singleShot(0, this, [this, format] {
        if (ready_ && ready_.sink->format() == format)
            return;
        Close(ready_);
        ready_ = Open(format);
    });
}

void CuePlayer::Close(Output &output)
{
    if (!output)
        return;
    output.sink->stop();
    // Deleted later: a sink's destructor may run the event loop, which must
    // not happen inside the click that asked for a cue.
    output.sink->deleteLater();
    output = {};
}
