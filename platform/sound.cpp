#include "sound.h"

#include "errors.h"

// Placeholder until the sound service lands: every request fails.

MediaPlayer::MediaPlayer() = default;
MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::Open()
{
    throw AppError(QStringLiteral("No sound service"));
}

void MediaPlayer::Play()
{
    throw AppError(QStringLiteral("No MCI device open"));
}

void MediaPlayer::Stop()
{
    throw AppError(QStringLiteral("No MCI device open"));
}

void MediaPlayer::Close()
{
    open_ = false;
}
