#pragma once
// What the screens that fill in a student's record share: boxes that take
// only what the student file keeps, the group of the practice periods and
// the confirmation of a password typed twice.

#include <QRect>
#include <QString>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QWidget;

// Lets into the box at most `tamanho` characters, each one the student file
// can hold, so that what is stored is exactly what was typed.
void limitaAoArquivo(QLineEdit* caixa, int tamanho);

// The group "Período Mínimo: " with its three choices, numbered as the
// student record stores them, in lime and bold red. Tab enters the group at
// the choice made.
struct GrupoDePeriodo {
    QGroupBox* caixa;
    QButtonGroup* escolhas;
};
GrupoDePeriodo criaGrupoDePeriodo(QWidget* tela, const QRect& lugar);

// Asks for the password again in a box that shows a "*" for each character;
// false, after the error box, when the two differ ("Cancela" gives nothing).
bool SenhaConferida(const QString& senha);
