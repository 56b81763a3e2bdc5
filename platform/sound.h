#pragma once
// The media player that plays the note sounds: a stand-in for the media
// control interface. open waits (and first closes the open sound), play
// returns at once while the sound goes on by itself, stop and close wait.
// Failures throw AppError with the sound service's own text; play and stop
// with no sound open throw "No MCI device open".

#include <QString>

class MediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // The file the next open takes, relative to the current directory.
    QString FileName;

    void Open();
    void Play();
    void Stop();
    void Close();
    bool isOpen() const { return open_; }

private:
    bool open_ = false;
    void* chunk_ = nullptr;  // the loaded sound of the real service
};
