#pragma once
// The registration screen: enters a new student (name, optional password,
// e-mail, birth date and minimum practice period) and appends it to the
// student file. It never shows, changes or deletes a stored student.

#include <QDialog>

class QAction;
class QButtonGroup;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

class TfCadAlunos : public QDialog {
    Q_OBJECT
public:
    explicit TfCadAlunos(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void criaCampos();
    void criaPeriodo();
    void criaBarraDeBotoes();
    void criaMenu();
    void criaConexoes();
    QLineEdit* caixa(const QString& nome, const QRect& lugar);
    // a box whose text is stored: at most `tamanho` characters the file can hold
    QLineEdit* caixaGravada(const QString& nome, const QRect& lugar, int tamanho);
    QLabel* legenda(const QString& texto, int esquerda, int topo);

    void FormCreate();
    void FormActivate();
    void BtGravaClick();
    void BtCancelaClick();
    void BtVoltarClick();
    void avisaCursoLotado();

    QLineEdit* dbedNome;
    QLineEdit* dbedSenha;
    QDateEdit* dtpDataNasc;
    QLineEdit* edeMail;
    QGroupBox* rgPeriodo;
    QButtonGroup* grupoPeriodo;
    QLineEdit* DBEdit3;
    QLineEdit* DBEdit4;
    QLineEdit* dbedData;
    QFrame* Panel1;
    QPushButton* BtGrava;
    QPushButton* BtCancela;
    QPushButton* BtVoltar;
    QStatusBar* StatusBar1;

    QAction* MostraDicas1;
    QAction* Grava1;
    QAction* Cancela1;
    QAction* Voltar1;
    QAction* Consulta1;
    QAction* Altera1;
    QAction* Apaga1;

    bool ativada_ = false;   // the opening has run
};
