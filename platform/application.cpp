#include "application.h"

#include "errors.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
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
