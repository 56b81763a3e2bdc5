#pragma once
// The application object. The handlers catch the program's errors at their
// own boundary (ui/acao.h); one that still escapes a handler is caught here,
// as a last resort, shown in the error report, and the program goes on. It
// sets the program's locale, Brazilian Portuguese on every machine, and
// loads Qt's own texts in that language.

#include <QApplication>

#include <functional>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs with the message of every error that reaches the last resort.
    static void onLastResort(std::function<void(const QString&)> callback);
};
