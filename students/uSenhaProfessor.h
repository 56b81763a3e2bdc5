#pragma once
// The gate before the teacher's screen: the teacher's password, typed in a
// box that shows a "*" for each character. After a wrong one the box waits,
// shut, for the seconds it shows; the window answers meanwhile, and Esc
// gives up.

#include <QDialog>
#include <QString>
#include <optional>

class AvisoFalado;
class PortaoDaSenha;
class QLabel;
class QLineEdit;
class QPushButton;

class TfSenhaProfessor : public QDialog {
    Q_OBJECT
public:
    explicit TfSenhaProfessor(QWidget* parent = nullptr);

private:
    void criaControles();
    void criaConexoes();
    void FormCreate();

    void portaoChange();
    void bbOKClick();

    PortaoDaSenha* portao_;

    QLabel* lbSenha;
    QLineEdit* edSenha;
    AvisoFalado* lbEspera;
    QPushButton* bbOK;
    QPushButton* bbCancela;
};

// Asks for the teacher's password at the gate; true once the right one is
// typed, false when the teacher gives up.
bool SenhaDoProfessorConfere(QWidget* dono);

// A new teacher's password, typed twice; nothing when the teacher gives up.
// One too short, or typed differently the second time, is asked again.
std::optional<QString> PerguntaSenhaNovaDoProfessor(const QString& titulo, const QString& pergunta);

// The way to the teacher's screen: the teacher's password at the gate; the
// first time in a course folder, the teacher chooses it instead. False when
// the teacher gives up.
bool ProfessorEntra(QWidget* dono);
