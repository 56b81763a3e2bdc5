#pragma once
// Keys as a keyboard sends them: to the widget that has the focus, whichever
// it is, so that a fault of the focus shows in the test.

#include <QString>
#include <Qt>

class QWidget;

// The widget with the keyboard focus. Waits a moment for a window just shown
// to take it, and fails the test when none does.
QWidget* comFoco();

void tecla(Qt::Key key, Qt::KeyboardModifiers modificadores = Qt::NoModifier);

// Types the text key by key; a character outside ASCII goes as a key event
// that carries it, as a keyboard layout hands it over.
void digita(const QString& texto);
