#pragma once
// The teacher's screen, behind the teacher's password: the roster with each
// student's number and last lesson, searchable; for the chosen student the
// corrections of the name, the e-mail, the practice period and the password;
// the enrolment of a class from a list; the change of the teacher's own
// password; the last changes made.

#include "students/professor.h"

#include <QDialog>
#include <cstdint>
#include <optional>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class ModeloDoRol;

class TfProfessor : public QDialog {
    Q_OBJECT
public:
    explicit TfProfessor(QWidget* parent = nullptr);

    // Esc, the close box and "Fechar": changes not saved are asked about first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void criaLista();
    void criaFicha();
    void criaRegistro();
    void criaBotoes();
    void criaMenu();
    void criaConexoes();

    void FormCreate();
    // Reads the roster and the log again, the student numbered codigo chosen.
    void recarrega(std::optional<std::int32_t> codigo);
    void mostraAlteracoes();
    void escolhe(std::optional<std::int32_t> codigo);
    void mostraFicha();
    FichaDoAluno fichaDigitada() const;
    bool temAlteracoes() const;
    // false when the ficha was refused (a box says why) or not confirmed
    bool gravaFicha();
    // asks about the changes not saved; false to stay with the student
    bool podeDeixarOAluno();
    void corrige(const CorrecaoAluno& correcao, const QString& feito);

    void edBuscaChange();
    void edBuscaEnter();
    void lbAlunosClick(const QModelIndex& linha, const QModelIndex& anterior);
    void bbGravarClick();
    void bbApagarSenhaClick();
    void bbMatricularClick();
    void bbRelatorioClick();
    void bbTrocarSenhaClick();
    void bbFecharClick();

    ModeloDoRol* modelo_;
    std::optional<AlunoDoProfessor> escolhido_;  // the student of the boxes
    bool escolhendo_ = false;                    // the screen itself moves the list

    QLineEdit* edBusca;
    QTableView* lbAlunos;
    QLabel* lbCodigo;
    QLineEdit* edNome;
    QLineEdit* edeMail;
    QGroupBox* rgPeriodo;
    QButtonGroup* grupoPeriodo;
    QLabel* lbSenha;
    QLineEdit* edSenha;
    QPushButton* bbGravar;
    QPushButton* bbApagarSenha;
    QPlainTextEdit* mmAlteracoes;
    QPushButton* bbMatricular;
    QPushButton* bbRelatorio;
    QPushButton* bbTrocarSenha;
    QPushButton* bbFechar;
    QStatusBar* StatusBar1;
    QAction* Gravar1;
    QAction* ApagarSenha1;
    QAction* Matricular1;
    QAction* Relatorio1;
    QAction* TrocarSenha1;
    QAction* Fechar1;
};

// The main menu's "Professor": asks for the teacher's password (the first
// time, has it set) and opens the teacher's screen.
void AbreProfessor(QWidget* dono);
