#include "students/uProfessor.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/causes.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "students/acesso.h"
#include "students/campos.h"
#include "students/desempenho.h"
#include "students/matricula.h"
#include "students/modelodorol.h"
#include "students/ritmo.h"
#include "students/senhaprofessor.h"
#include "students/uMatricula.h"
#include "students/uRelatorio.h"
#include "students/uSenhaProfessor.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 760;
constexpr int kAltura = 520;
constexpr int kAlturaStatus = 19;
constexpr int kAlteracoesMostradas = 50;

}  // namespace

TfProfessor::TfProfessor(QWidget* parent)
    : QDialog(parent)
{
    montaDialogoFixo(this, QStringLiteral("fProfessor"), QStringLiteral("Professor"), msSansSerif(13),
                     QSize(kLargura, kAltura));
    criaLista();
    criaFicha();
    criaRegistro();
    criaBotoes();
    criaMenu();
    criaConexoes();
    FormCreate();
}

void TfProfessor::criaLista()
{
    QLabel* busca = rotulo(this, QStringLiteral("lbBusca"), QRect(16, 12, 340, 20), QStringLiteral("Procurar pelo nome ou pelo código:"));
    edBusca = caixaDeTexto(this, QStringLiteral("edBusca"), QRect(16, 32, 340, 26));
    busca->setBuddy(edBusca);

    modelo_ = new ModeloDoRol(this);
    lbAlunos = new QTableView(this);
    lbAlunos->setObjectName(QStringLiteral("lbAlunos"));
    lbAlunos->setGeometry(16, 64, 340, 270);
    lbAlunos->setModel(modelo_);
    lbAlunos->setAccessibleName(QStringLiteral("Alunos do curso"));
    lbAlunos->setSelectionBehavior(QAbstractItemView::SelectRows);
    lbAlunos->setSelectionMode(QAbstractItemView::SingleSelection);
    lbAlunos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbAlunos->setTabKeyNavigation(false);
    lbAlunos->setWordWrap(false);
    lbAlunos->verticalHeader()->hide();
    lbAlunos->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lbAlunos->horizontalHeader()->setSectionResizeMode(ModeloDoRol::kColunaCodigo, QHeaderView::ResizeToContents);
    lbAlunos->horizontalHeader()->setSectionResizeMode(ModeloDoRol::kColunaNome, QHeaderView::Stretch);
    lbAlunos->horizontalHeader()->setSectionResizeMode(ModeloDoRol::kColunaUltimaAula, QHeaderView::ResizeToContents);
}

void TfProfessor::criaFicha()
{
    lbCodigo = rotulo(this, QStringLiteral("lbCodigo"), QRect(376, 12, 368, 20), QString());
    QFont negrito = font();
    negrito.setBold(true);
    lbCodigo->setFont(negrito);

    QLabel* nome = rotulo(this, QStringLiteral("lbNome"), QRect(376, 40, 368, 20), QStringLiteral("Nome"));
    edNome = caixaDeTexto(this, QStringLiteral("edNome"), QRect(376, 60, 368, 26));
    nome->setBuddy(edNome);
    limitaAoArquivo(edNome, kTamanhoNome);
    QLabel* email = rotulo(this, QStringLiteral("lbeMail"), QRect(376, 92, 368, 20), QStringLiteral("eMail"));
    edeMail = caixaDeTexto(this, QStringLiteral("edeMail"), QRect(376, 112, 368, 26));
    email->setBuddy(edeMail);
    limitaAoArquivo(edeMail, kTamanhoEMail);

    const GrupoDePeriodo periodo = criaGrupoDePeriodo(this, QRect(376, 148, 184, 89));
    rgPeriodo = periodo.caixa;
    grupoPeriodo = periodo.escolhas;

    lbSenha = rotulo(this, QStringLiteral("lbSenha"), QRect(576, 148, 168, 20), QString());
    QLabel* senhaNova =
        rotulo(this, QStringLiteral("lbSenhaNova"), QRect(576, 172, 168, 20), QStringLiteral("Senha nova (opcional)"));
    edSenha = caixaDeTexto(this, QStringLiteral("edSenha"), QRect(576, 192, 168, 26));
    senhaNova->setBuddy(edSenha);
    limitaAoArquivo(edSenha, kTamanhoSenha);
    mostraAsteriscos(edSenha);

    bbGravar = botaoSemFoco(this, QStringLiteral("bbGravar"), QStringLiteral("Gravar - F5"), QRect(376, 252, 160, 30),
                            QStringLiteral(":/assets/icons/escrevendo.svg"), QStyle::SP_DialogSaveButton);
    bbApagarSenha = botaoSemFoco(this, QStringLiteral("bbApagarSenha"), QStringLiteral("Apagar senha - F6"),
                                 QRect(556, 252, 188, 30), QStringLiteral(":/assets/icons/cancela.svg"),
                                 QStyle::SP_DialogDiscardButton);
}

void TfProfessor::criaRegistro()
{
    QLabel* alteracoes = rotulo(this, QStringLiteral("lbAlteracoes"), QRect(16, 344, 728, 20), QStringLiteral("Últimas alterações, da mais recente à primeira:"));
    mmAlteracoes = new QPlainTextEdit(this);
    alteracoes->setBuddy(mmAlteracoes);
    mmAlteracoes->setObjectName(QStringLiteral("mmAlteracoes"));
    mmAlteracoes->setGeometry(16, 364, 728, 86);
    mmAlteracoes->setReadOnly(true);
    mmAlteracoes->setLineWrapMode(QPlainTextEdit::NoWrap);
    mmAlteracoes->setFocusPolicy(Qt::ClickFocus);
}

void TfProfessor::criaBotoes()
{
    const int topo = kAltura - kAlturaStatus - 42;
    bbMatricular = botaoSemFoco(this, QStringLiteral("bbMatricular"), QStringLiteral("Matricular turma - F8"),
                                QRect(16, topo, 180, 30), QStringLiteral(":/assets/icons/escrevendo.svg"),
                                QStyle::SP_FileDialogNewFolder);
    bbRelatorio = botaoSemFoco(this, QStringLiteral("bbRelatorio"), QStringLiteral("Relatório da turma - F9"),
                               QRect(206, topo, 190, 30), QString(), QStyle::SP_FileIcon);
    bbTrocarSenha = botaoSemFoco(this, QStringLiteral("bbTrocarSenha"), QStringLiteral("Senha do professor - F7"),
                                 QRect(406, topo, 200, 30), QStringLiteral(":/assets/icons/porta.svg"),
                                 QStyle::SP_DialogResetButton);
    bbTrocarSenha->setAccessibleName(QStringLiteral("Trocar senha do professor - F7"));
    bbFechar = botaoSemFoco(this, QStringLiteral("bbFechar"), QStringLiteral("Fechar - F10"), QRect(616, topo, 128, 30),
                            QStringLiteral(":/assets/icons/correndo.svg"), QStyle::SP_DialogCloseButton);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, kAltura - kAlturaStatus, kLargura, kAlturaStatus);
}

void TfProfessor::criaMenu()
{
    Gravar1 = itemDeMenu(this, QStringLiteral("Gravar1"), QStringLiteral("Gravar"), Qt::Key_F5);
    ApagarSenha1 = itemDeMenu(this, QStringLiteral("ApagarSenha1"), QStringLiteral("Apagar senha"), Qt::Key_F6);
    Matricular1 = itemDeMenu(this, QStringLiteral("Matricular1"), QStringLiteral("Matricular turma"), Qt::Key_F8);
    Relatorio1 = itemDeMenu(this, QStringLiteral("Relatorio1"), QStringLiteral("Relatório da turma"), Qt::Key_F9);
    TrocarSenha1 = itemDeMenu(this, QStringLiteral("TrocarSenha1"), QStringLiteral("Trocar senha do professor"),
                              Qt::Key_F7);
    Fechar1 = itemDeMenu(this, QStringLiteral("Fechar1"), QStringLiteral("Fechar"), Qt::Key_F10);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfProfessor::criaConexoes()
{
    conectaBotaoEItem(bbGravar, Gravar1, this, &TfProfessor::bbGravarClick);
    conectaBotaoEItem(bbApagarSenha, ApagarSenha1, this, &TfProfessor::bbApagarSenhaClick);
    conectaBotaoEItem(bbMatricular, Matricular1, this, &TfProfessor::bbMatricularClick);
    conectaBotaoEItem(bbRelatorio, Relatorio1, this, &TfProfessor::bbRelatorioClick);
    conectaBotaoEItem(bbTrocarSenha, TrocarSenha1, this, &TfProfessor::bbTrocarSenhaClick);
    conectaBotaoEItem(bbFechar, Fechar1, this, &TfProfessor::bbFecharClick);
    conectaAcao(edBusca, &QLineEdit::textChanged, this, &TfProfessor::edBuscaChange);
    conectaAcao(edBusca, &QLineEdit::returnPressed, this, &TfProfessor::edBuscaEnter);
    conectaAcao(lbAlunos->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &TfProfessor::lbAlunosClick);

    setTabOrder(edBusca, lbAlunos);
    setTabOrder(lbAlunos, edNome);
    setTabOrder(edNome, edeMail);
    setTabOrder(edeMail, grupoPeriodo->button(0));
    setTabOrder(grupoPeriodo->button(0), grupoPeriodo->button(1));
    setTabOrder(grupoPeriodo->button(1), grupoPeriodo->button(2));
    setTabOrder(grupoPeriodo->button(2), edSenha);
}

void TfProfessor::FormCreate()
{
    AjustaTela1024(this);
    setFixedSize(size());
    // a row as high as its text at the size the screen was given
    lbAlunos->verticalHeader()->setDefaultSectionSize(QFontMetrics(lbAlunos->font()).height() + 4);
    recarrega(std::nullopt);
    edBusca->setFocus();
}

void TfProfessor::recarrega(std::optional<std::int32_t> codigo)
{
    modelo_->troca(AlunosDoProfessor(RolDoCurso()));
    mostraAlteracoes();
    edBuscaChange();
    escolhe(codigo);
}

void TfProfessor::mostraAlteracoes()
{
    mmAlteracoes->setPlainText(UltimasAlteracoes(kAlteracoesMostradas).join(u'\n'));
}

// The student's line becomes the current one without asking about the boxes:
// they are filled anew from the file.
void TfProfessor::escolhe(std::optional<std::int32_t> codigo)
{
    const int linha = codigo ? modelo_->linhaDe(*codigo) : -1;
    {
        const QScopedValueRollback<bool> semPerguntar(escolhendo_, true);
        if (linha < 0) {
            lbAlunos->selectionModel()->clear();
        } else {
            const QModelIndex indice = modelo_->index(linha, ModeloDoRol::kColunaNome);
            lbAlunos->selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect
                                                                    | QItemSelectionModel::Rows);
            lbAlunos->scrollTo(indice);
        }
    }
    if (linha >= 0)
        escolhido_ = modelo_->aluno(linha);
    else
        escolhido_.reset();
    mostraFicha();
}

void TfProfessor::edBuscaChange()
{
    for (int linha = 0; linha < modelo_->rowCount(); ++linha)
        lbAlunos->setRowHidden(linha, !AtendeABusca(modelo_->aluno(linha), edBusca->text()));
}

// ENTER in the search goes to the first student found.
void TfProfessor::edBuscaEnter()
{
    for (int linha = 0; linha < modelo_->rowCount(); ++linha) {
        if (!lbAlunos->isRowHidden(linha)) {
            lbAlunos->setFocus();
            lbAlunos->setCurrentIndex(modelo_->index(linha, ModeloDoRol::kColunaNome));
            return;
        }
    }
}

void TfProfessor::lbAlunosClick(const QModelIndex& linha, const QModelIndex&)
{
    if (escolhendo_ || !linha.isValid() || (escolhido_ && modelo_->aluno(linha.row()).codigo == escolhido_->codigo))
        return;
    const std::int32_t novo = modelo_->aluno(linha.row()).codigo;
    // the list goes back to the student of the boxes unless they may be left
    std::optional<std::int32_t> antigo;
    if (escolhido_)
        antigo = escolhido_->codigo;
    auto volta = qScopeGuard([this, antigo] { escolhe(antigo); });
    if (!podeDeixarOAluno())
        return;
    volta.dismiss();
    escolhe(novo);
}

void TfProfessor::bbMatricularClick()
{
    if (!podeDeixarOAluno())
        return;
    const std::optional<QString> arquivo =
        arquivoParaAbrir(this, QStringLiteral("Matricular uma turma: a lista de alunos"), documentsFolder(),
                         {QStringLiteral("Listas de alunos (*.txt *.csv)"), QStringLiteral("Todos os arquivos (*)")});
    if (!arquivo)
        return;
    std::vector<LinhaDaTurma> turma = LeListaDaTurma(LeArquivoDaTurma(*arquivo));
    if (turma.empty()) {
        showMessage(BoxKind::Warning, QStringLiteral("O arquivo %1 não traz nenhum nome de aluno.")
                                          .arg(QDir::toNativeSeparators(*arquivo)));
        return;
    }
    const std::vector<tAluno> rol = RolDoCurso();
    MarcaRepetidas(turma, AlunosDoCurso(rol));
    const std::optional<int> periodo = EscolheMatricula(this, *arquivo, turma, VagasNoCurso(rol));
    if (!periodo)
        return;
    const MatriculaFeita feita = MatriculaTurma(turma, *periodo, rol);
    recarrega(escolhido_ ? std::optional(escolhido_->codigo) : std::nullopt);
    showMessage(feita.completa() ? BoxKind::Information : BoxKind::Warning, ResumoDaMatricula(turma, feita));
}

void TfProfessor::bbRelatorioClick()
{
    MostraRelatorio(this);
    requestFocus(this);
}

// The boxes of the student keep what was typed in them: only the log is read again.
void TfProfessor::bbTrocarSenhaClick()
{
    const std::optional<QString> senha = PerguntaSenhaNovaDoProfessor(
        QStringLiteral("Trocar senha do professor"),
        QStringLiteral("Digite a senha nova do professor, com pelo menos %1 caracteres:").arg(kMinimoSenhaProfessor));
    if (!senha)
        return;
    TrocaSenhaProfessor(*senha);
    mostraAlteracoes();
    StatusBar1->showMessage(QStringLiteral("Senha do professor trocada: vale a partir de agora."));
}

void TfProfessor::bbFecharClick()
{
    if (podeDeixarOAluno())
        QDialog::reject();
}

void TfProfessor::reject()
{
    executaAcao([this] { bbFecharClick(); });
}

// The list takes ENTER to go on to the chosen student's name.
void TfProfessor::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && lbAlunos->hasFocus()) {
        if (escolhido_)
            edNome->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AbreProfessor(QWidget* dono)
{
    if (!ProfessorEntra(dono))
        return;
    TfProfessor tela(dono);
    tela.exec();
}
