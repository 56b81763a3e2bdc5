#pragma once
// The media player that plays the note sounds: a stand-in for the media
// control interface, played through SDL2's own audio.
//
// open  waits; it first closes the open sound, then loads FileName (relative
//       to the current directory). A failure throws AppError with the sound
//       service's own text, and the player is left closed. On a machine
//       whose sound device cannot be opened the player turns silent: this
//       open and every later request succeed without a sound.
// play  starts the open sound from its start and returns at once; the sound
//       goes on by itself, cutting off the one still playing.
// stop  waits until the sound is halted.
// close waits until the sound is freed.
// Play and stop with no sound open throw "No MCI device open" and ask the
// service nothing. Failures of play, stop and close throw nothing: their
// text is only kept in lastError(); a failed close leaves the player open.

#include <QString>
#include <vector>

class MediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer();  // frees the open sound without a close request
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // The file the next open takes, relative to the current directory.
    // The player never changes it, not even when its open fails.
    QString FileName;

    void Open();
    void Play();
    void Stop();
    void Close();
    bool isOpen() const { return open_; }
    // The sound device could not be opened: the notes make no sound.
    bool isSilent() const { return silent_; }
    // Whether the open sound is being played right now.
    bool isPlaying() const;
    // The text of the last failed request; empty after one that succeeded.
    const QString& lastError() const { return lastError_; }

private:
    void requireOpen() const;
    void finish(const QString& error);

    bool open_ = false;
    bool silent_ = false;
    bool playing_ = false;    // kept only for the recording seam
    void* chunk_ = nullptr;   // the loaded sound of the real service
    int channel_ = -1;        // the number of the last play, to tell it on the voice
    QString lastError_;
};

// Test seam: while installed, no request reaches the sound service; every
// request is recorded in order and succeeds unless a failure is queued.
// A recorded failing open throws and leaves the player closed (its close came
// first); a recorded failing close throws nothing and leaves the player open,
// so a following open keeps it open even if that open fails too.
namespace soundseam {

enum class Kind { Open, Play, Stop, Close };

struct Request {
    Kind kind;
    QString argument;  // the file name of an open; empty for the others
    bool operator==(const Request&) const = default;
};

void install();
void uninstall();
bool installed();

const std::vector<Request>& requests();

// The next request of this kind fails with the message.
void failNext(Kind kind, const QString& message);

// The machine has no sound device to give: opens turn the player silent.
void withoutDevice();

// Forgets the recorded requests, the queued failures and the missing device.
void clear();

}  // namespace soundseam
