#include "course/uTreino.h"

#include "course/entradadocampo.h"
#include "course/teclas.h"
#include "data/text.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/aviso.h"
#include "ui/dialogs.h"
#include "ui/pecas.h"
#include "ui/tecladonatela.h"
#include "ui/uAjusta.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStyle>

using namespace aparencia;

namespace {

constexpr int kLargura = 644;
constexpr int kAltura = 359;
constexpr int kAlturaStatus = 23;
constexpr int kTopoDoTeclado = kAltura + 4;
constexpr int kAlturaComTeclado = kTopoDoTeclado + TecladoNaTela::kTamanhoProjeto.height() + 4;

// a heading across the screen
QLabel* titulo(QWidget* pai, const QString& nome, int topo, const QString& texto, const QColor& cor = kMarinho)
{
    return aparencia::titulo(pai, nome, QRect(8, topo, 628, 20), texto, arial(15, true), cor);
}

}  // namespace

TfTreino::TfTreino(const QString& nome, treino::Treino treino, QWidget* parent)
    : QDialog(parent), treino_(std::move(treino))
{
    montaDialogoFixo(this, QStringLiteral("fTreino"), QStringLiteral("Treino de digitação"), arial(13),
                     QSize(kLargura, kAlturaComTeclado));
    criaLinha(nome);
    criaDigitacao();
    criaRodape();
    criaConexoes();
    FormCreate();
}

void TfTreino::criaLinha(const QString& nome)
{
    lbNome = rotulo(this, QStringLiteral("lbNome"), QRect(8, 8, 628, 29), nome, arial(24, true), kMarinho,
                    Qt::AlignHCenter);
    lbNome->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbTituloLinha = titulo(this, QStringLiteral("lbTituloLinha"), 44,
                           QStringLiteral("Linha a ser copiada (feita com as teclas que você mais precisa treinar):"));
    pnLinha = painel(this, QStringLiteral("pnLinha"), QRect(8, 64, 628, 40), kAmareloClaro);
    dbLinha = rotulo(pnLinha, QStringLiteral("dbLinha"), QRect(8, 8, 612, 24), fromCp1252(treino_.Linha()),
                     fonteDaLinha(), kMarinho);
}

void TfTreino::criaDigitacao()
{
    lbTituloDigitacao = titulo(this, QStringLiteral("lbTituloDigitacao"), 112,
                               QStringLiteral("Digite abaixo a linha acima (tecle <ENTER> ao terminar):"), kVermelho);
    edDig = campoDeDigitacao(this, QStringLiteral("edDig"), QRect(8, 132, 628, 30));
    edDig->setAccessibleName(QStringLiteral("Linha digitada"));
    edDig->setMaxLength(CampoDeDigitacao::kCapacidade);

    lbTituloResultado = titulo(this, QStringLiteral("lbTituloResultado"), 168,
                               QStringLiteral("Resultado de cada linha:"));
    mmResultado = new QPlainTextEdit(this);
    mmResultado->setObjectName(QStringLiteral("mmResultado"));
    mmResultado->setGeometry(8, 188, 628, 101);
    mmResultado->setReadOnly(true);
    mmResultado->setTabChangesFocus(true);
    mmResultado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmResultado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmResultado->setFont(arial(13));
    pinta(mmResultado, QPalette::Text, kMarinho);
    pinta(mmResultado, QPalette::Base, kAguaClara);
}

void TfTreino::criaRodape()
{
    BitBtn1 = new Botao(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Terminar treino - F10"),
                        this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(423, 298, 213, 30);

    // the status bar speaks what a listener needs while the focus stays in the field
    lbDigitado = new AvisoFalado(this);
    lbDigitado->setObjectName(QStringLiteral("lbDigitado"));
    lbDigitado->setWordWrap(false);
    lbDigitado->setGeometry(0, kAltura - kAlturaStatus, kLargura, kAlturaStatus);
    lbDigitado->setFont(arial(17, true));
    lbDigitado->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    pinta(lbDigitado, QPalette::WindowText, textoDeJanela());
    lbDigitado->mostra(QStringLiteral("Digite a linha e tecle ENTER"));
    lbDigitado->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pintaFundo(lbDigitado, faceDeBotao());

    Terminar1 = itemDeMenu(this, QStringLiteral("Terminar1"), QStringLiteral("Terminar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    teclado_ = new TecladoNaTela(this);
    teclado_->move((kLargura - TecladoNaTela::kTamanhoProjeto.width()) / 2, kTopoDoTeclado);
    MostraTeclado1 = new QShortcut(Qt::Key_F4, this);
    MostraTeclado1->setObjectName(QStringLiteral("MostraTeclado1"));

    setTabOrder(edDig, mmResultado);
    setTabOrder(mmResultado, BitBtn1);
}

void TfTreino::criaConexoes()
{
    conectaBotaoEItem(BitBtn1, Terminar1, this, &QDialog::close);
    conectaAcao(MostraTeclado1, &QShortcut::activated, teclado_, &TecladoNaTela::alterna);
    conectaAcao(this, &QDialog::finished, this, &TfTreino::FormClose);
    new EntradaDoCampo({edDig},
                       {[this](int codigo) { return edDigKeyDown(codigo); },
                        [this](char caractere) { edDigKeyPress(caractere); }, [this] { digitouTeclaMorta(); }},
                       this);
}

void TfTreino::FormCreate()
{
    AjustaTela1024(this);
    teclado_->ficaAbaixoDe(lbDigitado);
    CentraNaTela(this);
    edDig->setCursor(Qt::BlankCursor);
}

void TfTreino::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (aberto_)
        return;
    aberto_ = true;
    executaAcao([this] {
        AjustaTexto(lbNome);
        AjustaTexto(dbLinha);
        edDig->setFocus();
        atualizaGuia();
    });
}

void TfTreino::atualizaGuia()
{
    teclado_->mostraProximo(treino_.ProximoCaractere(), mortaDigitada_);
}

// Esc ends the practice from the field too; the keys that would move the
// caret are refused as in the course.
bool TfTreino::edDigKeyDown(int codigo)
{
    if (codigo == teclas::Escape) {
        close();
        return false;
    }
    const std::optional<StatusDoCampo> recusa = CampoDeDigitacao::TeclaDeMovimento(codigo);
    if (recusa)
        mostraStatus(*recusa);
    return !recusa;
}

void TfTreino::edDigKeyPress(char caractere)
{
    mortaDigitada_ = false;
    const auto guia = qScopeGuard([this] { atualizaGuia(); });
    const treino::Treino::Resposta resposta = treino_.Digita(caractere);
    if (resposta.status)
        mostraStatus(*resposta.status);
    mostraCampo();
    if (resposta.linhaFeita)
        mostraLinhaFeita(*resposta.linhaFeita);
}

void TfTreino::digitouTeclaMorta()
{
    mortaDigitada_ = true;
    atualizaGuia();
}

// The line's figures in the list, the next line on view, and what the line
// cost each character kept at once.
void TfTreino::mostraLinhaFeita(const treino::LinhaFeita& feita)
{
    mmResultado->appendPlainText(feita.resultado);
    dbLinha->setText(fromCp1252(treino_.Linha()));
    AjustaTexto(dbLinha);
    treino_.GravaToques();
}

// Every status is shown; all but the running count of the characters typed
// is spoken too, shown anew so that a screen reader says it again.
void TfTreino::mostraStatus(const StatusDoCampo& status)
{
    if (status.cores != CoresDoStatus::Contagem)
        lbDigitado->hide();
    lbDigitado->mostra(status.texto);
    mostraStatusDoCampo(lbDigitado, status);
}

void TfTreino::mostraCampo()
{
    mostraNoCampo(edDig, fromCp1252(treino_.Campo()));
}

void TfTreino::FormClose()
{
    treino_.GravaToques();
    if (treino_.LinhasFeitas() > 0)
        showMessage(BoxKind::Information, treino::TextoDoResumo(treino_.Resumo()));
}
