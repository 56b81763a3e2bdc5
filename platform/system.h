#pragma once
// Small operating-system services: blocking sleep, the default beep, the
// display width, letting pending user-interface events be handled, and the
// user's documents folder.
// Needs no window system: the beep, the display and the event loop are the
// window system's, lent by the program's application object; a command-line
// tool has none of them.

#include <QString>
#include <functional>
#include <vector>

// Blocks the user-interface thread: nothing is repainted or answered.
void sleepBlocking(int ms);

// The system's default beep.
void beep();

// Width in pixels of the primary display; 0 without one.
int displayWidth();

// Lets pending user-interface events be handled. Loops call it on every turn;
// the event queue is actually processed at most every few milliseconds, so a
// long loop stays fast while the screen still repaints in time.
void letEventsRun();

// The user's documents folder, where a file dialog starts; the home folder
// when there is none.
QString documentsFolder();

// What the window system lends; an empty service does nothing.
struct WindowSystem {
    std::function<void()> beep;
    std::function<void()> processEvents;
    std::function<int()> displayWidth;
};
void installWindowSystem(WindowSystem services);

namespace systemseam {

// While installed: sleeps are recorded, not slept; beeps are counted.
void install();
void uninstall();

const std::vector<int>& sleeps();
int beeps();
void clear();

// A display width to report instead of the real one; 0 reports the real one.
void setDisplayWidth(int width);

// The calls of letEventsRun (whether or not the queue was processed).
int letEventsRunCalls();

}  // namespace systemseam
