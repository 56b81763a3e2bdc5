#pragma once
// The practice screen: one generated line at a time, typed under the same
// rules as the course's typing field, with the keyboard guide (F4 puts it
// away). After each line its accuracy, speed and the characters typed wrong,
// shown and spoken; at the end the practice's figures and the characters
// that improved. Esc and F10 end the practice. The practice and its rules
// live in treino::Treino; the screen shows what it answers.

#include "course/treino.h"

#include <QDialog>

class AvisoFalado;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShortcut;
class TecladoNaTela;

class TfTreino : public QDialog {
    Q_OBJECT
public:
    TfTreino(const QString& nome, treino::Treino treino, QWidget* parent = nullptr);

    const treino::Treino& treino() const { return treino_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void criaLinha(const QString& nome);
    void criaDigitacao();
    void criaRodape();
    void criaConexoes();
    void FormCreate();

    bool edDigKeyDown(int codigo);
    void edDigKeyPress(char caractere);
    void digitouTeclaMorta();
    void mostraLinhaFeita(const treino::LinhaFeita& feita);
    void mostraStatus(const StatusDoCampo& status);
    void mostraCampo();
    void atualizaGuia();
    void FormClose();

    treino::Treino treino_;

    QLabel* lbNome;
    QLabel* lbTituloLinha;
    QFrame* pnLinha;
    QLabel* dbLinha;
    QLabel* lbTituloDigitacao;
    QLineEdit* edDig;
    QLabel* lbTituloResultado;
    QPlainTextEdit* mmResultado;
    QPushButton* BitBtn1;
    AvisoFalado* lbDigitado;
    QAction* Terminar1;
    QShortcut* MostraTeclado1;
    TecladoNaTela* teclado_;
    bool mortaDigitada_ = false;  // a dead key waits for its letter
    bool aberto_ = false;
};
