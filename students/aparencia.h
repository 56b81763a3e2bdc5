#pragma once
// What the registration and entry screens share of their look: fonts in pixel
// sizes, colours, the focus colours of a box and the buttons' pictures.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QString>

class QLineEdit;
class QWidget;

namespace aparencia {

inline const QColor kAzul(0x00, 0x00, 0xFF);
inline const QColor kAgua(0x00, 0xFF, 0xFF);
inline const QColor kVermelho(0xFF, 0x00, 0x00);
inline const QColor kLima(0x00, 0xFF, 0x00);
inline const QColor kBranco(0xFF, 0xFF, 0xFF);
inline const QColor kMarinho(0x00, 0x00, 0x80);

QFont arial(int pixels, bool negrito = false);
QFont impact(int pixels);
// the old system sans, else the look of Arial
QFont msSansSerif(int pixels);

void pinta(QWidget* widget, QPalette::ColorRole papel, const QColor& cor);
void pintaFundo(QWidget* widget, const QColor& cor);

// blue on aqua while the box has the focus, the system's colours otherwise
void coresDeFoco(QLineEdit* caixa);
void coresSemFoco(QLineEdit* caixa);

// the picture of a button: the program's own when it has one, else the style's
QIcon icone(const QString& recurso, int padrao);

}  // namespace aparencia
