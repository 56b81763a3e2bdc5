#pragma once
// The main menu and the program's start-up.

#include <QWidget>
#include <memory>

class Imagem;
class Moldura;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class TfCadAlunos;
class TfEntrada;
class TfSobre;

class TfPrin : public QWidget {
    Q_OBJECT
public:
    explicit TfPrin(QWidget* parent = nullptr);

    // Loads the course data; the program runs it when the menu is activated.
    void FormActivate();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void criaControles();
    QPushButton* criaBotao(const QString& nome, const QString& texto, QRect caixa, const QColor& cor);
    void criaMenu();

    void fazer1Click();
    void Alunos1Click();
    void Relatorio1Click();
    void Professor1Click();
    void BitBtn3Click();
    void bbSairClick();

    Moldura* Panel1;
    Imagem* Image1;
    QLabel* Label1;
    QPushButton* bbFazerAula;
    QPushButton* bbNovoAluno;
    QPushButton* bbSair;
    QPushButton* BitBtn3;
    QMenu* PopupMenu1;
    QAction* fazer1;
    QAction* Relatorio1;
    QAction* Professor1;
    QAction* Sair1;
};

// The modal screens while they are shown; empty otherwise.
extern TfEntrada* fEntrada;
extern TfCadAlunos* fCadAlunos;

// The running program: the splash, the main menu and the about box, in the
// order of start-up. Creating it shows the splash at once, sets the
// application title, creates the main menu and the hidden about box and
// shows the main menu; the caller then runs the event loop, which ends when
// the main menu is closed.
//
// The main menu's activation runs when the menu takes the focus from the
// splash, or first gets it at start-up; not when a modal screen or a message
// box hands it back, nor when the program comes back from another application.
class Programa : public QObject {
public:
    Programa();
    ~Programa() override;

    TfSobre* splash() const { return splash_.get(); }
    TfPrin* principal() const { return principal_.get(); }
    TfSobre* sobre() const { return sobre_.get(); }

protected:
    // Sees the splash and the main menu take the focus.
    bool eventFilter(QObject* janela, QEvent* event) override;

private:
    void ativaOMenu();

    std::unique_ptr<TfSobre> splash_;
    std::unique_ptr<TfPrin> principal_;
    std::unique_ptr<TfSobre> sobre_;
    // The menu's next taking of the focus runs its activation: at start-up,
    // and again once the splash has had the focus. Modal screens, boxes and
    // other applications leave it as it is.
    bool ativacaoDevida_ = true;
};
