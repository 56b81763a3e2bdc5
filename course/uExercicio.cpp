#include "course/uExercicio.h"

#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "course/aula.h"
#include "course/entradadocampo.h"
#include "ui/pecas.h"
#include "ui/tecladonatela.h"
#include "data/records.h"
#include "data/text.h"

#include <QAction>
#include <QFrame>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QKeyEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTextCursor>

using namespace aparencia;

namespace {

constexpr int kLargura = 644;
constexpr int kAltura = 547;
// the keyboard guide, below the rest, its top a little apart
constexpr int kTopoDoTeclado = kAltura + 4;
constexpr int kAlturaComTeclado = kTopoDoTeclado + TecladoNaTela::kTamanhoProjeto.height() + 4;
constexpr int kAlturaStatus = 23;

// a heading across the screen
QLabel* titulo(QWidget* pai, const QString& nome, int topo, const QString& texto, const QColor& cor = kMarinho)
{
    return aparencia::titulo(pai, nome, QRect(8, topo, 621, 20), texto, arial(13, true), cor);
}

}  // namespace

TfExercicio::TfExercicio(QWidget* parent)
    : QDialog(parent), lbNome(new QLabel(this)), lbUltimaData(new QLabel(this))
{
    montaDialogoFixo(this, QStringLiteral("fExercicio"), QStringLiteral("Exercícios de digitação"),
                     arial(13), QSize(kLargura, kAlturaComTeclado));

    criaCabecalho();
    criaExercicio();
    criaDigitacao();
    criaRodape();
    criaTeclado();
    criaConexoes();
    FormCreate();
}

void TfExercicio::criaCabecalho()
{
    fraNumero = painel(this, QStringLiteral("fraNumero"), QRect(8, 8, 50, 45), faceDeBotao());
    lbTituloNumero = rotulo(this, QStringLiteral("lbTituloNumero"), QRect(12, 12, 41, 11),
                            QStringLiteral("Exerc. Nº"), arial(9, true), kBranco, Qt::AlignHCenter);
    pintaFundo(lbTituloNumero, kVermelho);
    lbNumExerc = rotulo(this, QStringLiteral("lbNumExerc"), QRect(12, 24, 41, 24), QString(),
                        arial(20, true), kMarinho, Qt::AlignHCenter);
    pintaFundo(lbNumExerc, kBranco);

    lbNome->setObjectName(QStringLiteral("lbNome"));
    lbNome->setTextFormat(Qt::PlainText);
    lbNome->setGeometry(60, 8, 569, 29);
    lbNome->setFont(arial(24, true));
    lbNome->setText(QStringLiteral("Nome do aluno"));
    pinta(lbNome, QPalette::WindowText, kMarinho);

    lbDataHora = rotulo(this, QStringLiteral("lbDataHora"), QRect(60, 40, 124, 16),
                        QStringLiteral("Data e Hora:"), arial(13), textoDeJanela());
    lbUltimaData->setObjectName(QStringLiteral("lbUltimaData"));
    lbUltimaData->setTextFormat(Qt::PlainText);
    lbUltimaData->setGeometry(188, 40, 441, 16);
    lbUltimaData->setFont(arial(13));
    lbUltimaData->setText(QStringLiteral("Última aula feita em: "));
}

void TfExercicio::criaExercicio()
{
    lbTituloInstrucao = titulo(this, QStringLiteral("lbTituloInstrucao"), 60,
                               QStringLiteral("Instruções para este exercício:"));
    pnInstrucao = painel(this, QStringLiteral("pnInstrucao"), QRect(8, 80, 620, 61), kVerdeClaro);
    dtInstrucao = rotulo(pnInstrucao, QStringLiteral("dtInstrucao"), QRect(QPoint(4, 4), kTamanhoDaInstrucao),
                         QString(), fonteDaInstrucao(), textoDeJanela(), Qt::AlignHCenter);
    dtInstrucao->setWordWrap(true);

    lbTituloExercicio = titulo(this, QStringLiteral("lbTituloExercicio"), 148,
                               QStringLiteral("Exercício a ser copiado:"));
    pnExercicio = painel(this, QStringLiteral("pnExercicio"), QRect(8, 168, 620, 109), kAmareloClaro);
    const int topos[] = {4, 30, 57, 84};
    for (int k = 0; k < 4; ++k) {
        dbExercLin[k] = rotulo(pnExercicio, QStringLiteral("dbExercLin%1").arg(k + 1),
                               QRect(8, topos[k], kLarguraDaLinha, 20), QString(), fonteDaLinha(), kAgua,
                               Qt::AlignHCenter);
        dbExercLin[k]->setWordWrap(true);
    }
    destacaLinhaAtual();
}

void TfExercicio::criaDigitacao()
{
    lbTituloDigitacao = titulo(
        this, QStringLiteral("lbTituloDigitacao"), 288,
        QStringLiteral("Digite abaixo o texto indicado acima (tecle <ENTER> ao terminar cada linha):"),
        kVermelho);

    edNumLinha = campoDeDigitacao(this, QStringLiteral("edNumLinha"), QRect(8, 308, 25, 30));
    edNumLinha->setReadOnly(true);
    // keys typed here reach the typing field, composed characters too
    edNumLinha->setAttribute(Qt::WA_InputMethodEnabled, true);
    edNumLinha->setText(QStringLiteral("1."));
    edNumLinha->setCursor(Qt::ForbiddenCursor);

    edDig = campoDeDigitacao(this, QStringLiteral("edDig"), QRect(36, 308, 592, 30));
    edDig->setMaxLength(80);

    lbTituloResultado = titulo(this, QStringLiteral("lbTituloResultado"), 344,
                               QStringLiteral("Resultado da digitação:"));
    mmResultado = new QPlainTextEdit(this);
    mmResultado->setObjectName(QStringLiteral("mmResultado"));
    mmResultado->setGeometry(8, 364, 621, 101);
    mmResultado->setReadOnly(true);
    mmResultado->setFocusPolicy(Qt::StrongFocus);
    mmResultado->setTabChangesFocus(true);
    // a line wider than the list wraps: it scrolls only up and down
    mmResultado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmResultado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmResultado->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmResultado->setFont(arial(13));
    pinta(mmResultado, QPalette::Text, kMarinho);
    pinta(mmResultado, QPalette::Base, kAguaClara);
    linhasResultado_ = 1;  // one empty line at opening
}

void TfExercicio::criaRodape()
{
    // ENTER after a Tab out of the typing field must not end the lesson
    BitBtn1 = new Botao(style()->standardIcon(QStyle::SP_DialogCloseButton),
                        QStringLiteral("Finalizar aula - F10"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(416, 476, 213, 30);

    lbDigitado = rotulo(this, QStringLiteral("lbDigitado"),
                        QRect(0, kAltura - kAlturaStatus, kLargura, kAlturaStatus),
                        QStringLiteral("Caracteres digitados"), arial(17, true),
                        textoDeJanela(), Qt::AlignHCenter);
    lbDigitado->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pintaFundo(lbDigitado, faceDeBotao());

    Finalizar1 = itemDeMenu(this, QStringLiteral("Finalizar1"), QStringLiteral("Finalizar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setTabOrder(edDig, mmResultado);
    setTabOrder(mmResultado, BitBtn1);
    setTabOrder(BitBtn1, edNumLinha);
}

void TfExercicio::criaTeclado()
{
    teclado_ = new TecladoNaTela(this);
    teclado_->move((kLargura - TecladoNaTela::kTamanhoProjeto.width()) / 2, kTopoDoTeclado);
    // a guide the student can put away, and have back, without leaving the field
    MostraTeclado1 = new QShortcut(Qt::Key_F4, this);
    MostraTeclado1->setObjectName(QStringLiteral("MostraTeclado1"));
}

void TfExercicio::criaConexoes()
{
    conectaBotaoEItem(BitBtn1, Finalizar1, this, &QDialog::close);
    conectaAcao(MostraTeclado1, &QShortcut::activated, teclado_, &TecladoNaTela::alterna);
    // however the screen closes, only the line being typed is lost
    conectaAcao(this, &QDialog::finished, this, [this] { licao_.GravaToques(); });
    new EntradaDoCampo({edDig, edNumLinha},
                       {[this](int codigo) { return edDigKeyDown(codigo); },
                        [this](char caractere) { edDigKeyPress(caractere); }, [this] { digitouTeclaMorta(); }},
                       this);
}

void TfExercicio::FormCreate()
{
    AjustaTela(this);
    // without the keyboard the screen is as it always was: it ends with the status bar
    teclado_->ficaAbaixoDe(lbDigitado);
    CentraNaTela(this);

    edDig->setCursor(Qt::BlankCursor);
}

void TfExercicio::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!licao_.Aberta())
        executaAcao([this] { FormShow(); });
}

void TfExercicio::FormShow()
{
    licao_.Abre();
    AjustaTexto(lbNome);  // the entry screen has named the student
    edDig->setFocus();
    if (licao_.ModoSom())
        teclado_->mostraNotas();
    else
        atualizaGuia();
}

// The guide follows the field as typed: the next character of the line, its
// dead key first, or ENTER at the line's end.
void TfExercicio::atualizaGuia()
{
    if (licao_.ModoSom())
        return;
    teclado_->mostraProximo(licao_.ProximoCaractere(), mortaDigitada_);
}

void TfExercicio::keyPressEvent(QKeyEvent* event)
{
    // the screen closes only through its button, F10 and the title bar
    if (!seguraEsc(event))
        QDialog::keyPressEvent(event);
}

void TfExercicio::MostraExercicio()
{
    lbNumExerc->setText(QString::number(ExercicioAtual.Numero));
    dtInstrucao->setText(InstrucaoMostrada(ExercicioAtual.Instrucao.bytes(), ExercicioAtual.NumToques));
    for (int k = 0; k < 4; ++k)
        dbExercLin[k]->setText(fromCp1252(LinhaDoExercicio(k + 1)));
}

void TfExercicio::destacaLinhaAtual()
{
    for (int k = 0; k < 4; ++k)
        pinta(dbExercLin[k], QPalette::WindowText, k + 1 == licao_.LinhaAtual() ? kMarinho : kAgua);
}

void TfExercicio::adicionaResultado(const QString& linha)
{
    QTextCursor cursor(mmResultado->document());
    cursor.movePosition(QTextCursor::End);
    if (linhasResultado_ > 0)
        cursor.insertBlock();
    cursor.insertText(linha);
    ++linhasResultado_;
    mmResultado->setTextCursor(cursor);
    mmResultado->ensureCursorVisible();
}

void TfExercicio::mostraStatus(const Licao::Status& status)
{
    mostraStatusDoCampo(lbDigitado, status);
}
