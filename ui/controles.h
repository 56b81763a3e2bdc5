#pragma once
// What the screen adaptation needs to know of a control, shared by its
// scaling and its fitting of texts.

#include <QSize>

class QWidget;

// A control made of inner widgets (a list, a field, a date picker, a tab
// bar, a button, a label, a calendar) lays those out itself: only the control
// as a whole is scaled and fitted, never its parts.
bool ControleComposto(const QWidget* w);

// A control that a layout or its parent control (Qt names those parts
// "qt_...") places: its geometry is theirs to give.
bool PosicionadoPorOutro(const QWidget* w);

// Gives the control a new size, keeping it fixed when it was fixed.
void MudaTamanho(QWidget* w, QSize tamanho);
