#pragma once
// What a key event means to the typing field: the key, in the codes of the
// keyboard the course was written for, and the characters the key types.

#include "course/codigosdetecla.h"

#include <QString>

class QKeyEvent;

namespace teclas {

// The key code of a key press; digits and letters give their capital ASCII
// code, F1..F12 112..123, a key without a code 0. Modifiers do not change it.
int codigoDaTecla(const QKeyEvent& event);

// Whether the key moves the keyboard focus instead of typing (Tab, Shift+Tab).
bool moveFoco(const QKeyEvent& event);

// The characters a key press types, as the keyboard driver would hand them to
// a field: Backspace (also with Ctrl or Shift) types character 8, ENTER 13,
// Escape 27, Ctrl+letter the control character of the letter (Ctrl+V 22),
// any other key the printable characters of its text. Alt and Meta
// combinations, Delete, Insert and dead keys type nothing.
QString caracteresDaTecla(const QKeyEvent& event);

// A dead key: an accent that waits for the letter it goes on.
bool ehTeclaMorta(const QKeyEvent& event);

// The printable characters of a text (no control characters).
QString imprimiveis(const QString& texto);

}  // namespace teclas
