#pragma once
// The progress screen: a student's figures, the chart of every pass and the
// list of passes, newest first. It only shows; nothing is written.

#include "students/desempenho.h"

#include <QDialog>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QWidget;

class TfDesempenho : public QDialog {
    Q_OBJECT
public:
    // figuras: the student's; exerciciosNoCurso: what the progress bar counts to.
    TfDesempenho(Desempenho figuras, int exerciciosNoCurso, QWidget* parent = nullptr);

private:
    void criaCabecalho(int exerciciosNoCurso);
    void criaCaixas();
    void criaGrafico();
    void criaLista();
    void criaBotoes();
    void FormCreate();
    void bbFecharClick();

    Desempenho figuras_;

    QLabel* lbNome;
    QLabel* lbExercicio;
    QProgressBar* pgExercicio;
    QLabel* lbPassagens;
    QLabel* lbDias;
    QLabel* lbPrimeiraAula;
    QLabel* lbUltimaAula;
    QLabel* lbMelhor;
    QLabel* lbUltima;
    QWidget* pbGrafico;
    QLabel* lbLista;
    QTableView* sgPassagens;
    QPushButton* bbFechar;
    QAction* Fechar1;
};

// The screen of the current student (AlunoAtual), read from the lesson file now.
void MostraDesempenho(QWidget* parent);
