// The seven note sounds that the build generated, read back with libsndfile:
// their format, their pitch and a start and end without a click.

#include <sndfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;

struct Note {
    const char* file;
    double frequency;  // equal temperament, A5 = 880 Hz
};

const Note kNotes[] = {
    {"do5.wav", 523.25}, {"re5.wav", 587.33}, {"mi5.wav", 659.26}, {"fa5.wav", 698.46},
    {"sol5.wav", 783.99}, {"la5.wav", 880.00}, {"si5.wav", 987.77},
};

void PrintTo(const Note& note, std::ostream* os)
{
    *os << note.file;
}

struct Sound {
    SF_INFO info{};
    std::vector<double> samples;  // -1 to 1
};

Sound readSound(const std::string& path)
{
    Sound sound;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sound.info);
    if (!file) {
        ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
        return sound;
    }
    sound.samples.resize(size_t(sound.info.frames * sound.info.channels));
    const sf_count_t read = sf_read_double(file, sound.samples.data(), sf_count_t(sound.samples.size()));
    sound.samples.resize(size_t(std::max<sf_count_t>(read, 0)));
    sf_close(file);
    return sound;
}

// The strength of one frequency over the whole sound (Goertzel).
double strength(const std::vector<double>& samples, double frequency)
{
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / kSampleRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (double x : samples) {
        const double current = x + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

// The strongest frequency between 100 Hz and 4 kHz, to the nearest hertz.
double strongestFrequency(const std::vector<double>& samples)
{
    double best = 0.0;
    double bestStrength = -1.0;
    for (double f = 100.0; f <= 4000.0; f += 1.0) {
        const double s = strength(samples, f);
        if (s > bestStrength) {
            bestStrength = s;
            best = f;
        }
    }
    return best;
}

double peakBetween(const std::vector<double>& samples, double from, double to)
{
    const auto first = samples.begin() + std::lround(from * kSampleRate);
    const auto last = samples.begin() + std::lround(to * kSampleRate);
    double peak = 0.0;
    for (auto it = first; it != last; ++it)
        peak = std::max(peak, std::abs(*it));
    return peak;
}

class GeneratedNote : public ::testing::TestWithParam<Note> {};

TEST_P(GeneratedNote, IsA16BitMonoWavAtThePitchOfItsNote)
{
    const Note& note = GetParam();
    const Sound sound = readSound(std::string(QUIRAVO_BUILD_DIR "/content/notas/") + note.file);
    ASSERT_FALSE(sound.samples.empty());

    EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(sound.info.channels, 1);
    EXPECT_EQ(sound.info.samplerate, kSampleRate);
    const double seconds = double(sound.info.frames) / kSampleRate;
    EXPECT_GE(seconds, 0.5);
    EXPECT_LE(seconds, 0.7);

    const double found = strongestFrequency(sound.samples);
    EXPECT_NEAR(found, note.frequency, note.frequency * 0.01) << note.file;
}

TEST_P(GeneratedNote, RisesQuicklyDecaysAndEndsWithoutAClick)
{
    const Sound sound = readSound(std::string(QUIRAVO_BUILD_DIR "/content/notas/") + GetParam().file);
    ASSERT_GT(sound.samples.size(), size_t(kSampleRate / 2));
    const std::vector<double>& s = sound.samples;
    const double seconds = double(s.size()) / kSampleRate;

    // silence at both ends: nothing jumps at the first or the last sample
    EXPECT_LT(std::abs(s.front()), 0.01);
    EXPECT_LT(std::abs(s.back()), 0.01);
    EXPECT_LT(peakBetween(s, seconds - 0.002, seconds), 0.02);

    // a short attack: loud within the first 20 ms
    const double loudest = peakBetween(s, 0.0, seconds);
    EXPECT_GT(loudest, 0.5);
    EXPECT_GT(peakBetween(s, 0.0, 0.02), 0.8 * loudest);

    // a decaying tail
    EXPECT_LT(peakBetween(s, 0.4, 0.5), 0.5 * loudest);
}

INSTANTIATE_TEST_SUITE_P(Notes, GeneratedNote, ::testing::ValuesIn(kNotes),
                         [](const ::testing::TestParamInfo<Note>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
