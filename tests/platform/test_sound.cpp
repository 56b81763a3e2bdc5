#include "platform/errors.h"
#include "platform/sound.h"
#include "support/fixture.h"
#include "support/somgravado.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QProcess>
#include <QThread>
#include <QtMath>
#include <csignal>
#include <functional>
#include <memory>

using recordedsound::Kind;
using recordedsound::Request;

namespace {

const QString kNoDevice = QStringLiteral("No MCI device open");

// The message of the AppError the action throws; empty if it throws none.
QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.message();
    }
    return {};
}

// How a WAV file stores its samples.
struct WavFormat {
    quint16 tag;  // 1: integer PCM, 3: IEEE float
    quint16 bits;
    quint16 channels;
    quint32 rate;
};

constexpr WavFormat kMono16{1, 16, 1, 22050};

// A WAV file holding a 440 Hz sine at a quarter of full scale.
QByteArray sineWav(int milliseconds, WavFormat format = kMono16)
{
    const quint32 frames = format.rate * milliseconds / 1000;
    const quint16 frameBytes = format.channels * format.bits / 8;
    const quint32 dataBytes = frames * frameBytes;

    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << format.tag << format.channels << format.rate
        << quint32(format.rate * frameBytes) << frameBytes << format.bits;
    out.writeRawData("data", 4);
    out << dataBytes;
    for (quint32 i = 0; i < frames; ++i) {
        const double value = 0.25 * qSin(2 * M_PI * 440 * i / format.rate);
        for (int c = 0; c < format.channels; ++c) {
            if (format.tag == 3) {
                const float sample = float(value);
                out.writeRawData(reinterpret_cast<const char*>(&sample), 4);
            } else if (format.bits == 8) {
                out << quint8(128 + qRound(127 * value));
            } else {
                // the top bytes of a 32-bit sample, lowest first
                const qint32 sample = qRound(2147483647.0 * value);
                for (int byte = 4 - format.bits / 8; byte < 4; ++byte)
                    out << quint8(sample >> (8 * byte));
            }
        }
    }
    return wav;
}

// Waits, within a bound, until the player's sound has ended by itself.
bool endsByItself(const MediaPlayer& player)
{
    for (int i = 0; i < 1000 && player.isPlaying(); ++i)
        QThread::msleep(10);
    return !player.isPlaying();
}

void writeNote(const QString& name, int milliseconds)
{
    QDir().mkpath(QStringLiteral("notas"));
    writeFile(name, sineWav(milliseconds));
}

// The player's own rules over a sound service that records what it is asked.
class RecordedSound : public InTempDir {
protected:
    recordedsound::Player player;
};

TEST_F(RecordedSound, RequestsGoOutInOrderAndOpenClosesTheOpenSoundFirst)
{
    player.FileName = QStringLiteral("notas/do5.wav");
    player.Open();
    player.Play();
    EXPECT_TRUE(player.isPlaying());

    player.FileName = QStringLiteral("notas/re5.wav");
    player.Stop();
    EXPECT_FALSE(player.isPlaying());
    player.Open();
    player.Play();
    player.Close();
    EXPECT_FALSE(player.isPlaying());

    const std::vector<Request> expected = {
        {Kind::Open, "notas/do5.wav"}, {Kind::Play, ""}, {Kind::Stop, ""},
        {Kind::Close, ""}, {Kind::Open, "notas/re5.wav"}, {Kind::Play, ""},
        {Kind::Close, ""},
    };
    EXPECT_EQ(recordedsound::requests(), expected);
    EXPECT_EQ(errorOf([&] { player.Play(); }), kNoDevice) << "closed";
}

TEST_F(RecordedSound, PlayAndStopWithNoSoundOpenFailAndAskNothing)
{
    player.FileName = QStringLiteral("notas/do5.wav");
    EXPECT_EQ(errorOf([&] { player.Stop(); }), kNoDevice);
    EXPECT_EQ(errorOf([&] { player.Play(); }), kNoDevice);
    player.Close();  // nothing open: nothing to ask
    EXPECT_TRUE(recordedsound::requests().empty());

    player.Open();
    player.Close();
    recordedsound::clear();
    EXPECT_EQ(errorOf([&] { player.Play(); }), kNoDevice);
    EXPECT_EQ(errorOf([&] { player.Stop(); }), kNoDevice);
    EXPECT_TRUE(recordedsound::requests().empty());
}

TEST_F(RecordedSound, FailingOpenLeavesThePlayerClosedWithItsFileName)
{
    player.FileName = QStringLiteral("notas/do5.wav");
    player.Open();

    const QString missing = QStringLiteral("Couldn't open notas/la5.wav");
    recordedsound::failNext(Kind::Open, missing);
    player.FileName = QStringLiteral("notas/la5.wav");
    EXPECT_EQ(errorOf([&] { player.Open(); }), missing);
    EXPECT_EQ(player.FileName, QStringLiteral("notas/la5.wav"));
    EXPECT_EQ(errorOf([&] { player.Stop(); }), kNoDevice);

    const std::vector<Request> expected = {
        {Kind::Open, "notas/do5.wav"}, {Kind::Close, ""}, {Kind::Open, "notas/la5.wav"}};
    EXPECT_EQ(recordedsound::requests(), expected);

    // the failure was for one request only
    EXPECT_EQ(errorOf([&] { player.Open(); }), QString());
    EXPECT_EQ(errorOf([&] { player.Stop(); }), QString());
}

TEST_F(RecordedSound, FailuresOfPlayStopAndCloseThrowNothing)
{
    player.FileName = QStringLiteral("notas/do5.wav");
    player.Open();

    recordedsound::failNext(Kind::Play, QStringLiteral("play failed"));
    EXPECT_EQ(errorOf([&] { player.Play(); }), QString());
    EXPECT_FALSE(player.isPlaying());

    player.Play();
    recordedsound::failNext(Kind::Stop, QStringLiteral("stop failed"));
    EXPECT_EQ(errorOf([&] { player.Stop(); }), QString());
    EXPECT_TRUE(player.isPlaying());

    recordedsound::failNext(Kind::Close, QStringLiteral("close failed"));
    EXPECT_EQ(errorOf([&] { player.Close(); }), QString());
    EXPECT_TRUE(player.isPlaying()) << "the sound stays open";

    // the sound the failed close left open is still closed before the next open
    recordedsound::clear();
    recordedsound::failNext(Kind::Close, QStringLiteral("close failed"));
    recordedsound::failNext(Kind::Open, QStringLiteral("open failed"));
    EXPECT_EQ(errorOf([&] { player.Open(); }), QStringLiteral("open failed"));
    EXPECT_EQ(errorOf([&] { player.Play(); }), QString()) << "still open";
    const std::vector<Request> expected = {
        {Kind::Close, ""}, {Kind::Open, "notas/do5.wav"}, {Kind::Play, ""}};
    EXPECT_EQ(recordedsound::requests(), expected);
}

TEST_F(RecordedSound, WithoutADeviceThePlayerTurnsSilentAndAsksTheServiceNothing)
{
    recordedsound::withoutDevice();
    EXPECT_EQ(errorOf([&] { player.Stop(); }), kNoDevice);
    for (const char* note : {"notas/do5.wav", "notas/re5.wav"}) {
        player.FileName = QString::fromLatin1(note);
        EXPECT_EQ(errorOf([&] {
                      player.Open();
                      player.Play();
                      player.Stop();
                      player.Close();
                  }),
                  QString());
        EXPECT_TRUE(player.isSilent());
        EXPECT_FALSE(player.isPlaying());
    }
    EXPECT_TRUE(recordedsound::requests().empty());
    EXPECT_EQ(errorOf([&] { player.Play(); }), kNoDevice) << "closed";
}

// The players the program makes are the tests' own once they ask for them.
TEST_F(RecordedSound, TheProgramsPlayersComeFromTheFactory)
{
    recordedsound::install();
    const std::unique_ptr<MediaPlayer> made = newMediaPlayer();
    made->FileName = QStringLiteral("notas/mi5.wav");
    made->Open();
    EXPECT_EQ(recordedsound::requests(), (std::vector<Request>{{Kind::Open, "notas/mi5.wav"}}));
    recordedsound::uninstall();
}

// The machine's own players, as the program makes them; the tests run with
// SDL's dummy audio driver.
using RealSound = InTempDir;

TEST_F(RealSound, PlayReturnsWhileTheSoundGoesOnAndStopHaltsIt)
{
    writeNote(QStringLiteral("notas/do5.wav"), 3000);
    writeNote(QStringLiteral("notas/re5.wav"), 5);

    const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
    player->FileName = QStringLiteral("notas/do5.wav");
    player->Open();
    EXPECT_FALSE(player->isPlaying());

    player->Play();
    EXPECT_TRUE(player->isPlaying());  // Play did not wait for the 3 s sound to end
    player->Stop();
    EXPECT_FALSE(player->isPlaying());
    player->Play();
    EXPECT_TRUE(player->isPlaying());

    player->FileName = QStringLiteral("notas/re5.wav");
    player->Open();  // cuts off the sound still playing
    EXPECT_FALSE(player->isPlaying());
    player->Play();

    player->Close();
    EXPECT_EQ(errorOf([&] { player->Play(); }), kNoDevice);
}

// The notes share one voice: the last play is the one that sounds.
TEST_F(RealSound, APlayOfAnotherPlayerCutsThisOneWhichCanNoLongerStopIt)
{
    writeNote(QStringLiteral("notas/do5.wav"), 3000);
    writeNote(QStringLiteral("notas/re5.wav"), 3000);
    const std::unique_ptr<MediaPlayer> first = newMediaPlayer();
    const std::unique_ptr<MediaPlayer> second = newMediaPlayer();
    first->FileName = QStringLiteral("notas/do5.wav");
    second->FileName = QStringLiteral("notas/re5.wav");
    first->Open();
    first->Play();
    second->Open();
    EXPECT_TRUE(first->isPlaying());  // opening cuts nothing
    EXPECT_FALSE(second->isPlaying());

    second->Play();
    EXPECT_FALSE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    first->Stop();
    first->Close();
    EXPECT_TRUE(second->isPlaying());

    {
        const std::unique_ptr<MediaPlayer> gone = newMediaPlayer();
        gone->FileName = QStringLiteral("notas/do5.wav");
        gone->Open();
        gone->Play();
        EXPECT_FALSE(second->isPlaying());
    }  // freed while it plays

    second->Play();  // the voice is free again
    EXPECT_TRUE(second->isPlaying());
    second->Stop();
    EXPECT_FALSE(second->isPlaying());
}

TEST_F(RealSound, WavInAnotherSampleFormatPlaysToItsEnd)
{
    const struct {
        const char* what;
        WavFormat format;
    } cases[] = {
        {"8-bit mono 22050 Hz", {1, 8, 1, 22050}},
        {"16-bit mono 11025 Hz", {1, 16, 1, 11025}},
        {"16-bit stereo 44100 Hz", {1, 16, 2, 44100}},
        {"24-bit mono 48000 Hz", {1, 24, 1, 48000}},
        {"32-bit float stereo 48000 Hz", {3, 32, 2, 48000}},
    };
    QDir().mkpath(QStringLiteral("notas"));
    for (const auto& c : cases) {
        writeFile(QStringLiteral("notas/sol5.wav"), sineWav(200, c.format));
        const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
        player->FileName = QStringLiteral("notas/sol5.wav");
        const QString error = errorOf([&] { player->Open(); });
        EXPECT_EQ(error, QString()) << c.what;
        if (!error.isEmpty())
            continue;
        player->Play();
        EXPECT_TRUE(player->isPlaying()) << c.what;
        EXPECT_TRUE(endsByItself(*player)) << c.what;
        player->Play();  // an ended sound plays again from its start
        EXPECT_TRUE(player->isPlaying()) << c.what;
    }
}

TEST_F(RealSound, MissingFileFailsWithTheServiceTextNamingIt)
{
    writeNote(QStringLiteral("notas/do5.wav"), 5);
    const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
    player->FileName = QStringLiteral("notas/do5.wav");
    player->Open();
    player->Play();

    player->FileName = QStringLiteral("notas/la5.wav");
    EXPECT_EQ(errorOf([&] { player->Open(); }), QStringLiteral("Couldn't open notas/la5.wav"));
    EXPECT_EQ(errorOf([&] { player->Stop(); }), kNoDevice);
}

TEST_F(RealSound, FileThatIsNoWavSoundFails)
{
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"text", "not a sound at all, just some text\n"},
        {"empty file", ""},
        {"header only", sineWav(5).left(20)},
    };
    QDir().mkpath(QStringLiteral("notas"));
    for (const auto& c : cases) {
        writeFile(QStringLiteral("notas/mi5.wav"), c.bytes);
        const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
        player->FileName = QStringLiteral("notas/mi5.wav");
        const QString error = errorOf([&] { player->Open(); });
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(errorOf([&] { player->Stop(); }), kNoDevice) << c.what;
    }
}

TEST_F(RealSound, OpeningTheAudioDeviceLeavesCtrlCAndTermToTheProgram)
{
    writeNote(QStringLiteral("notas/do5.wav"), 5);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
    player->FileName = QStringLiteral("notas/do5.wav");
    player->Open();
    EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL);
    EXPECT_EQ(std::signal(SIGTERM, SIG_DFL), SIG_DFL);
}

// The audio device is opened once per process, so a machine without one is
// shown in a child run of this test with an audio driver that does not exist.
TEST_F(RealSound, WithoutAudioDeviceThePlayerTurnsSilentAndEveryRequestSucceeds)
{
    const QByteArray missingDriver = "no-such-audio-driver";
    if (qgetenv("SDL_AUDIODRIVER") == missingDriver) {
        writeNote(QStringLiteral("notas/do5.wav"), 5);
        const std::unique_ptr<MediaPlayer> player = newMediaPlayer();
        player->FileName = QStringLiteral("notas/do5.wav");
        EXPECT_EQ(errorOf([&] { player->Stop(); }), kNoDevice);
        for (int note = 1; note <= 2; ++note) {
            EXPECT_EQ(errorOf([&] {
                          player->Open();
                          player->Play();
                          player->Stop();
                      }),
                      QString());
            EXPECT_TRUE(player->isSilent());
            EXPECT_FALSE(player->isPlaying());
        }
        return;
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QString::fromLatin1(missingDriver));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RealSound.WithoutAudioDeviceThePlayerTurnsSilentAndEveryRequestSucceeds")});
    ASSERT_TRUE(child.waitForFinished(60'000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

}  // namespace
