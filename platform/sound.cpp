#include "sound.h"

#include "errors.h"

#include <QFile>
#include <SDL.h>
#include <dlfcn.h>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A small device buffer keeps the time from key to sound short: 256 frames
// at 44100 Hz are under 6 ms per buffer.
constexpr int kFrequency = 44100;
constexpr Uint8 kChannels = 2;
constexpr Uint16 kBufferFrames = 256;

// SDL2 is loaded with the first note that is played, not with the program:
// the sound library and what it brings cost nothing at start-up when no note
// is played.
struct Sdl {
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_RWFromFile) RWFromFile;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

template <class Funcao>
void resolve(void* biblioteca, Funcao& funcao, const char* nome)
{
    funcao = reinterpret_cast<Funcao>(dlsym(biblioteca, nome));
    if (!funcao)
        throw AppError(QString::fromLocal8Bit(dlerror()));
}

// The library's functions; the first call loads it. A library that cannot be
// loaded fails the open that asked for it, with the loader's own text.
const Sdl& sdl()
{
    static std::optional<Sdl> carregada;
    if (carregada)
        return *carregada;
    void* biblioteca = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!biblioteca)
        throw AppError(QString::fromLocal8Bit(dlerror()));
    Sdl funcoes{};
    resolve(biblioteca, funcoes.GetError, "SDL_GetError");
    resolve(biblioteca, funcoes.CloseAudioDevice, "SDL_CloseAudioDevice");
    resolve(biblioteca, funcoes.QuitSubSystem, "SDL_QuitSubSystem");
    resolve(biblioteca, funcoes.SetHint, "SDL_SetHint");
    resolve(biblioteca, funcoes.InitSubSystem, "SDL_InitSubSystem");
    resolve(biblioteca, funcoes.OpenAudioDevice, "SDL_OpenAudioDevice");
    resolve(biblioteca, funcoes.PauseAudioDevice, "SDL_PauseAudioDevice");
    resolve(biblioteca, funcoes.LockAudioDevice, "SDL_LockAudioDevice");
    resolve(biblioteca, funcoes.UnlockAudioDevice, "SDL_UnlockAudioDevice");
    resolve(biblioteca, funcoes.RWFromFile, "SDL_RWFromFile");
    resolve(biblioteca, funcoes.LoadWAV_RW, "SDL_LoadWAV_RW");
    resolve(biblioteca, funcoes.FreeWAV, "SDL_FreeWAV");
    resolve(biblioteca, funcoes.BuildAudioCVT, "SDL_BuildAudioCVT");
    resolve(biblioteca, funcoes.ConvertAudio, "SDL_ConvertAudio");
    carregada = funcoes;
    return *carregada;
}

QString sdlError()
{
    return QString::fromUtf8(sdl().GetError());
}

// A loaded sound, already in the device's format, so playing it is a copy.
using Sound = std::vector<Uint8>;

// The one voice of the device: the notes never sound together, a new play
// replaces whatever is playing. The audio thread reads it under the device
// lock; every other access takes that lock too.
struct Voice {
    const Sound* sound = nullptr;  // null when silent
    size_t position = 0;           // bytes of the sound already handed out
    int play = -1;                 // which play this is, to tell its owner
};

// The audio device, opened on the first open request and kept until the
// program ends. A failed opening is tried again by the next player.
class AudioDevice {
public:
    ~AudioDevice()
    {
        if (id_ == 0)
            return;
        sdl().CloseAudioDevice(id_);
        sdl().QuitSubSystem(SDL_INIT_AUDIO);
        id_ = 0;
    }

    const SDL_AudioSpec& format() const { return format_; }

    // False when the machine has no sound device to give (none, or busy).
    bool ensureOpen()
    {
        if (id_ != 0)
            return true;
        // SDL would otherwise take over SIGINT and SIGTERM from the program
        sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (sdl().InitSubSystem(SDL_INIT_AUDIO) < 0)
            return false;

        SDL_AudioSpec wanted{};
        wanted.freq = kFrequency;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kChannels;
        wanted.samples = kBufferFrames;
        wanted.callback = fillBuffer;
        wanted.userdata = this;
        // the sounds are converted to whatever the device takes, but the
        // buffer stays small
        const int changes = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_FORMAT_CHANGE
                            | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;
        const SDL_AudioDeviceID id = sdl().OpenAudioDevice(nullptr, 0, &wanted, &format_, changes);
        if (id == 0) {
            sdl().QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        id_ = id;
        // silence until the first play, so a play starts within one buffer
        sdl().PauseAudioDevice(id_, 0);
        return true;
    }

    // Starts the sound from its start on the voice; returns the play's number.
    int play(const Sound* sound)
    {
        const Lock lock(id_);
        lastPlay_ = lastPlay_ == std::numeric_limits<int>::max() ? 0 : lastPlay_ + 1;
        voice_ = {sound, 0, lastPlay_};
        return lastPlay_;
    }

    // Whether the voice still sounds that play.
    bool sounds(int play) const
    {
        if (play < 0)
            return false;
        const Lock lock(id_);
        return voice_.sound && voice_.play == play;
    }

    // Silences the voice if it still sounds that play. Once this returns, the
    // audio thread no longer reads the play's sound.
    void halt(int play)
    {
        if (play < 0)
            return;
        const Lock lock(id_);
        if (voice_.play == play)
            voice_.sound = nullptr;
    }

private:
    // Runs on the audio thread with the device locked.
    static void SDLCALL fillBuffer(void* userdata, Uint8* buffer, int length)
    {
        AudioDevice& device = *static_cast<AudioDevice*>(userdata);
        Voice& voice = device.voice_;
        size_t copied = 0;
        if (voice.sound) {
            copied = std::min(size_t(length), voice.sound->size() - voice.position);
            std::memcpy(buffer, voice.sound->data() + voice.position, copied);
            voice.position += copied;
            if (voice.position == voice.sound->size())
                voice.sound = nullptr;
        }
        std::memset(buffer + copied, device.format_.silence, size_t(length) - copied);
    }

    class Lock {
    public:
        explicit Lock(SDL_AudioDeviceID id) : id_(id) { sdl().LockAudioDevice(id_); }
        ~Lock() { sdl().UnlockAudioDevice(id_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        SDL_AudioDeviceID id_;
    };

    SDL_AudioDeviceID id_ = 0;
    SDL_AudioSpec format_{};
    Voice voice_;
    int lastPlay_ = -1;
};

AudioDevice& audioDevice()
{
    static AudioDevice device;
    return device;
}

// Loads a WAV file whole and converts it to the device's format. Opening the
// file first gives SDL's text that names it ("Couldn't open notas/la5.wav")
// when it cannot be read.
std::unique_ptr<Sound> loadWav(const QString& fileName, const SDL_AudioSpec& device)
{
    SDL_RWops* file = sdl().RWFromFile(QFile::encodeName(fileName).constData(), "rb");
    if (!file)
        throw AppError(sdlError());
    SDL_AudioSpec format{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!sdl().LoadWAV_RW(file, 1, &format, &data, &length))
        throw AppError(sdlError());
    const std::unique_ptr<Uint8, decltype(Sdl::FreeWAV)> wav(data, sdl().FreeWAV);

    SDL_AudioCVT cvt;
    if (sdl().BuildAudioCVT(&cvt, format.format, format.channels, format.freq, device.format,
                          device.channels, device.freq) < 0)
        throw AppError(sdlError());

    // the conversion works in place and may need more room than the result
    auto sound = std::make_unique<Sound>(size_t(length) * size_t(std::max(cvt.len_mult, 1)));
    if (length > 0)
        std::memcpy(sound->data(), data, length);
    if (cvt.needed && length > 0) {
        cvt.buf = sound->data();
        cvt.len = int(length);
        if (sdl().ConvertAudio(&cvt) < 0)
            throw AppError(sdlError());
        length = Uint32(cvt.len_cvt);
    }
    // whole frames only, so a play never leaves the device mid-frame
    const size_t frameBytes = SDL_AUDIO_BITSIZE(device.format) / 8 * device.channels;
    sound->resize(length - length % frameBytes);
    sound->shrink_to_fit();
    return sound;
}

// The player of the machine's own sound.
class SdlPlayer : public MediaPlayer {
public:
    ~SdlPlayer() override { freeSound(); }  // no close request

private:
    bool hasDevice() override { return audioDevice().ensureOpen(); }

    void openSound(const QString& fileName) override
    {
        sound_ = loadWav(fileName, audioDevice().format());
    }

    // from the start, cutting off the sound still playing
    void playSound() override { play_ = audioDevice().play(sound_.get()); }

    void stopSound() override { audioDevice().halt(play_); }

    bool closeSound() override
    {
        freeSound();
        return true;
    }

    bool soundPlays() const override { return audioDevice().sounds(play_); }

    // Silences this player's play if it still sounds, then frees its sound.
    void freeSound()
    {
        if (sound_)
            audioDevice().halt(play_);
        sound_.reset();
        play_ = -1;
    }

    std::unique_ptr<Sound> sound_;  // the loaded sound
    int play_ = -1;                 // the number of the last play, to tell it on the voice
};

std::function<std::unique_ptr<MediaPlayer>()>& factory()
{
    static std::function<std::unique_ptr<MediaPlayer>()> makes;
    return makes;
}

}  // namespace

void MediaPlayer::requireOpen() const
{
    if (!open_)
        throw AppError(QStringLiteral("No MCI device open"));
}

void MediaPlayer::Open()
{
    if (open_)
        Close();
    // a player turned silent stays so: the device is not asked again at every note
    silent_ = silent_ || !hasDevice();
    if (!silent_)
        openSound(FileName);
    open_ = true;
}

void MediaPlayer::Play()
{
    requireOpen();
    if (!silent_)
        playSound();
}

void MediaPlayer::Stop()
{
    requireOpen();
    if (!silent_)
        stopSound();
}

void MediaPlayer::Close()
{
    if (!open_)
        return;
    if (silent_ || closeSound())
        open_ = false;
}

bool MediaPlayer::isPlaying() const
{
    return open_ && !silent_ && soundPlays();
}

std::unique_ptr<MediaPlayer> newMediaPlayer()
{
    if (factory())
        return factory()();
    return std::make_unique<SdlPlayer>();
}

namespace soundseam {

void setFactory(std::function<std::unique_ptr<MediaPlayer>()> makes)
{
    factory() = std::move(makes);
}

}  // namespace soundseam
