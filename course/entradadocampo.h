#pragma once
// The way into a typing field on a screen: every way in (keys, composed
// characters, the mouse, drops) ends in one Windows-1252 character at a time
// for the rules, so that the field shows only what the rules hold. Other
// fields may share it (a line-number box): whatever they receive goes to the
// same rules, and the caret of every one of them stays after its last
// character with nothing selected.

#include "course/campo.h"

#include <QObject>
#include <functional>
#include <vector>

class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QRect;
class QString;
class QWidget;

// A typing field of the exercise and practice screens: red on pale yellow,
// without a menu of its own, taking no drops and giving no drags.
QLineEdit* campoDeDigitacao(QWidget* pai, const QString& nome, const QRect& lugar);

class EntradaDoCampo : public QObject {
public:
    struct Destino {
        // a key press before the field acts on it: true when it passes
        std::function<bool(int codigo)> tecla;
        // each character typed, composed or replaced
        std::function<void(char caractere)> caractere;
        // an accent that waits for its letter
        std::function<void()> teclaMorta;
    };

    EntradaDoCampo(std::vector<QLineEdit*> campos, Destino destino, QObject* pai);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool recebe(QEvent* event);
    bool recebeTecla(QKeyEvent* event);
    void recebeTexto(const QString& texto);

    std::vector<QLineEdit*> campos_;
    Destino destino_;
};

// The caret after the field's last character, nothing selected.
void mantemCursorNoFinal(QLineEdit* campo);

// The field shows the text the rules hold; a character added at the end goes
// in as a typed one would, without laying the whole text out again.
void mostraNoCampo(QLineEdit* campo, const QString& texto);

// The status bar under a typing field shows what the rules answered.
void mostraStatusDoCampo(QLabel* barra, const StatusDoCampo& status);
