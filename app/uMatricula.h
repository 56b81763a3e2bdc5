#pragma once
// The class list before it is enrolled: every line of the file, those that
// cannot be registered with the reason, and the practice period chosen for
// the whole class.

#include "students/matricula.h"

#include <QDialog>
#include <optional>
#include <vector>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class TfMatricula : public QDialog {
    Q_OBJECT
public:
    TfMatricula(const QString& arquivo, const std::vector<LinhaDaTurma>& turma, QWidget* parent = nullptr);

    // The period chosen for all: 0, 1 or 2; nothing until one is chosen.
    std::optional<int> periodo() const;

private:
    void criaLista(const QString& arquivo, const std::vector<LinhaDaTurma>& turma);
    void criaBotoes();
    void FormCreate();
    void rgPeriodoClick();
    void bbMatricularClick();
    void bbCancelarClick();

    int aceitas_;

    QLabel* lbArquivo;
    QLabel* lbResumo;
    QListWidget* lbLista;
    QGroupBox* rgPeriodo;
    QButtonGroup* grupoPeriodo;
    QLabel* lbRitmo;
    QPushButton* bbMatricular;
    QPushButton* bbCancelar;
    QAction* Matricular1;
    QAction* Cancelar1;
};

// Shows the list read from arquivo; the period chosen when the teacher
// confirms the enrolment, nothing when it is cancelled.
std::optional<int> EscolheMatricula(QWidget* dono, const QString& arquivo, const std::vector<LinhaDaTurma>& turma);
