#pragma once
// The class list before it is enrolled: every line of the file, each one left
// out with the reason in full, the choice of also enrolling the repeated ones,
// and the practice period chosen for the whole class.

#include "students/matricula.h"

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class TfMatricula : public QDialog {
    Q_OBJECT
public:
    // turma as read, its repetitions marked; vagas: the places the course has left.
    TfMatricula(const QString& arquivo, std::vector<LinhaDaTurma> turma, std::int64_t vagas,
                QWidget* parent = nullptr);

    // The period chosen for all: 0, 1 or 2; nothing until one is chosen.
    std::optional<int> periodo() const;
    // The list as decided on the screen: which lines are enrolled.
    const std::vector<LinhaDaTurma>& turma() const { return turma_; }

private:
    void criaLista(const QString& arquivo);
    void criaBotoes();
    void FormCreate();
    void mostraLista();
    void cbRepetidasClick();
    void rgPeriodoClick();
    void bbMatricularClick();
    void bbCancelarClick();

    std::vector<LinhaDaTurma> turma_;
    std::int64_t vagas_;

    QLabel* lbArquivo;
    QLabel* lbResumo;
    QListWidget* lbLista;
    QCheckBox* cbRepetidas;
    QGroupBox* rgPeriodo;
    QButtonGroup* grupoPeriodo;
    QLabel* lbRitmo;
    QPushButton* bbMatricular;
    QPushButton* bbCancelar;
    QAction* Matricular1;
    QAction* Cancelar1;
};

// Shows the list read from arquivo. When the teacher confirms the enrolment,
// the period chosen, and turma as decided on the screen; nothing, and turma
// as it was, when it is cancelled.
std::optional<int> EscolheMatricula(QWidget* dono, const QString& arquivo, std::vector<LinhaDaTurma>& turma,
                                    std::int64_t vagas);
