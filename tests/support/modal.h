#pragma once
// Acting on a modal screen: schedule the action before the code that calls
// exec() runs; it runs once the modal widget is up. Checks belong after
// exec() has returned, so that a failing check cannot leave exec() hanging.

#include <QWidget>
#include <functional>

// Runs act(modal) once QApplication::activeModalWidget() is a widget other
// than `except` and has become the active window, so that keys sent to the
// focused widget reach it. Gives up after about 5 s, closing whatever is modal;
// a screen still open 10 s after the action fails the test and is closed.
void whenModal(std::function<void(QWidget*)> act, QWidget* except = nullptr);


// While it lives, boxes are real: no answer comes from the box seam. The seam
// is back however the test ends, so that no later test meets a real box.
struct CaixasReais {
    CaixasReais();
    ~CaixasReais();
    CaixasReais(const CaixasReais&) = delete;
    CaixasReais& operator=(const CaixasReais&) = delete;
};
