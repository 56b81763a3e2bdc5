#include "system.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

// Events are processed when this much time has passed since the last time.
constexpr qint64 kEventIntervalNs = 4'000'000;

struct Seam {
    bool installed = false;
    std::vector<int> sleeps;
    int beeps = 0;
    int width = 0;
    int letEventsRunCalls = 0;
};

Seam& seam()
{
    static Seam s;
    return s;
}

WindowSystem& windowSystem()
{
    static WindowSystem services;
    return services;
}

}  // namespace

void sleepBlocking(int ms)
{
    if (seam().installed) {
        seam().sleeps.push_back(ms);
        return;
    }
    QThread::msleep(ms);
}

void beep()
{
    if (seam().installed) {
        ++seam().beeps;
        return;
    }
    if (windowSystem().beep)
        windowSystem().beep();
}

int displayWidth()
{
    if (seam().width > 0)
        return seam().width;
    return windowSystem().displayWidth ? windowSystem().displayWidth() : 0;
}

void letEventsRun()
{
    ++seam().letEventsRunCalls;

    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.nsecsElapsed() < kEventIntervalNs)
        return;
    if (windowSystem().processEvents)
        windowSystem().processEvents();
    sinceLast.start();
}

void installWindowSystem(WindowSystem services)
{
    windowSystem() = std::move(services);
}

namespace systemseam {

void install() { seam().installed = true; }
void uninstall() { seam() = Seam{}; }
const std::vector<int>& sleeps() { return seam().sleeps; }
int beeps() { return seam().beeps; }
void setDisplayWidth(int width) { seam().width = width; }
int letEventsRunCalls() { return seam().letEventsRunCalls; }

void clear()
{
    Seam& s = seam();
    s.sleeps.clear();
    s.beeps = 0;
    s.letEventsRunCalls = 0;
}

}  // namespace systemseam

QString documentsFolder()
{
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !pasta.isEmpty() && QFileInfo(pasta).isDir() ? pasta : QDir::homePath();
}
