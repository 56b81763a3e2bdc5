#include "sound.h"

#include "errors.h"

#include <QFile>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <utility>

using soundseam::Kind;
using soundseam::Request;

namespace {

// A small mixer buffer keeps the time from key to sound short: 256 frames
// at 44100 Hz are under 6 ms per buffer.
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 256;

struct Seam {
    bool installed = false;
    std::vector<Request> requests;
    std::vector<std::pair<Kind, QString>> failures;
};

Seam& seam()
{
    static Seam s;
    return s;
}

// Records the request; returns the queued failure text for it, empty if none.
QString recordRequest(Kind kind, const QString& argument = {})
{
    Seam& s = seam();
    s.requests.push_back({kind, argument});
    const auto failure = std::find_if(s.failures.begin(), s.failures.end(),
                                      [kind](const auto& f) { return f.first == kind; });
    if (failure == s.failures.end())
        return {};
    const QString message = failure->second;
    s.failures.erase(failure);
    return message;
}

QString sdlError()
{
    return QString::fromUtf8(SDL_GetError());
}

// The audio device, opened on the first open request and kept until the
// program ends. A failed opening is tried again on the next request.
class AudioDevice {
public:
    ~AudioDevice()
    {
        if (!open_)
            return;
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void ensureOpen()
    {
        if (open_)
            return;
        // SDL would otherwise take over SIGINT and SIGTERM from the program
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
            throw AppError(sdlError());
        if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kBufferFrames) < 0) {
            const QString message = sdlError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            throw AppError(message);
        }
        open_ = true;
    }

private:
    bool open_ = false;
};

AudioDevice& audioDevice()
{
    static AudioDevice device;
    return device;
}

// Loads a WAV file whole. Opening the file first gives SDL's text that names
// it ("Couldn't open notas/la5.wav") when it cannot be read.
Mix_Chunk* loadWav(const QString& fileName)
{
    SDL_RWops* file = SDL_RWFromFile(QFile::encodeName(fileName).constData(), "rb");
    if (!file)
        throw AppError(sdlError());
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (!chunk)
        throw AppError(sdlError());
    return chunk;
}

Mix_Chunk* asChunk(void* chunk)
{
    return static_cast<Mix_Chunk*>(chunk);
}

// Whether the channel still plays this player's sound (another sound may have
// taken the channel since this player's last play).
bool playsChunk(int channel, void* chunk)
{
    return channel >= 0 && Mix_Playing(channel) && Mix_GetChunk(channel) == asChunk(chunk);
}

void haltChannel(int channel, void* chunk)
{
    if (playsChunk(channel, chunk))
        Mix_HaltChannel(channel);
}

}  // namespace

MediaPlayer::MediaPlayer() = default;

MediaPlayer::~MediaPlayer()
{
    if (!chunk_)
        return;
    haltChannel(channel_, chunk_);
    Mix_FreeChunk(asChunk(chunk_));
}

void MediaPlayer::requireOpen() const
{
    if (!open_)
        throw AppError(QStringLiteral("No MCI device open"));
}

void MediaPlayer::Open()
{
    if (open_)
        Close();

    if (seam().installed) {
        lastError_ = recordRequest(Kind::Open, FileName);
        if (!lastError_.isEmpty())
            throw AppError(lastError_);
        open_ = true;
        return;
    }

    try {
        audioDevice().ensureOpen();
        chunk_ = loadWav(FileName);
    } catch (const AppError& error) {
        lastError_ = error.message();
        throw;
    }
    open_ = true;
    lastError_.clear();
}

void MediaPlayer::Play()
{
    requireOpen();

    if (seam().installed) {
        lastError_ = recordRequest(Kind::Play);
        playing_ = lastError_.isEmpty();
        return;
    }

    // from the start, cutting off the sound still playing
    haltChannel(channel_, chunk_);
    channel_ = Mix_PlayChannel(-1, asChunk(chunk_), 0);
    lastError_ = channel_ < 0 ? sdlError() : QString();
}

void MediaPlayer::Stop()
{
    requireOpen();

    if (seam().installed) {
        lastError_ = recordRequest(Kind::Stop);
        if (lastError_.isEmpty())
            playing_ = false;
        return;
    }

    haltChannel(channel_, chunk_);
    lastError_.clear();
}

void MediaPlayer::Close()
{
    if (!open_)
        return;

    if (seam().installed) {
        lastError_ = recordRequest(Kind::Close);
        if (lastError_.isEmpty()) {
            open_ = false;
            playing_ = false;
        }
        return;
    }

    haltChannel(channel_, chunk_);
    Mix_FreeChunk(asChunk(chunk_));
    chunk_ = nullptr;
    channel_ = -1;
    open_ = false;
    lastError_.clear();
}

bool MediaPlayer::isPlaying() const
{
    if (seam().installed)
        return playing_;
    return open_ && playsChunk(channel_, chunk_);
}

namespace soundseam {

void install() { seam().installed = true; }
void uninstall() { seam() = Seam{}; }
bool installed() { return seam().installed; }
const std::vector<Request>& requests() { return seam().requests; }

void failNext(Kind kind, const QString& message)
{
    seam().failures.emplace_back(kind, message);
}

void clear()
{
    seam().requests.clear();
    seam().failures.clear();
}

}  // namespace soundseam
