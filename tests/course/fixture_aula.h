#pragma once
// A lesson on the exercise screen, driven through real key events sent to the
// widget that has the focus, as a keyboard sends them. Each test starts as a
// fresh program run would: the lesson state that lives for the run is back at
// its start values, the clock is fixed at 10:00 and an empty lesson file lies
// in the current directory.

#include "course/uExercicio.h"
#include "data/records.h"
#include "support/fixture.h"
#include "support/teclado.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QString>
#include <initializer_list>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// An exercise with the given lines (an empty text is an empty line).
tExercicio umExercicio(std::uint8_t numero, std::initializer_list<QByteArray> linhas,
                       int exigidas = 5, int toques = 100);

// 10 December 2026 at the given time of day.
QDateTime as(int hora, int minuto = 0, int segundo = 0, int ms = 0);

class Aula : public InTempDir {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts the exercise into slot NumExercicio and into ExercicioAtual, and
    // opens a new lesson on it, as the entry screen does.
    void abre(const tExercicio& exercicio);
    // Closes the lesson's screen and disposes of it.
    void fecha();

    // ENTER, and a line typed and ended with it, where the focus is.
    void enter();
    void linha(const QString& texto);

    QString status() const;
    QColor corStatus() const;
    QColor fundoStatus() const;
    QString resultado() const;
    QString campo() const;
    // the text colour of line label k
    QColor corDaLinha(int k) const;

    std::unique_ptr<TfExercicio> tela;
    QLineEdit* edDig = nullptr;
    QLineEdit* edNumLinha = nullptr;
    QLabel* lbDigitado = nullptr;
    QPlainTextEdit* mmResultado = nullptr;
};

namespace cor {
inline const QColor marinho(0x00, 0x00, 0x80);
inline const QColor agua(0x00, 0xFF, 0xFF);
inline const QColor vermelho(0xFF, 0x00, 0x00);
inline const QColor preto(0x00, 0x00, 0x00);
inline const QColor amarelo(0xFF, 0xFF, 0x00);
inline const QColor rosa(0xFF, 0xC6, 0xC6);
QColor faceDeBotao();
QColor textoDeJanela();
}  // namespace cor

inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << c.name().toStdString();
}
