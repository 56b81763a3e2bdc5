#include "ui/application.h"

#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "ui/dialogs.h"

#include <QScreen>

namespace {

int primaryDisplayWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setProgramLocale();
    installWindowSystem({&QApplication::beep, [] { QCoreApplication::processEvents(); }, primaryDisplayWidth});
}

Application::~Application()
{
    installWindowSystem({});
}

namespace {

std::function<void(const QString&)>& lastResortCallback()
{
    static std::function<void(const QString&)> callback;
    return callback;
}

void reachedLastResort(const QString& message)
{
    if (lastResortCallback())
        lastResortCallback()(message);
    showErrorReport(message);
}

}  // namespace

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& error) {
        reachedLastResort(error.message());
    } catch (const std::exception& error) {
        reachedLastResort(QString::fromLocal8Bit(error.what()));
    }
    return true;
}

void Application::onLastResort(std::function<void(const QString&)> callback)
{
    lastResortCallback() = std::move(callback);
}
