#pragma once
// The exercise screen: one lesson of the typing course. The student copies the
// lines of ExercicioAtual, one at a time, into the typing field and presses
// ENTER after each; enough error-free passes in a row record the exercise and
// bring the next one. From exercise 42 on the field is a musical keyboard.

#include "platform/sound.h"

#include <QByteArray>
#include <QColor>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QAction;
class QFrame;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfExercicio : public QDialog {
    Q_OBJECT
public:
    explicit TfExercicio(QWidget* parent = nullptr);

    // Shows ExercicioAtual: number, instruction and lines. Changes no colour
    // and no lesson state.
    void MostraExercicio();

    QLabel* lbNome;
    QLabel* lbUltimaData;

    // The lesson, set when the screen is created and discarded with it.
    std::uint8_t LinhaAtual = 1;     // the line to be typed next, 1 to 4
    std::int32_t LinhasSeguidas = 0; // complete error-free passes in a row
    std::int32_t TamanhoLinha = 0;   // the length of line LinhaAtual
    bool TempoIniciado = false;      // the lesson's first character started the clock
    QByteArray TeclasDigitadas;      // accepted in the line, plain blanks left out
    bool ModoSom = false;            // the field is a musical keyboard

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void criaCabecalho();
    void criaExercicio();
    void criaDigitacao();
    void criaRodape();
    void criaConexoes();
    void FormCreate();
    void FormShow();

    // the typing field and the line-number box share these
    bool edDigKeyDown(int codigo);
    std::optional<char> edDigKeyPress(char caractere);
    void edDigChange();
    void edDigMouseDown();
    bool campoRecebeEvento(QEvent* event);
    bool campoRecebeTecla(QKeyEvent* event);
    void campoRecebeTexto(const QString& texto);
    void campoToma(char caractere);
    void colaNoCampo();
    void mantemCursorNoFinal(QLineEdit* campo);

    // keystroke rules
    std::optional<char> regraDoBranco();
    char regraDaDigitacao(char caractere);
    void acrescentaTeclasDigitadas(char caractere);
    char tocaNota(char caractere);

    // the ENTER step and its outcomes
    void TeclaEnter();
    void LinhaCerta();
    void LinhaErrada();
    void PassaExercicio();
    QString letrasErradas() const;
    void destacaLinhaAtual();
    void adicionaResultado(const QString& linha);

    void mostraStatus(const QString& texto);
    void corTextoStatus(const QColor& cor);
    void coresStatus(const QColor& texto, const QColor& fundo);
    QByteArray digitado() const;

    QFrame* fraNumero;
    QLabel* lbTituloNumero;
    QLabel* lbNumExerc;
    QLabel* lbDataHora;
    QLabel* lbTituloInstrucao;
    QFrame* pnInstrucao;
    QLabel* dtInstrucao;
    QLabel* lbTituloExercicio;
    QFrame* pnExercicio;
    std::array<QLabel*, 4> dbExercLin;
    QLabel* lbTituloDigitacao;
    QLineEdit* edNumLinha;
    QLineEdit* edDig;
    QLabel* lbTituloResultado;
    QPlainTextEdit* mmResultado;
    QPushButton* BitBtn1;
    QLabel* lbDigitado;
    QAction* Finalizar1;
    MediaPlayer MediaPlayer1;

    bool aberta_ = false;          // the opening handler has run
    int linhasResultado_ = 0;      // lines in mmResultado
};
