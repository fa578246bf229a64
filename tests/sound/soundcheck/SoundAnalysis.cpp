#include "SoundAnalysis.h"

#include "sound/WavFile.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace SoundAnalysis {
namespace {

float Sample(const char *at, WavFile::SampleFormat format)
{
    switch (format) {
    case WavFile::SampleFormat::UInt8:
        return (static_cast<quint8>(*at) - 128) / 128.0f;
    case WavFile::SampleFormat::Int16:
        return qFromLittleEndian<qint16>(at) / 32768.0f;
    case WavFile::SampleFormat::Int32:
        return static_cast<float>(qFromLittleEndian<qint32>(at) / 2147483648.0);
    case WavFile::SampleFormat::Float:
        return qFromLittleEndian<float>(at);
    }
    return 0;
}

// The 40 ms that follow the first 5 ms of a sound (past its attack),
// weighted by a Hann window.
std::vector<double> StartWindow(const std::vector<float> &samples, qsizetype onset, int rate)
{
    const qsizetype first = std::min<qsizetype>(onset + rate / 200, std::ssize(samples));
    const qsizetype count = std::min<qsizetype>(rate / 25, std::ssize(samples) - first);
    std::vector<double> window;
    for (qsizetype i = 0; i < count; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (count - 1));
        window.push_back(samples[static_cast<std::size_t>(first + i)] * hann);
    }
    return window;
}

// Power at one frequency (Goertzel).
double PowerAt(const std::vector<double> &window, double frequency, int rate)
{
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double previous = 0, beforePrevious = 0;
    for (double sample : window) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

constexpr double kLowestHz = 100;
constexpr double kHighestHz = 3000;

// Power from kLowestHz to kHighestHz in steps of 5 Hz, the whole adding up to 1.
std::vector<double> Spectrum(const std::vector<float> &samples, qsizetype onset, int rate)
{
    const std::vector<double> window = StartWindow(samples, onset, rate);
    std::vector<double> power;
    double total = 0;
    for (double frequency = kLowestHz; frequency <= kHighestHz; frequency += 5) {
        power.push_back(PowerAt(window, frequency, rate));
        total += power.back();
    }
    for (double &p : power)
        p = total > 0 ? p / total : 0;
    return power;
}

}  // namespace

std::vector<float> Mono(const WavFile::Sound &sound)
{
    std::vector<float> mono(static_cast<std::size_t>(sound.FrameCount()));
    const int sampleBytes = sound.BytesPerSample();
    const char *at = sound.frames.constData();
    for (float &out : mono) {
        float sum = 0;
        for (int c = 0; c < sound.channelCount; ++c, at += sampleBytes)
            sum += Sample(at, sound.format);
        out = sum / static_cast<float>(sound.channelCount);
    }
    return mono;
}

QList<Heard> FindSounds(const std::vector<float> &samples, int rate)
{
    const qsizetype longestInnerQuiet = rate / 100;
    QList<Heard> sounds;
    for (qsizetype i = 0; i < std::ssize(samples); ++i) {
        const float level = std::abs(samples[static_cast<std::size_t>(i)]);
        if (level <= kAudible)
            continue;
        if (sounds.isEmpty() || i - sounds.last().end >= longestInnerQuiet)
            sounds.append({i, i + 1});
        sounds.last().end = i + 1;
    }
    return sounds;
}

std::optional<qsizetype> AttackNear(const std::vector<float> &samples, qsizetype around, int rate)
{
    const qsizetype reach = rate / 20, before = rate / 100, after = rate / 200;
    const qsizetype first = std::max(around - reach, before);
    const qsizetype last = std::min(around + reach, std::ssize(samples) - after);
    std::optional<qsizetype> best;
    double bestRise = 2.0;
    for (qsizetype at = first; at <= last; ++at) {
        const Heard earlier{at - before, at};
        const Heard later{at, at + after};
        const double rise = Peak(samples, later) / std::max(Peak(samples, earlier), kAudible);
        if (rise > bestRise) {
            bestRise = rise;
            best = at;
        }
    }
    return best;
}

double ForeignShare(const std::vector<float> &samples, qsizetype onset, int rate, const std::vector<float> &file,
                    qsizetype fileOnset, int fileRate)
{
    const std::vector<double> heard = Spectrum(samples, onset, rate);
    const std::vector<double> own = Spectrum(file, fileOnset, fileRate);
    double foreign = 0;
    for (std::size_t i = 0; i < heard.size(); ++i)
        foreign += std::max(0.0, heard[i] - own[i]);
    return foreign;
}

double Peak(const std::vector<float> &samples, const Heard &sound)
{
    float peak = 0;
    for (qsizetype i = sound.onset; i < sound.end; ++i)
        peak = std::max(peak, std::abs(samples[static_cast<std::size_t>(i)]));
    return peak;
}

double StartPitch(const std::vector<float> &samples, qsizetype onset, int rate)
{
    const std::vector<double> window = StartWindow(samples, onset, rate);
    if (window.size() < 2)
        return 0;
    double best = 0, bestPower = -1;
    for (double frequency = kLowestHz; frequency <= kHighestHz; frequency += 1) {
        const double power = PowerAt(window, frequency, rate);
        if (power > bestPower) {
            bestPower = power;
            best = frequency;
        }
    }
    return best;
}

}  // namespace SoundAnalysis
