#include "students/uMatricula.h"

#include "students/campos.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 640;
constexpr int kAltura = 465;

QString textoDaLinha(const LinhaDaTurma& linha)
{
    // a line without a name shows its e-mail alone
    const QString aluno = linha.email.isEmpty()
                              ? Visivel(linha.nome)
                              : QStringLiteral("%1 (%2)").arg(Visivel(linha.nome), Visivel(linha.email)).trimmed();
    if (!linha.fora.isEmpty())
        return QStringLiteral("Fica de fora, linha %1: %2 - %3").arg(linha.numero).arg(aluno, linha.fora);
    if (!linha.repetida.isEmpty())
        return QStringLiteral("Repetido, mas matriculado, linha %1: %2 - %3")
            .arg(linha.numero)
            .arg(aluno, linha.repetida);
    return aluno;
}

bool temRepetidas(const std::vector<LinhaDaTurma>& turma)
{
    return std::any_of(turma.begin(), turma.end(), [](const LinhaDaTurma& l) { return !l.repetida.isEmpty(); });
}

}  // namespace

TfMatricula::TfMatricula(const QString& arquivo, std::vector<LinhaDaTurma> turma, std::int64_t vagas,
                         QWidget* parent)
    : QDialog(parent), turma_(std::move(turma)), vagas_(vagas)
{
    montaDialogoFixo(this, QStringLiteral("fMatricula"), QStringLiteral("Matricular a turma"), msSansSerif(13),
                     QSize(kLargura, kAltura));
    criaLista(arquivo);
    criaBotoes();
    FormCreate();
}

void TfMatricula::criaLista(const QString& arquivo)
{
    lbArquivo = new QLabel(QStringLiteral("Lista: %1").arg(QFileInfo(arquivo).fileName()), this);
    lbArquivo->setObjectName(QStringLiteral("lbArquivo"));
    lbArquivo->setTextFormat(Qt::PlainText);
    lbArquivo->setToolTip(QDir::toNativeSeparators(arquivo));
    lbArquivo->setGeometry(16, 12, 608, 20);

    lbResumo = new QLabel(this);
    lbResumo->setObjectName(QStringLiteral("lbResumo"));
    lbResumo->setGeometry(16, 34, 608, 20);

    // each line in full: a long reason goes on in the lines below it
    lbLista = new QListWidget(this);
    lbLista->setObjectName(QStringLiteral("lbLista"));
    lbLista->setAccessibleName(QStringLiteral("Linhas da lista"));
    lbLista->setWordWrap(true);
    // a line that takes two rows is told from the next by its shade
    lbLista->setAlternatingRowColors(true);
    lbLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbLista->setResizeMode(QListView::Adjust);
    lbLista->setGeometry(16, 58, 608, 262);

    cbRepetidas = new QCheckBox(QStringLiteral("Matricular também os repetidos"), this);
    cbRepetidas->setObjectName(QStringLiteral("cbRepetidas"));
    cbRepetidas->setAccessibleName(cbRepetidas->text());
    cbRepetidas->setAccessibleDescription(
        QStringLiteral("Quem já está no curso ou aparece mais de uma vez na lista"));
    cbRepetidas->setGeometry(16, 328, 608, 22);
    cbRepetidas->setEnabled(temRepetidas(turma_));

    const GrupoDePeriodo periodo = criaGrupoDePeriodo(this, QRect(16, 360, 184, 89));
    rgPeriodo = periodo.caixa;
    grupoPeriodo = periodo.escolhas;
    lbRitmo = new QLabel(QStringLiteral("Escolha o período mínimo de prática de todos os alunos da lista."), this);
    lbRitmo->setObjectName(QStringLiteral("lbRitmo"));
    lbRitmo->setWordWrap(true);
    lbRitmo->setGeometry(216, 360, 408, 52);
}

void TfMatricula::criaBotoes()
{
    bbMatricular =
        botaoSemFoco(this, QStringLiteral("bbMatricular"), QStringLiteral("Matricular - F5"), QRect(216, 419, 190, 30),
                     QStringLiteral(":/assets/icons/escrevendo.svg"), QStyle::SP_DialogSaveButton);
    bbCancelar =
        botaoSemFoco(this, QStringLiteral("bbCancelar"), QStringLiteral("Cancelar - F10"), QRect(484, 419, 140, 30),
                     QStringLiteral(":/assets/icons/cancela.svg"), QStyle::SP_DialogCancelButton);
    Matricular1 = itemDeMenu(this, QStringLiteral("Matricular1"), QStringLiteral("Matricular"), Qt::Key_F5);
    Cancelar1 = itemDeMenu(this, QStringLiteral("Cancelar1"), QStringLiteral("Cancelar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    conectaBotaoEItem(bbMatricular, Matricular1, this, &TfMatricula::bbMatricularClick);
    conectaBotaoEItem(bbCancelar, Cancelar1, this, &TfMatricula::bbCancelarClick);
    conectaAcao(cbRepetidas, &QCheckBox::toggled, this, &TfMatricula::cbRepetidasClick);
    conectaAcao(grupoPeriodo, &QButtonGroup::idToggled, this, &TfMatricula::rgPeriodoClick);
}

void TfMatricula::FormCreate()
{
    AjustaTela(this);
    setFixedSize(size());
    cbRepetidasClick();
    grupoPeriodo->button(0)->setFocus();
}

void TfMatricula::mostraLista()
{
    lbLista->clear();
    for (const LinhaDaTurma& linha : turma_) {
        auto* item = new QListWidgetItem(textoDaLinha(linha), lbLista);
        if (!linha.fora.isEmpty())
            item->setForeground(kMarrom);
    }
    const int aceitas = Aceitas(turma_);
    lbResumo->setText(QStringLiteral("Alunos a matricular, sem senha: %1. Linhas que ficam de fora: %2.")
                          .arg(aceitas)
                          .arg(int(turma_.size()) - aceitas));
}

std::optional<int> TfMatricula::periodo() const
{
    const int escolhido = grupoPeriodo->checkedId();
    return escolhido >= 0 ? std::optional(escolhido) : std::nullopt;
}

// The repeated lines go in or stay out as the box says, and the places left
// go to the lines in their order.
void TfMatricula::cbRepetidasClick()
{
    DecideMatricula(turma_, cbRepetidas->isChecked(), vagas_);
    mostraLista();
    rgPeriodoClick();
}

// Nothing is enrolled before a period is chosen for all.
void TfMatricula::rgPeriodoClick()
{
    const bool pode = periodo().has_value() && Aceitas(turma_) > 0;
    bbMatricular->setEnabled(pode);
    Matricular1->setEnabled(pode);
}

void TfMatricula::bbMatricularClick()
{
    if (periodo() && Aceitas(turma_) > 0)
        accept();
}

void TfMatricula::bbCancelarClick()
{
    reject();
}

std::optional<int> EscolheMatricula(QWidget* dono, const QString& arquivo, std::vector<LinhaDaTurma>& turma,
                                    std::int64_t vagas)
{
    TfMatricula tela(arquivo, turma, vagas, dono);
    const bool confirmada = tela.exec() == QDialog::Accepted;
    requestFocus(dono);
    if (!confirmada)
        return std::nullopt;
    turma = tela.turma();
    return tela.periodo();
}
