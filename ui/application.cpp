#include "ui/application.h"

#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "ui/dialogs.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace {

int primaryDisplayWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

// Qt's own texts (its file and print dialogs, the context menu of a text
// box: "Desfazer", "Colar") in the program's language. Without Qt's
// translations installed they stay in English.
void traduzOsTextosDoQt(QApplication& app)
{
    auto* traducao = new QTranslator(&app);
    if (traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traducao);
    else
        delete traducao;
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setProgramLocale();
    traduzOsTextosDoQt(*this);
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
