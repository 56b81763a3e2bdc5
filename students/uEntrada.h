#pragma once
// The entry screen, where every lesson begins: the list of students, the
// chosen student's progress, the password gate and "Fazer aula".

#include <QDialog>
#include <functional>

class QAction;
class TfExercicio;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TfEntrada : public QDialog {
    Q_OBJECT
public:
    explicit TfEntrada(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void criaTextos();
    void criaProgresso();
    void criaBotoes();
    void criaLista();
    void criaMenu();
    void criaConexoes();

    void FormCreate();
    void FormActivate();
    void dbgAlunosClick();
    void lbAlunoClick();
    void edSenhaChange();
    void habilitaAulaETreino(bool habilitados);
    void esvaziaSenha();
    void edSenhaEnter();
    void edSenhaExit();
    void bbFazerAulaClick();
    bool senhaConfere();
    void comSenha(const std::function<void()>& acao);
    void fazAula(TfExercicio* fExercicio);
    void Desempenho1Click();
    void Treino1Click();
    void fazTreino();
    void BitBtn2Click();
    void mostraSenha(bool comSenha);

    QLabel* Label1;
    QLabel* lbComSenha;
    QLabel* lbNumExerc;
    QLabel* lbData;
    QLabel* lbTempo;
    QLabel* Label5;
    QPushButton* bbFazerAula;
    QPushButton* BitBtn2;
    QPushButton* bbTreino;
    QLineEdit* edSenha;
    QListWidget* lbAluno;
    QAction* Sair1;
    QAction* FazerAula1;
    QAction* Desempenho1;
    QAction* Treino1;

    bool ativada_ = false;  // the password gate has run
};
