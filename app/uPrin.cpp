#include "app/uPrin.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "app/uInstrucoes.h"
#include "students/uProfessor.h"
#include "students/uRelatorio.h"
#include "app/uSobre.h"
#include "ui/jpeg.h"
#include "ui/pecas.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "ui/dialogs.h"
#include "platform/recordfile.h"
#include "platform/system.h"
#include "students/uCadAlunos.h"
#include "students/uEntrada.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <utility>

TfEntrada* fEntrada = nullptr;
TfCadAlunos* fCadAlunos = nullptr;

using namespace aparencia;

namespace {

constexpr QSize kTamanho(594, 324);
const QString kFundo = QStringLiteral(":/assets/fotos/menu.jpg");

const QString kAvisoSemAlunos = QStringLiteral(
    "Atenção!!!\rNão existem alunos cadastrados para fazer aulas.\r\r"
    "Você irá agora cadastrar um aluno para fazer as aulas.\r"
    "Por favor, digite pelo menos o nome do aluno.\r"
    "Se desejar, digite uma senha para que somente você tenha acesso às aulas.");

// Creates the screen unless it exists, shows it modally, and schedules it
// for destruction when the display ends, also when it ends in an error. The
// focus then goes back to the screen that opened it.
template <class Tela>
void abreModal(Tela*& tela, QWidget* dono)
{
    if (!tela)
        tela = new Tela(dono);
    const auto encerra = [&] {
        tela->deleteLater();
        tela = nullptr;
        requestFocus(dono);
    };
    try {
        tela->exec();
    } catch (...) {
        encerra();
        throw;
    }
    encerra();
}

}  // namespace

TfPrin::TfPrin(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fPrin"));
    // the main menu has no title bar: its caption is what the task bar shows
    setWindowTitle(kApplicationTitle);
    setFixedSize(kTamanho);
    criaControles();
    criaMenu();
    FormCreate();
}

void TfPrin::criaControles()
{
    Panel1 = new Moldura(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->adicionaBorda(Moldura::Borda::Elevada, 1);

    Image1 = new Imagem(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setImagem(CarregaJpeg(kFundo));
    Panel1->setPreenchimento(Image1);

    Label1 = new QLabel(QStringLiteral("Quiravo 2.0"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(40, 4, 517, 77);
    Label1->setAlignment(Qt::AlignCenter);
    // without Impact, a narrow face keeps the title inside its box
    Label1->setFont(fonte({QStringLiteral("Impact"), QStringLiteral("Liberation Sans Narrow"),
                           QStringLiteral("Arial Narrow")},
                          67, true));
    pinta(Label1, QPalette::WindowText, kAgua);

    // created in tab order
    bbFazerAula = criaBotao(QStringLiteral("bbFazerAula"), QStringLiteral("Fazer Aula - F2"), {40, 96, 250, 93},
                            kVerde);
    bbNovoAluno = criaBotao(QStringLiteral("bbNovoAluno"), QStringLiteral("Novo Aluno"), {40, 208, 250, 93},
                            kMarinho);
    bbSair = criaBotao(QStringLiteral("bbSair"), QStringLiteral("Sair - F10"), {308, 208, 250, 93},
                       kMarrom);
    BitBtn3 = criaBotao(QStringLiteral("BitBtn3"), QStringLiteral("Instruções"), {308, 96, 250, 93},
                        kOliva);
    setTabOrder(bbFazerAula, bbNovoAluno);
    setTabOrder(bbNovoAluno, bbSair);
    setTabOrder(bbSair, BitBtn3);

    conectaAcao(bbFazerAula, &QPushButton::clicked, this, &TfPrin::fazer1Click);
    conectaAcao(bbNovoAluno, &QPushButton::clicked, this, &TfPrin::Alunos1Click);
    conectaAcao(bbSair, &QPushButton::clicked, this, &TfPrin::bbSairClick);
    conectaAcao(BitBtn3, &QPushButton::clicked, this, &TfPrin::BitBtn3Click);
}

QPushButton* TfPrin::criaBotao(const QString& nome, const QString& texto, QRect caixa, const QColor& cor)
{
    auto* botao = new Botao(texto, Panel1);
    botao->setObjectName(nome);
    botao->setGeometry(caixa);
    botao->setFont(arial(27, true));
    // the disabled button keeps the greyed text of the style
    QPalette paleta = botao->palette();
    paleta.setColor(QPalette::Active, QPalette::ButtonText, cor);
    paleta.setColor(QPalette::Inactive, QPalette::ButtonText, cor);
    botao->setPalette(paleta);
    return botao;
}

// The menu's keys belong to the whole window, so they work wherever the
// focus is and whether or not the button is enabled.
void TfPrin::criaMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    fazer1 = PopupMenu1->addAction(QStringLiteral("Fazer aula"));
    fazer1->setObjectName(QStringLiteral("fazer1"));
    fazer1->setShortcut(Qt::Key_F2);
    Relatorio1 = PopupMenu1->addAction(QStringLiteral("Relatório da turma"));
    Relatorio1->setObjectName(QStringLiteral("Relatorio1"));
    Professor1 = PopupMenu1->addAction(QStringLiteral("Professor"));
    Professor1->setObjectName(QStringLiteral("Professor1"));
    Sair1 = PopupMenu1->addAction(QStringLiteral("Sair"));
    Sair1->setObjectName(QStringLiteral("Sair1"));
    Sair1->setShortcut(Qt::Key_F10);
    auto* esc = new QAction(this);
    esc->setObjectName(QStringLiteral("Esc"));
    esc->setShortcut(Qt::Key_Escape);
    for (QAction* acao : {fazer1, Sair1, esc}) {
        acao->setShortcutContext(Qt::WindowShortcut);
        addAction(acao);
    }
    conectaAcao(fazer1, &QAction::triggered, this, &TfPrin::fazer1Click);
    conectaAcao(Relatorio1, &QAction::triggered, this, &TfPrin::Relatorio1Click);
    conectaAcao(Professor1, &QAction::triggered, this, &TfPrin::Professor1Click);
    conectaAcao(Sair1, &QAction::triggered, this, &TfPrin::bbSairClick);
    conectaAcao(esc, &QAction::triggered, this, &TfPrin::bbSairClick);
}

// A click opens the menu where it was made; the menu key opens it at the
// focused control, inside the window, wherever the mouse pointer rests.
void TfPrin::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Keyboard) {
        PopupMenu1->popup(event->globalPos());
        return;
    }
    const QWidget* foco = focusWidget() ? focusWidget() : this;
    PopupMenu1->popup(foco->mapToGlobal(foco->rect().center()));
}

void TfPrin::showEvent(QShowEvent* event)
{
    CentraNaTela(this);
    QWidget::showEvent(event);
}

void TfPrin::FormCreate()
{
    LarguraTela = displayWidth();
}

void TfPrin::FormActivate()
{
    CarregaExercicios();
    if (fileExists(kArquivoAlunos)) {
        NumAlunos = CarregaAlunos();
        bbFazerAula->setEnabled(true);
        return;
    }
    showMessage(BoxKind::Warning, kAvisoSemAlunos);
    bbFazerAula->setEnabled(false);
    Alunos1Click();
}

void TfPrin::fazer1Click()
{
    abreModal(fEntrada, this);
}

void TfPrin::Alunos1Click()
{
    abreModal(fCadAlunos, this);
    bbFazerAula->setEnabled(fileExists(kArquivoAlunos));
}

// The report needs no password: it shows progress, never a lesson.
void TfPrin::Relatorio1Click()
{
    MostraRelatorio(this);
    requestFocus(this);
}

// The teacher's screen may have enrolled the first students.
void TfPrin::Professor1Click()
{
    AbreProfessor(this);
    requestFocus(this);
    bbFazerAula->setEnabled(fileExists(kArquivoAlunos));
}

void TfPrin::BitBtn3Click()
{
    abreModal(fInstrucoes, this);
}

void TfPrin::bbSairClick()
{
    close();
}

Programa::Programa()
{
    splash_ = std::make_unique<TfSobre>();
    splash_->installEventFilter(this);
    fSobre = splash_.get();
    splash_->MostraJa();
    splash_->activateWindow();
    // the application's name is the text of the task bar; a display name would
    // also be appended to every window and box title on X11
    QCoreApplication::setApplicationName(kApplicationTitle);
    principal_ = std::make_unique<TfPrin>();
    principal_->installEventFilter(this);
    sobre_ = std::make_unique<TfSobre>();
    fSobre = sobre_.get();
    principal_->show();
    principal_->activateWindow();
    // the user closes the splash: the main menu, behind it, takes the focus
    conectaAcao(splash_.get(), &QDialog::rejected, principal_.get(), [menu = principal_.get()] { requestFocus(menu); });
}

Programa::~Programa()
{
    // the windows are destroyed after this: their closing is no change of focus to follow
    splash_->removeEventFilter(this);
    principal_->removeEventFilter(this);
    fSobre = nullptr;
}

bool Programa::eventFilter(QObject* janela, QEvent* event)
{
    return filtraAcao([&] {
        if (event->type() == QEvent::WindowActivate) {
            if (janela == splash_.get())
                ativacaoDevida_ = true;
            else if (janela == principal_.get() && std::exchange(ativacaoDevida_, false))
                ativaOMenu();
        }
        return QObject::eventFilter(janela, event);
    });
}

// Queued, so that it runs once the change of focus is complete: after the
// splash's wait when the splash hands the focus over.
void Programa::ativaOMenu()
{
    TfPrin* menu = principal_.get();
    QMetaObject::invokeMethod(
        menu, [menu] { executaAcao([menu] { menu->FormActivate(); }); }, Qt::QueuedConnection);
}
