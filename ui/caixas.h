#pragma once
// The boxes in which the screens show a student's figures: a raised panel
// with its title in white on red above the value in navy on white.

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// Lays the box out on tela at moldura (design size) and returns the value's
// label, named nomeValor, in a bold type of pixelsDoValor. The title takes
// the lines its text needs across the box, the value the rest of the box.
QLabel* caixaDeValor(QWidget* tela, const QRect& moldura, const QString& titulo, const QString& nomeValor,
                     int pixelsDoValor);
