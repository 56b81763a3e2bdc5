// Writes the seven note sounds of the musical keyboard, C5 to B5 of equal
// temperament with A5 = 880 Hz, as 16-bit mono WAV files at 44.1 kHz.
//   quiravo_gera_notas <folder>
// Each note is a few decaying harmonics under a short attack and a soft end,
// so that it sounds like a keyboard and starts and ends without a click.

#include <sndfile.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kDuration = 0.6;     // seconds
constexpr double kAttack = 0.006;     // seconds
constexpr double kRelease = 0.04;     // seconds, the fade at the end
constexpr double kPeak = 0.8;         // of full scale
constexpr double kLa5 = 880.0;        // Hz

struct Note {
    const char* file;
    int semitonesFromLa5;
};

constexpr std::array<Note, 7> kNotes = {{
    {"do5.wav", -9},
    {"re5.wav", -7},
    {"mi5.wav", -5},
    {"fa5.wav", -4},
    {"sol5.wav", -2},
    {"la5.wav", 0},
    {"si5.wav", 2},
}};

struct Harmonic {
    int multiple;
    double amplitude;
    double decay;  // seconds for the amplitude to fall to 1/e
};

// The higher harmonics fade sooner, as on a struck string.
constexpr std::array<Harmonic, 4> kHarmonics = {{
    {1, 1.0, 0.25},
    {2, 0.4, 0.12},
    {3, 0.2, 0.08},
    {4, 0.08, 0.05},
}};

// Rises from 0 to 1 along half a cosine over the given length.
double smoothStep(double t, double length)
{
    if (t >= length)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

std::vector<double> synthesise(double frequency)
{
    const int frames = int(std::lround(kDuration * kSampleRate));
    std::vector<double> wave(size_t(frames), 0.0);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / kSampleRate;
        double value = 0.0;
        for (const Harmonic& h : kHarmonics)
            value += h.amplitude * std::exp(-t / h.decay) *
                     std::sin(2.0 * std::numbers::pi * frequency * h.multiple * t);
        const double untilEnd = double(frames - 1 - i) / kSampleRate;
        wave[size_t(i)] = value * smoothStep(t, kAttack) * smoothStep(untilEnd, kRelease);
    }
    return wave;
}

std::vector<short> toPcm16(const std::vector<double>& wave)
{
    double peak = 0.0;
    for (double v : wave)
        peak = std::max(peak, std::abs(v));
    std::vector<short> pcm(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        pcm[i] = short(std::lround(wave[i] / peak * kPeak * 32767.0));
    return pcm;
}

bool writeWav(const std::filesystem::path& path, const std::vector<short>& pcm)
{
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const sf_count_t written = sf_write_short(file, pcm.data(), sf_count_t(pcm.size()));
    const bool ok = written == sf_count_t(pcm.size());
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", path.c_str(), sf_strerror(file));
    return sf_close(file) == 0 && ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s <pasta das notas>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    for (const Note& note : kNotes) {
        const double frequency = kLa5 * std::pow(2.0, note.semitonesFromLa5 / 12.0);
        if (!writeWav(folder / note.file, toPcm16(synthesise(frequency))))
            return 1;
    }
    return 0;
}
