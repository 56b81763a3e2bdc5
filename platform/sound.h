#pragma once
// The media player that plays the note sounds: a stand-in for the media
// control interface. The program's players play through SDL2's own audio;
// the tests make players of their own (soundseam::setFactory).
//
// open  waits; it first closes the open sound, then loads FileName (relative
//       to the current directory). A failure throws AppError with the sound
//       service's own text, and the player stays as the close left it. On a
//       machine whose sound device cannot be opened the player turns silent:
//       this open and every later request succeed without asking the service.
// play  starts the open sound from its start and returns at once; the sound
//       goes on by itself, cutting off the one still playing.
// stop  waits until the sound is halted.
// close waits until the sound is freed.
// Play and stop with no sound open throw "No MCI device open" and ask the
// service nothing. Failures of play, stop and close throw nothing; a failed
// close leaves the player open.

#include <QString>
#include <functional>
#include <memory>

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // The file the next open takes, relative to the current directory.
    // The player never changes it, not even when its open fails.
    QString FileName;

    void Open();
    void Play();
    void Stop();
    void Close();
    // The sound device could not be opened: the notes make no sound.
    bool isSilent() const { return silent_; }
    // Whether the open sound is being played right now.
    bool isPlaying() const;

protected:
    MediaPlayer() = default;

    // The sound service's side of the requests, asked only while the player
    // is not silent. Whether the machine gives a sound device; asked at every
    // open until it says no.
    virtual bool hasDevice() = 0;
    // Loads the file; a failure throws AppError with the service's text.
    virtual void openSound(const QString& fileName) = 0;
    // A failing play or stop is the service's alone: the player goes on.
    virtual void playSound() = 0;
    virtual void stopSound() = 0;
    // False when the sound could not be closed and stays open.
    virtual bool closeSound() = 0;
    virtual bool soundPlays() const = 0;

private:
    void requireOpen() const;

    bool open_ = false;
    bool silent_ = false;
};

// A player of the note sounds: SDL2's, unless a factory is set.
std::unique_ptr<MediaPlayer> newMediaPlayer();

namespace soundseam {

// While set, newMediaPlayer makes its players with the factory; an empty one
// brings SDL2's players back.
void setFactory(std::function<std::unique_ptr<MediaPlayer>()> factory);

}  // namespace soundseam
