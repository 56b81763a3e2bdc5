#include "app/uMatricula.h"

#include "students/campos.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

using namespace aparencia;

namespace {

constexpr int kLargura = 560;
constexpr int kAltura = 410;

QString textoDaLinha(const LinhaDaTurma& linha)
{
    // a line without a name shows its e-mail alone
    const QString aluno =
        linha.email.isEmpty() ? linha.nome : QStringLiteral("%1 (%2)").arg(linha.nome, linha.email).trimmed();
    if (linha.recusa.isEmpty())
        return aluno;
    return QStringLiteral("Fica de fora, linha %1: %2 - %3").arg(linha.numero).arg(aluno, linha.recusa);
}

}  // namespace

TfMatricula::TfMatricula(const QString& arquivo, const std::vector<LinhaDaTurma>& turma, QWidget* parent)
    : QDialog(parent), aceitas_(Aceitas(turma))
{
    montaDialogoFixo(this, QStringLiteral("fMatricula"), QStringLiteral("Matricular a turma"), msSansSerif(13),
                     QSize(kLargura, kAltura));
    criaLista(arquivo, turma);
    criaBotoes();
    FormCreate();
}

void TfMatricula::criaLista(const QString& arquivo, const std::vector<LinhaDaTurma>& turma)
{
    lbArquivo = new QLabel(QStringLiteral("Lista: %1").arg(QFileInfo(arquivo).fileName()), this);
    lbArquivo->setObjectName(QStringLiteral("lbArquivo"));
    lbArquivo->setTextFormat(Qt::PlainText);
    lbArquivo->setToolTip(QDir::toNativeSeparators(arquivo));
    lbArquivo->setGeometry(16, 12, 528, 20);

    const int recusadas = int(turma.size()) - aceitas_;
    lbResumo = new QLabel(QStringLiteral("Alunos a matricular, sem senha: %1. Linhas que ficam de fora: %2.")
                              .arg(aceitas_)
                              .arg(recusadas),
                          this);
    lbResumo->setObjectName(QStringLiteral("lbResumo"));
    lbResumo->setGeometry(16, 34, 528, 20);

    lbLista = new QListWidget(this);
    lbLista->setObjectName(QStringLiteral("lbLista"));
    lbLista->setGeometry(16, 58, 528, 240);
    for (const LinhaDaTurma& linha : turma) {
        auto* item = new QListWidgetItem(textoDaLinha(linha), lbLista);
        if (!linha.recusa.isEmpty())
            item->setForeground(kMarrom);
    }

    const GrupoDePeriodo periodo = criaGrupoDePeriodo(this, QRect(16, 308, 184, 89));
    rgPeriodo = periodo.caixa;
    grupoPeriodo = periodo.escolhas;
    lbRitmo = new QLabel(QStringLiteral("Escolha o período mínimo de prática de todos os alunos da lista."), this);
    lbRitmo->setObjectName(QStringLiteral("lbRitmo"));
    lbRitmo->setWordWrap(true);
    lbRitmo->setGeometry(216, 308, 328, 52);
}

void TfMatricula::criaBotoes()
{
    auto botao = [this](const QString& nome, const QString& texto, const QRect& lugar, const QString& figura,
                        int padrao) {
        auto* b = new Botao(icone(figura, padrao), texto, this);
        b->setObjectName(nome);
        b->setGeometry(lugar);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    bbMatricular = botao(QStringLiteral("bbMatricular"), QStringLiteral("Matricular - F5"), QRect(216, 367, 170, 30),
                         QStringLiteral(":/assets/icons/escrevendo.svg"), QStyle::SP_DialogSaveButton);
    bbCancelar = botao(QStringLiteral("bbCancelar"), QStringLiteral("Cancelar - F10"), QRect(404, 367, 140, 30),
                       QStringLiteral(":/assets/icons/cancela.svg"), QStyle::SP_DialogCancelButton);
    Matricular1 = itemDeMenu(this, QStringLiteral("Matricular1"), QStringLiteral("Matricular"), Qt::Key_F5);
    Cancelar1 = itemDeMenu(this, QStringLiteral("Cancelar1"), QStringLiteral("Cancelar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    conectaAcao(bbMatricular, &QPushButton::clicked, this, &TfMatricula::bbMatricularClick);
    conectaAcao(Matricular1, &QAction::triggered, this, &TfMatricula::bbMatricularClick);
    conectaAcao(bbCancelar, &QPushButton::clicked, this, &TfMatricula::bbCancelarClick);
    conectaAcao(Cancelar1, &QAction::triggered, this, &TfMatricula::bbCancelarClick);
    conectaAcao(grupoPeriodo, &QButtonGroup::idToggled, this, &TfMatricula::rgPeriodoClick);
}

void TfMatricula::FormCreate()
{
    AjustaTela(this);
    setFixedSize(size());
    rgPeriodoClick();
    grupoPeriodo->button(0)->setFocus();
}

std::optional<int> TfMatricula::periodo() const
{
    const int escolhido = grupoPeriodo->checkedId();
    return escolhido >= 0 ? std::optional(escolhido) : std::nullopt;
}

// Nothing is enrolled before a period is chosen for all.
void TfMatricula::rgPeriodoClick()
{
    const bool pode = periodo().has_value() && aceitas_ > 0;
    bbMatricular->setEnabled(pode);
    Matricular1->setEnabled(pode);
}

void TfMatricula::bbMatricularClick()
{
    if (periodo() && aceitas_ > 0)
        accept();
}

void TfMatricula::bbCancelarClick()
{
    reject();
}

std::optional<int> EscolheMatricula(QWidget* dono, const QString& arquivo, const std::vector<LinhaDaTurma>& turma)
{
    TfMatricula tela(arquivo, turma, dono);
    const bool confirmada = tela.exec() == QDialog::Accepted;
    requestFocus(dono);
    return confirmada ? tela.periodo() : std::nullopt;
}
