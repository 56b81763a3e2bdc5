#include "ui/application.h"

#include "platform/errors.h"
#include "platform/system.h"
#include "ui/dialogs.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    installWindowSystem({&QApplication::beep, [] { QCoreApplication::processEvents(); }});
}

Application::~Application()
{
    installWindowSystem({});
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& error) {
        showErrorReport(error.message());
    } catch (const std::exception& error) {
        showErrorReport(QString::fromLocal8Bit(error.what()));
    }
    return true;
}
