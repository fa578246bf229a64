// Writes the five sound cues of the installation as 16-bit PCM mono WAV
// files: short, distinct and soft enough for a child's ears.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Note {
    double startSeconds;
    double lengthSeconds;
    double frequency;
    double loudness;   // 0..1
    double decay;      // per second, exponential
};

std::vector<double> Mix(const std::vector<Note> &notes, double seconds)
{
    std::vector<double> out(static_cast<std::size_t>(seconds * kRate), 0.0);
    for (const Note &n : notes) {
        const auto first = static_cast<std::size_t>(n.startSeconds * kRate);
        const auto count = static_cast<std::size_t>(n.lengthSeconds * kRate);
        for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double attack = std::min(1.0, t / 0.006);   // no click at the start
            const double release = std::min(1.0, (n.lengthSeconds - t) / 0.02);
            const double envelope = attack * release * std::exp(-n.decay * t);
            const double phase = 2.0 * std::numbers::pi * n.frequency * t;
            // A bell-like tone: the fundamental with a quieter octave.
            const double tone = std::sin(phase) + 0.3 * std::sin(2.0 * phase) * std::exp(-6.0 * t);
            out[first + i] += n.loudness * envelope * tone;
        }
    }
    return out;
}

void PutLittleEndian(std::string &bytes, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::string &path, const std::vector<double> &samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);        // format chunk size
    PutLittleEndian(bytes, 1, 2);         // PCM
    PutLittleEndian(bytes, 1, 2);         // mono
    PutLittleEndian(bytes, kRate, 4);
    PutLittleEndian(bytes, kRate * 2, 4); // bytes per second
    PutLittleEndian(bytes, 2, 2);         // block align
    PutLittleEndian(bytes, 16, 2);        // bits per sample
    bytes += "data";
    PutLittleEndian(bytes, dataBytes, 4);
    for (double s : samples) {
        const double clipped = std::max(-1.0, std::min(1.0, s));
        PutLittleEndian(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 32767.0)), 2);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cues FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";

    // C major: C5 523.25, E5 659.25, G5 783.99, C6 1046.5, E6 1318.5.
    const struct {
        const char *name;
        double seconds;
        std::vector<Note> notes;
    } cues[] = {
        // A module opens: one soft ping.
        {"tishi.WAV", 0.45, {{0.0, 0.45, 783.99, 0.45, 7.0}}},
        // The competition: a rising three-note call.
        {"jingsai.wav", 0.75,
         {{0.0, 0.25, 523.25, 0.4, 5.0}, {0.18, 0.25, 659.25, 0.4, 5.0}, {0.36, 0.39, 783.99, 0.45, 4.0}}},
        // Right: a bright two-note chime going up.
        {"dui.wav", 0.5, {{0.0, 0.3, 1046.5, 0.35, 6.0}, {0.09, 0.41, 1318.5, 0.35, 6.0}}},
        // Wrong: a soft low tone, falling a little.
        {"cuo.wav", 0.45, {{0.0, 0.2, 220.0, 0.45, 4.0}, {0.15, 0.3, 196.0, 0.45, 5.0}}},
        // The exam room: a calm two-tone bell.
        {"kaoshi.WAV", 0.8, {{0.0, 0.8, 659.25, 0.35, 3.5}, {0.0, 0.8, 987.77, 0.2, 4.5}}},
    };
    for (const auto &cue : cues) {
        if (!WriteWav(folder + cue.name, Mix(cue.notes, cue.seconds))) {
            std::fprintf(stderr, "make_cues: cannot write %s%s\n", folder.c_str(), cue.name);
            return 1;
        }
    }
    return 0;
}
