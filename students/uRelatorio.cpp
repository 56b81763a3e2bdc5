#include "students/uRelatorio.h"

#include "students/folhasdorelatorio.h"
#include "data/records.h"
#include "platform/clock.h"
#include "platform/system.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QVBoxLayout>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 860;
constexpr int kAltura = 640;
constexpr int kTopoDosBotoes = 596;

// the buttons stand in a row under the preview
QRect lugarDoBotao(int esquerda)
{
    return QRect(esquerda, kTopoDosBotoes, 150, 30);
}

const QString kFiltroPdf = QStringLiteral("PDF (*.pdf)");
const QString kFiltroCsv = QStringLiteral("CSV, para planilhas (*.csv)");

// A name typed without an extension takes the one of the format chosen.
QString comExtensao(const ArquivoEscolhido& escolhido)
{
    if (!QFileInfo(escolhido.nome).suffix().isEmpty())
        return escolhido.nome;
    return escolhido.nome + (escolhido.filtro == kFiltroCsv ? QStringLiteral(".csv") : QStringLiteral(".pdf"));
}

QString nomeSugerido()
{
    return QDir(documentsFolder()).filePath(QStringLiteral("relatorio-da-turma.pdf"));
}

}  // namespace

TfRelatorio::TfRelatorio(std::vector<Desempenho> turma, QString pasta, QDate impresso, QWidget* parent)
    : QDialog(parent),
      turma_(std::move(turma)),
      pasta_(std::move(pasta)),
      impresso_(impresso),
      impressora_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    montaDialogoFixo(this, QStringLiteral("fRelatorio"), kTituloDoRelatorio, arial(13), QSize(kLargura, kAltura));
    impressora_->setDocName(kTituloDoRelatorio);
    preparaFolhas(*impressora_);

    pnPrevia = new QWidget(this);
    pnPrevia->setObjectName(QStringLiteral("pnPrevia"));
    pnPrevia->setGeometry(24, 16, 812, 568);
    bbImprimir = botao(this, QStringLiteral("bbImprimir"), QStringLiteral("Imprimir - F5"), lugarDoBotao(24),
                       QString(), QStyle::SP_FileIcon);
    bbSalvar = botao(this, QStringLiteral("bbSalvar"), QStringLiteral("Salvar - F6"), lugarDoBotao(184), QString(),
                     QStyle::SP_DialogSaveButton);
    bbFechar = botao(this, QStringLiteral("bbFechar"), QStringLiteral("Fechar - F10"), lugarDoBotao(686),
                     QStringLiteral(":/assets/icons/correndo.svg"), QStyle::SP_DialogCloseButton);
    criaMenu();
    FormCreate();
}

TfRelatorio::~TfRelatorio() = default;

void TfRelatorio::criaMenu()
{
    Imprimir1 = itemDeMenu(this, QStringLiteral("Imprimir1"), QStringLiteral("Imprimir"), Qt::Key_F5);
    Salvar1 = itemDeMenu(this, QStringLiteral("Salvar1"), QStringLiteral("Salvar"), Qt::Key_F6);
    Fechar1 = itemDeMenu(this, QStringLiteral("Fechar1"), QStringLiteral("Fechar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    conectaBotaoEItem(bbImprimir, Imprimir1, this, &TfRelatorio::bbImprimirClick);
    conectaBotaoEItem(bbSalvar, Salvar1, this, &TfRelatorio::bbSalvarClick);
    conectaBotaoEItem(bbFechar, Fechar1, this, &TfRelatorio::bbFecharClick);
}

// The preview lays its pages out itself: it joins the screen once the screen
// has its size, in the room kept for it.
void TfRelatorio::FormCreate()
{
    AjustaTela(this);
    setFixedSize(size());
    pvRelatorio = new QPrintPreviewWidget(impressora_.get(), pnPrevia);
    pvRelatorio->setObjectName(QStringLiteral("pvRelatorio"));
    auto* layout = new QVBoxLayout(pnPrevia);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pvRelatorio);
    pvRelatorio->setZoomMode(QPrintPreviewWidget::FitToWidth);
    conectaAcao(pvRelatorio, &QPrintPreviewWidget::paintRequested, this, &TfRelatorio::desenha);
    bbFechar->setFocus();
}

void TfRelatorio::desenha(QPrinter* folhas)
{
    desenhaRelatorio(*folhas, turma_, pasta_, impresso_);
}

void TfRelatorio::bbImprimirClick()
{
    if (!escolheImpressora(this, QStringLiteral("Imprimir o relatório da turma"), *impressora_))
        return;
    if (!desenhaRelatorio(*impressora_, turma_, pasta_, impresso_))
        showMessage(BoxKind::Error, QStringLiteral("Não foi possível imprimir o relatório."));
    // the preview follows the paper and margins chosen for printing
    pvRelatorio->updatePreview();
}

void TfRelatorio::bbSalvarClick()
{
    const std::optional<ArquivoEscolhido> escolhido =
        arquivoParaSalvar(this, QStringLiteral("Salvar o relatório da turma"), nomeSugerido(), {kFiltroPdf, kFiltroCsv});
    if (!escolhido)
        return;
    if (const std::optional<QString> problema = gravaRelatorio(comExtensao(*escolhido), turma_, pasta_, impresso_))
        showMessage(BoxKind::Error, QStringLiteral("O relatório não foi salvo: %1.").arg(*problema));
}

void TfRelatorio::bbFecharClick()
{
    reject();
}

void MostraRelatorio(QWidget* parent)
{
    // the roster is read again; the student the screens know stays the same
    const QScopedValueRollback<tAluno> aluno(AlunoAtual);
    TfRelatorio tela(DesempenhoDaTurma(), QDir::currentPath(), dateOfDayCount(today()), parent);
    tela.exec();
}
