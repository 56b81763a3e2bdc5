#pragma once
// Note sounds in the tests: players that play nothing. Every request they
// make of the sound service is recorded, in order, across all of them; a test
// queues failures and can take the sound device away.

#include "platform/sound.h"

#include <QString>
#include <ostream>
#include <vector>

namespace recordedsound {

enum class Kind { Open, Play, Stop, Close };

struct Request {
    Kind kind;
    QString argument;  // the file name of an open; empty for the others
    bool operator==(const Request&) const = default;
};

// readable requests in failure messages
inline void PrintTo(const Request& r, std::ostream* os)
{
    static const char* const names[] = {"Open", "Play", "Stop", "Close"};
    *os << names[static_cast<int>(r.kind)] << '(' << r.argument.toStdString() << ')';
}

// A request that fails makes the player behave as after a failure of the
// service: a failing open throws its text, a failing play does not play, a
// failing stop does not stop and a failing close leaves the sound open.
class Player : public MediaPlayer {
private:
    bool hasDevice() override;
    void openSound(const QString& fileName) override;
    void playSound() override;
    void stopSound() override;
    bool closeSound() override;
    bool soundPlays() const override { return playing_; }

    bool playing_ = false;
};

// From now on every player the program makes is a recording one; uninstall
// brings the real ones back and forgets what was recorded and queued.
void install();
void uninstall();

const std::vector<Request>& requests();

// The next request of this kind fails with the message.
void failNext(Kind kind, const QString& message);

// The machine has no sound device to give: opens turn the players silent.
void withoutDevice();

// Forgets the recorded requests, the queued failures and the missing device.
void clear();

}  // namespace recordedsound
