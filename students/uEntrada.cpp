#include "students/uEntrada.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/caixas.h"
#include "ui/uAjusta.h"
#include "course/aula.h"
#include "course/uExercicio.h"
#include "course/uTreino.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "ui/dialogs.h"
#include "students/acesso.h"
#include "students/ritmo.h"
#include "students/uDesempenho.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 610;
constexpr int kAltura = 384;
constexpr int kAlturaLista = 281;
constexpr int kAlturaLinha = 20;

int linhaEscolhida(const QListWidget* lista)
{
    const QList<QListWidgetItem*> escolhidas = lista->selectedItems();
    return escolhidas.isEmpty() ? -1 : lista->row(escolhidas.first());
}

// A click on the line already chosen changes no selection, so the list
// tells it from a click that chose a new line only by the line chosen when
// the button went down.
class CliqueNaLinhaEscolhida : public QObject {
public:
    CliqueNaLinhaEscolhida(QListWidget* lista, std::function<void()> aoClicar)
        : QObject(lista), lista_(lista), aoClicar_(std::move(aoClicar))
    {
        lista->viewport()->installEventFilter(this);
        conectaAcao(lista, &QListWidget::clicked, this, [this](const QModelIndex& linha) {
            if (linha.row() == linhaAoPressionar_)
                aoClicar_();
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return filtraAcao([&] {
            if (event->type() == QEvent::MouseButtonPress)
                linhaAoPressionar_ = linhaEscolhida(lista_);
            return QObject::eventFilter(watched, event);
        });
    }

private:
    QListWidget* lista_;
    std::function<void()> aoClicar_;
    int linhaAoPressionar_ = -1;
};

// The practice-rhythm rule's two boxes; the exercise goes back only once the
// student has closed them.
void aplicaRitmo()
{
    const std::optional<Atraso> atraso = MedeRitmoDoAluno();
    if (!atraso)
        return;
    for (const QString& aviso : AvisosDoAtraso(*atraso))
        showMessage(BoxKind::Information, aviso);
    NumExercicio = atraso->exercicioDeVolta;
}

}  // namespace

TfEntrada::TfEntrada(QWidget* parent)
    : QDialog(parent)
{
    montaDialogoFixo(this, QStringLiteral("fEntrada"), QStringLiteral("Entrada"), impact(16),
                     QSize(kLargura, kAltura));

    criaTextos();
    criaProgresso();
    criaBotoes();
    criaLista();
    criaMenu();
    criaConexoes();
    FormCreate();
}

void TfEntrada::criaTextos()
{
    Label1 = rotulo(this, QStringLiteral("Label1"), QRect(24, 16, 348, 20),
                    QStringLiteral("Clique no seu nome  e escolha \"Fazer aula - F2\" abaixo:"));
    lbComSenha = rotulo(this, QStringLiteral("lbComSenha"), QRect(300, 52, 222, 20),
                        QStringLiteral("Digite sua &senha para fazer a aula:"));
    lbComSenha->hide();
}

void TfEntrada::criaProgresso()
{
    lbNumExerc = caixaDeValor(this, QRect(300, 112, 105, 77), QStringLiteral("Exercício feito"),
                              QStringLiteral("lbNumExerc"), 47);
    // lower than the boxes above it: the line under it may need two lines of room
    lbData = caixaDeValor(this, QRect(300, 194, 285, 58), QStringLiteral("Data do último exercício"),
                          QStringLiteral("lbData"), 47);
    lbTempo = caixaDeValor(this, QRect(412, 112, 173, 77), QStringLiteral("Melhor Tempo"),
                           QStringLiteral("lbTempo"), 47);
    for (QLabel* valor : {lbNumExerc, lbData, lbTempo})
        valor->setText(QStringLiteral("1"));
    Label5 = rotulo(this, QStringLiteral("Label5"), QRect(300, 276, 246, 11),
                    QStringLiteral("O melhor tempo é medido em t/m - Toques por minuto"));
    Label5->setFont(arial(9, true));
}

void TfEntrada::criaBotoes()
{
    bbFazerAula = new QPushButton(
        icone(QStringLiteral(":/assets/icons/porta.svg"), QStyle::SP_DialogOpenButton),
        QStringLiteral("Fazer aula - F2"), this);
    bbFazerAula->setObjectName(QStringLiteral("bbFazerAula"));
    bbFazerAula->setGeometry(300, 300, 149, 30);
    bbFazerAula->setDefault(true);

    BitBtn2 = new QPushButton(
        icone(QStringLiteral(":/assets/icons/correndo.svg"), QStyle::SP_DialogCloseButton),
        QStringLiteral("Sair - F10"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(456, 300, 129, 30);

    bbTreino = new QPushButton(icone(QStringLiteral(":/assets/icons/escrevendo.svg"), QStyle::SP_FileDialogContentsView),
                               QStringLiteral("Treino - F5"), this);
    bbTreino->setObjectName(QStringLiteral("bbTreino"));
    // under "Fazer aula", in room of its own: the other controls keep their places
    bbTreino->setGeometry(300, 338, 149, 30);

    edSenha = new QLineEdit(this);
    edSenha->setObjectName(QStringLiteral("edSenha"));
    edSenha->setGeometry(300, 76, 285, 28);
    mostraAsteriscos(edSenha);
    edSenha->hide();
    lbComSenha->setBuddy(edSenha);
}

void TfEntrada::criaLista()
{
    lbAluno = new QListWidget(this);
    lbAluno->setObjectName(QStringLiteral("lbAluno"));
    lbAluno->setGeometry(24, 52, 257, kAlturaLista);
    lbAluno->setSelectionMode(QAbstractItemView::SingleSelection);
    lbAluno->setUniformItemSizes(true);
}

void TfEntrada::criaMenu()
{
    Sair1 = itemDeMenu(this, QStringLiteral("Sair1"), QStringLiteral("Sair"), Qt::Key_F10);
    FazerAula1 = itemDeMenu(this, QStringLiteral("FazerAula1"), QStringLiteral("Fazer Aula"), Qt::Key_F2);
    // its text names its key already
    Desempenho1 = itemDeMenu(this, QStringLiteral("Desempenho1"), QStringLiteral("Desempenho - F3"), Qt::Key_F3);
    Desempenho1->setShortcutVisibleInContextMenu(false);
    Treino1 = itemDeMenu(this, QStringLiteral("Treino1"), QStringLiteral("Treino - F5"), Qt::Key_F5);
    Treino1->setShortcutVisibleInContextMenu(false);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfEntrada::criaConexoes()
{
    edSenha->installEventFilter(this);
    conectaBotaoEItem(bbFazerAula, FazerAula1, this, &TfEntrada::bbFazerAulaClick);
    conectaBotaoEItem(BitBtn2, Sair1, this, &TfEntrada::BitBtn2Click);
    conectaAcao(Desempenho1, &QAction::triggered, this, &TfEntrada::Desempenho1Click);
    conectaBotaoEItem(bbTreino, Treino1, this, &TfEntrada::Treino1Click);
    conectaAcao(edSenha, &QLineEdit::textChanged, this, &TfEntrada::edSenhaChange);
    // a new line by mouse or arrow keys; a click on the line already chosen
    conectaAcao(lbAluno, &QListWidget::itemSelectionChanged, this, [this] {
        if (linhaEscolhida(lbAluno) >= 0)
            lbAlunoClick();
    });
    new CliqueNaLinhaEscolhida(lbAluno, [this] { lbAlunoClick(); });

    setTabOrder(bbFazerAula, bbTreino);
    setTabOrder(bbTreino, BitBtn2);
    setTabOrder(BitBtn2, edSenha);
    setTabOrder(edSenha, lbAluno);
}

void TfEntrada::FormCreate()
{
    AjustaTela(this);
    setFixedSize(size());

    // lines 20 pixels high at design size, scaled with the list
    const int alturaLinha = qMax(1, qRound(double(kAlturaLinha) * lbAluno->height() / kAlturaLista));
    for (int k = 1; k <= NumAlunos; ++k) {
        auto* linha = new QListWidgetItem(fromCp1252(ListaAlunos[k].Nome.bytes()), lbAluno);
        linha->setSizeHint(QSize(0, alturaLinha));
    }
    // no line is current: the first arrow key chooses the first name
    lbAluno->setCurrentIndex(QModelIndex());
}

void TfEntrada::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!ativada_) {
        ativada_ = true;
        QTimer::singleShot(0, this, [this] { executaAcao([this] { FormActivate(); }); });
    }
}

void TfEntrada::FormActivate()
{
    dbgAlunosClick();
}

// The password gate looks at AlunoAtual as the screen finds it, not at the list.
void TfEntrada::dbgAlunosClick()
{
    if (!AlunoAtual.Senha.empty()) {
        mostraSenha(true);
        habilitaAulaETreino(false);
        edSenha->setFocus();
    } else {
        mostraSenha(false);
        bbFazerAulaClick();
    }
}

void TfEntrada::mostraSenha(bool comSenha)
{
    lbComSenha->setVisible(comSenha);
    edSenha->setVisible(comSenha);
}

void TfEntrada::lbAlunoClick()
{
    const int linha = linhaEscolhida(lbAluno);
    if (linha >= 0)
        AlunoAtual = ListaAlunos[linha + 1];
    CodAlunoAtual = AlunoAtual.Codigo;

    LeHistoricoAulas();

    NumExercicio = AulaAtual.NumExerc;
    lbNumExerc->setText(QString::number(NumExercicio));
    lbData->setText(shortDate(AulaAtual.Data));
    lbTempo->setText(QString::number(AulaAtual.Tempo) + QStringLiteral(" t/m"));
    for (QLabel* valor : {lbNumExerc, lbData, lbTempo})
        AjustaTexto(valor);

    const bool comSenha = !AlunoAtual.Senha.empty();
    // text typed for another student must not count against one without a password
    if (!comSenha)
        esvaziaSenha();
    mostraSenha(comSenha);
    if (comSenha)
        edSenha->setFocus();
    else
        habilitaAulaETreino(true);
}

void TfEntrada::edSenhaChange()
{
    habilitaAulaETreino(!edSenha->text().isEmpty());
}

// The lesson and the practice open behind the same password: their buttons
// follow the field together.
void TfEntrada::habilitaAulaETreino(bool habilitados)
{
    bbFazerAula->setEnabled(habilitados);
    bbTreino->setEnabled(habilitados);
}

// Emptying a field that is empty already changes no text: the button must
// follow the field all the same.
void TfEntrada::esvaziaSenha()
{
    edSenha->clear();
    edSenhaChange();
}

void TfEntrada::edSenhaEnter()
{
    coresDeFoco(edSenha);
}

void TfEntrada::edSenhaExit()
{
    coresSemFoco(edSenha);
}

bool TfEntrada::eventFilter(QObject* watched, QEvent* event)
{
    return filtraAcao([&] {
        if (watched == edSenha && event->type() == QEvent::FocusIn)
            edSenhaEnter();
        else if (watched == edSenha && event->type() == QEvent::FocusOut)
            edSenhaExit();
        return QDialog::eventFilter(watched, event);
    });
}


// A wrong password is told, and the field emptied for the next try.
bool TfEntrada::senhaConfere()
{
    if (SenhaConfere(AlunoAtual, edSenha->text()))
        return true;
    showMessage(BoxKind::Warning, QStringLiteral("Sua senha digitada não está correta.\rTente novamente, por favor."));
    esvaziaSenha();
    edSenha->setFocus();
    return false;
}

// The lesson, the progress and the practice open behind the student's
// password. Whichever ran leaves no password behind for the next student,
// and a student without a password may go on at once.
void TfEntrada::comSenha(const std::function<void()>& acao)
{
    if (!senhaConfere())
        return;
    {
        const auto esvazia = qScopeGuard([this] { esvaziaSenha(); });
        acao();
    }
    lbAlunoClick();
    requestFocus(this);
}

void TfEntrada::bbFazerAulaClick()
{
    comSenha([this] {
        NumExercicio = ProximoExercicio(AulaAtual);
        // the next lesson starts from a new exercise screen
        auto* fExercicio = new TfExercicio(this);
        const auto descarta = qScopeGuard([fExercicio] { fExercicio->deleteLater(); });
        fazAula(fExercicio);
    });
}

void TfEntrada::fazAula(TfExercicio* fExercicio)
{
    fExercicio->lbUltimaData->setText(QStringLiteral("Última aula feita em: ")
                                      + shortDate(AulaAtual.Data));
    aplicaRitmo();
    if (CursoTerminaAntes(NumExercicio)) {
        showMessage(BoxKind::Information, kCursoConcluido);
        return;
    }
    fExercicio->lbNome->setText(fromCp1252(AlunoAtual.Nome.bytes()));
    ExercicioAtual = Exercicios[NumExercicio];
    fExercicio->MostraExercicio();
    fExercicio->exec();
}

void TfEntrada::Desempenho1Click()
{
    comSenha([this] { MostraDesempenho(this); });
}

// Lines made from the characters of the exercises passed so far.
void TfEntrada::Treino1Click()
{
    comSenha([this] { fazTreino(); });
}

void TfEntrada::fazTreino()
{
    const treino::Ensinados ensinados = treino::CaracteresDoCurso(Exercicios.entries, AulaAtual.NumExerc);
    if (std::none_of(ensinados.begin(), ensinados.end(), [](bool ensinado) { return ensinado; })) {
        showMessage(BoxKind::Information, treino::kTreinoSemExercicio);
        return;
    }
    treino::GeradorDeLinhas gerador(treino::CarregaPalavras(), treino::CarregaFrases(), ensinados,
                                    QRandomGenerator::global()->generate());
    treino::Treino pratica(CodAlunoAtual, estatisticas::TeclasDosAlunos({CodAlunoAtual}).front(), std::move(gerador),
                           today() + timeOfDay());
    TfTreino tela(fromCp1252(AlunoAtual.Nome.bytes()), std::move(pratica), this);
    tela.exec();
}

void TfEntrada::BitBtn2Click()
{
    reject();
}
