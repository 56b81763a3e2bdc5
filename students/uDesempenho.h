#pragma once
// The progress screen: a student's figures, the chart of every pass, the
// list of passes, newest first, and the heat map of the keys with the keys
// to train. It only shows; nothing is written.

#include "students/desempenho.h"
#include "students/mapa.h"

#include <QDialog>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TecladoNaTela;
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
    void criaMapa();
    void criaBotoes();
    void FormCreate();
    void bbFecharClick();
    void mostraMapa(mapa::Vista vista);

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
    QLabel* lbMapa;
    QRadioButton* rbErros;
    QRadioButton* rbVelocidade;
    TecladoNaTela* tnMapa;
    QLabel* lbTeclasATreinar;
    QLabel* lbLegenda;
    QPushButton* bbFechar;
    QAction* Fechar1;
};

// The screen of the current student (AlunoAtual), read from the lesson file now.
void MostraDesempenho(QWidget* parent);
