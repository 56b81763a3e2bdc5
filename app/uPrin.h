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
    ~TfPrin() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void criaControles();
    QPushButton* criaBotao(const QString& nome, const QString& texto, QRect caixa, const QColor& cor);
    void criaMenu();

    void fazer1Click();
    void Alunos1Click();
    void BitBtn3Click();
    void bbSairClick();

    // Which kind of window of the program had the activation last.
    enum class Ativa { Nenhuma, EstaTela, TelaModal, OutraTela };
    void registraAtivacao(QWidget* janela);

    Moldura* Panel1;
    Imagem* Image1;
    QLabel* Label1;
    QPushButton* bbFazerAula;
    QPushButton* bbNovoAluno;
    QPushButton* bbSair;
    QPushButton* BitBtn3;
    QMenu* PopupMenu1;
    QAction* fazer1;
    QAction* Sair1;
    Ativa ultimaAtiva_ = Ativa::Nenhuma;
};

// The modal screens while they are shown; empty otherwise.
extern TfEntrada* fEntrada;
extern TfCadAlunos* fCadAlunos;

// The running program: the splash, the main menu and the about box, in the
// order of start-up. Creating it shows the splash at once, sets the
// application title, creates the main menu and the hidden about box and
// shows the main menu; the caller then runs the event loop, which ends when
// the main menu is closed.
class Programa {
public:
    Programa();
    ~Programa();
    Programa(const Programa&) = delete;
    Programa& operator=(const Programa&) = delete;

    TfSobre* splash() const { return splash_.get(); }
    TfPrin* principal() const { return principal_.get(); }
    TfSobre* sobre() const { return sobre_.get(); }

private:
    std::unique_ptr<TfSobre> splash_;
    std::unique_ptr<TfPrin> principal_;
    std::unique_ptr<TfSobre> sobre_;
};
