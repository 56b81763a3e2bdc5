#pragma once
// The application object. An error that escapes an event handler ends the
// user action there and is shown in the error report; the program goes on.

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;
};
