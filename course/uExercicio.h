#pragma once
// The exercise screen: one lesson of the typing course. The student copies the
// lines of ExercicioAtual, one at a time, into the typing field and presses
// ENTER after each; enough error-free passes in a row record the exercise and
// bring the next one. From exercise 42 on the field is a musical keyboard.
// The lesson and its rules live in Licao; the screen shows what it answers.

#include "course/licao.h"

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
class QShortcut;
class TecladoNaTela;

class TfExercicio : public QDialog {
    Q_OBJECT
public:
    explicit TfExercicio(QWidget* parent = nullptr);

    // Shows ExercicioAtual: number, instruction and lines. Changes no colour
    // and no lesson state.
    void MostraExercicio();

    QLabel* lbNome;
    QLabel* lbUltimaData;

    // The lesson on view, as it stands.
    const Licao& licao() const { return licao_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void criaCabecalho();
    void criaExercicio();
    void criaDigitacao();
    void criaRodape();
    void criaTeclado();
    void criaConexoes();
    void FormCreate();
    void FormShow();

    // the typing field and the line-number box share these
    bool edDigKeyDown(int codigo);
    void edDigKeyPress(char caractere);
    void digitouTeclaMorta();
    void colaNoCampo();
    void mostraCampo();

    // the ENTER step and its outcomes
    void mostraVeredito(const Licao::Veredito& veredito);
    void perguntaLetrasErradas(const Licao::Veredito& veredito);
    void PassaExercicio();
    void mostraPassagem();
    void destacaLinhaAtual();
    void adicionaResultado(const QString& linha);

    void mostraStatus(const Licao::Status& status);
    void atualizaGuia();

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
    QShortcut* MostraTeclado1;
    TecladoNaTela* teclado_;
    bool mortaDigitada_ = false;    // a dead key waits for its letter
    Licao licao_;

    int linhasResultado_ = 0;      // lines in mmResultado
};
