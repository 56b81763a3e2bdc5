#include "app/uProfessor.h"

#include "app/uMatricula.h"
#include "app/uRelatorio.h"
#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "students/acesso.h"
#include "students/campos.h"
#include "students/desempenho.h"
#include "students/matricula.h"
#include "students/ritmo.h"
#include "students/senhaprofessor.h"
#include "students/uSenhaProfessor.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
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
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <array>
#include <utility>

using namespace aparencia;

namespace {

constexpr int kLargura = 760;
constexpr int kAltura = 520;
constexpr int kAlturaStatus = 19;
constexpr int kAlteracoesMostradas = 50;

enum Coluna { kColunaCodigo, kColunaNome, kColunaUltimaAula, kColunas };

const QString kTituloSenha = QStringLiteral("Senha do professor");

// A new teacher's password, typed twice; nothing when the teacher gives up.
// One too short, or typed differently the second time, is asked again.
std::optional<QString> senhaNovaDoProfessor(const QString& titulo, const QString& pergunta)
{
    for (;;) {
        const QString senha = inputBox(titulo, pergunta, QString(), InputEcho::Password);
        if (senha.isEmpty())
            return std::nullopt;
        if (const std::optional<QString> problema = ProblemaDaSenhaProfessor(senha))
            showMessage(BoxKind::Warning, *problema);
        else if (SenhaConferida(senha))
            return senha;
    }
}

// The first time: the teacher chooses the password and types it twice.
bool criaSenhaDoProfessor()
{
    const std::optional<QString> senha = senhaNovaDoProfessor(
        kTituloSenha, QStringLiteral("Primeiro acesso do professor nesta pasta do curso.\r"
                                     "Crie a senha do professor, com pelo menos %1 caracteres:")
                          .arg(kMinimoSenhaProfessor));
    if (!senha)
        return false;
    if (!CriaSenhaProfessor(*senha)) {
        showMessage(BoxKind::Warning, QStringLiteral("Outro computador acabou de criar a senha do professor "
                                                     "nesta pasta do curso.\rEntre com ela."));
        return false;
    }
    return true;
}

QString pastaDosDocumentos()
{
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !pasta.isEmpty() && QFileInfo(pasta).isDir() ? pasta : QDir::homePath();
}

}  // namespace

// The roster as the teacher's list shows it: number, name, last lesson.
class ModeloDoRol : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void troca(std::vector<AlunoDoProfessor> alunos)
    {
        beginResetModel();
        alunos_ = std::move(alunos);
        endResetModel();
    }

    const AlunoDoProfessor& aluno(int linha) const { return alunos_[size_t(linha)]; }

    // the row of the student numbered codigo; -1 when there is none
    int linhaDe(std::int32_t codigo) const
    {
        for (size_t i = 0; i < alunos_.size(); ++i) {
            if (alunos_[i].codigo == codigo)
                return int(i);
        }
        return -1;
    }

    int rowCount(const QModelIndex& pai = {}) const override { return pai.isValid() ? 0 : int(alunos_.size()); }
    int columnCount(const QModelIndex& pai = {}) const override { return pai.isValid() ? 0 : kColunas; }

    QVariant data(const QModelIndex& indice, int papel) const override
    {
        if (papel == Qt::TextAlignmentRole && indice.column() != kColunaNome)
            return int(Qt::AlignCenter);
        if (papel != Qt::DisplayRole)
            return {};
        const AlunoDoProfessor& a = aluno(indice.row());
        switch (indice.column()) {
        case kColunaCodigo: return a.codigo;
        case kColunaNome: return a.nome;
        default: return a.ultimaAula.isNull() ? QStringLiteral("—") : shortDate(a.ultimaAula);
        }
    }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override
    {
        if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
            return {};
        static const QString titulos[kColunas] = {QStringLiteral("Código"), QStringLiteral("Nome"),
                                                  QStringLiteral("Última aula")};
        return titulos[secao];
    }

private:
    std::vector<AlunoDoProfessor> alunos_;
};

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

QLabel* TfProfessor::legenda(const QString& nome, const QString& texto, const QRect& lugar)
{
    auto* label = new QLabel(texto, this);
    label->setObjectName(nome);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(lugar);
    return label;
}

QLineEdit* TfProfessor::caixa(const QString& nome, const QRect& lugar)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(nome);
    edit->setGeometry(lugar);
    return edit;
}

void TfProfessor::criaLista()
{
    QLabel* busca = legenda(QStringLiteral("lbBusca"), QStringLiteral("Procurar pelo nome ou pelo código:"),
                            QRect(16, 12, 340, 20));
    edBusca = caixa(QStringLiteral("edBusca"), QRect(16, 32, 340, 26));
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
    lbAlunos->horizontalHeader()->setSectionResizeMode(kColunaCodigo, QHeaderView::ResizeToContents);
    lbAlunos->horizontalHeader()->setSectionResizeMode(kColunaNome, QHeaderView::Stretch);
    lbAlunos->horizontalHeader()->setSectionResizeMode(kColunaUltimaAula, QHeaderView::ResizeToContents);
}

void TfProfessor::criaFicha()
{
    lbCodigo = legenda(QStringLiteral("lbCodigo"), QString(), QRect(376, 12, 368, 20));
    QFont negrito = font();
    negrito.setBold(true);
    lbCodigo->setFont(negrito);

    QLabel* nome = legenda(QStringLiteral("lbNome"), QStringLiteral("Nome"), QRect(376, 40, 368, 20));
    edNome = caixa(QStringLiteral("edNome"), QRect(376, 60, 368, 26));
    nome->setBuddy(edNome);
    limitaAoArquivo(edNome, kTamanhoNome);
    QLabel* email = legenda(QStringLiteral("lbeMail"), QStringLiteral("eMail"), QRect(376, 92, 368, 20));
    edeMail = caixa(QStringLiteral("edeMail"), QRect(376, 112, 368, 26));
    email->setBuddy(edeMail);
    limitaAoArquivo(edeMail, kTamanhoEMail);

    const GrupoDePeriodo periodo = criaGrupoDePeriodo(this, QRect(376, 148, 184, 89));
    rgPeriodo = periodo.caixa;
    grupoPeriodo = periodo.escolhas;

    lbSenha = legenda(QStringLiteral("lbSenha"), QString(), QRect(576, 148, 168, 20));
    QLabel* senhaNova =
        legenda(QStringLiteral("lbSenhaNova"), QStringLiteral("Senha nova (opcional)"), QRect(576, 172, 168, 20));
    edSenha = caixa(QStringLiteral("edSenha"), QRect(576, 192, 168, 26));
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
    QLabel* alteracoes = legenda(QStringLiteral("lbAlteracoes"),
                                 QStringLiteral("Últimas alterações, da mais recente à primeira:"),
                                 QRect(16, 344, 728, 20));
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
    const std::pair<QPushButton*, QAction*> pares[] = {{bbGravar, Gravar1}, {bbApagarSenha, ApagarSenha1},
                                                       {bbMatricular, Matricular1}, {bbRelatorio, Relatorio1},
                                                       {bbTrocarSenha, TrocarSenha1}, {bbFechar, Fechar1}};
    const std::array<void (TfProfessor::*)(), 6> acoes = {&TfProfessor::bbGravarClick, &TfProfessor::bbApagarSenhaClick,
                                                           &TfProfessor::bbMatricularClick,
                                                           &TfProfessor::bbRelatorioClick,
                                                           &TfProfessor::bbTrocarSenhaClick, &TfProfessor::bbFecharClick};
    for (size_t i = 0; i < acoes.size(); ++i) {
        conectaAcao(pares[i].first, &QPushButton::clicked, this, acoes[i]);
        conectaAcao(pares[i].second, &QAction::triggered, this, acoes[i]);
    }
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
            const QModelIndex indice = modelo_->index(linha, kColunaNome);
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

void TfProfessor::mostraFicha()
{
    const bool comAluno = escolhido_.has_value();
    for (QWidget* w : std::initializer_list<QWidget*>{edNome, edeMail, rgPeriodo, edSenha, bbGravar})
        w->setEnabled(comAluno);
    Gravar1->setEnabled(comAluno);
    const bool comSenha = comAluno && escolhido_->temSenha;
    bbApagarSenha->setEnabled(comSenha);
    ApagarSenha1->setEnabled(comSenha);

    edNome->setText(comAluno ? escolhido_->nome : QString());
    edeMail->setText(comAluno ? escolhido_->email : QString());
    edSenha->clear();
    // a damaged record may hold none of the three periods: none is chosen
    grupoPeriodo->setExclusive(false);
    for (QAbstractButton* escolha : grupoPeriodo->buttons())
        escolha->setChecked(comAluno && escolhido_->periodo == grupoPeriodo->id(escolha));
    grupoPeriodo->setExclusive(true);
    lbCodigo->setText(comAluno ? QStringLiteral("Código %1").arg(escolhido_->codigo)
                               : QStringLiteral("Escolha um aluno na lista."));
    lbSenha->setText(!comAluno ? QString()
                     : comSenha ? QStringLiteral("Entra com senha.")
                                : QStringLiteral("Entra sem senha."));
    for (QLabel* texto : {lbCodigo, lbSenha})
        AjustaTexto(texto);
}

FichaDoAluno TfProfessor::fichaDigitada() const
{
    const int periodo = grupoPeriodo->checkedId();
    return {edNome->text(), edeMail->text(), periodo >= 0 ? std::optional<int>(periodo) : std::nullopt,
            edSenha->text()};
}

bool TfProfessor::temAlteracoes() const
{
    return escolhido_ && !SemDiferencas(Diferencas(*escolhido_, fichaDigitada()));
}

bool TfProfessor::gravaFicha()
{
    const FichaDoAluno ficha = fichaDigitada();
    const CorrecaoAluno correcao = Diferencas(*escolhido_, ficha);
    if (SemDiferencas(correcao)) {
        StatusBar1->showMessage(QStringLiteral("Nada foi mudado: não há o que gravar."));
        return true;
    }
    if (const std::optional<QString> problema = ProblemaDaFicha(ficha)) {
        showMessage(BoxKind::Warning, *problema);
        return false;
    }
    if (correcao.senha && !SenhaConferida(*correcao.senha)) {
        edSenha->setFocus();
        return false;
    }
    corrige(correcao, QStringLiteral("Alterações de %1 gravadas.").arg(ficha.nome));
    return true;
}

void TfProfessor::corrige(const CorrecaoAluno& correcao, const QString& feito)
{
    const std::int32_t codigo = escolhido_->codigo;
    const std::optional<QString> semRegistro = CorrigeAluno(*escolhido_, correcao);
    recarrega(codigo);
    if (semRegistro)
        showMessage(BoxKind::Warning, *semRegistro);
    else
        StatusBar1->showMessage(feito);
}

bool TfProfessor::podeDeixarOAluno()
{
    if (!temAlteracoes())
        return true;
    const BoxAnswer resposta = showMessage(
        BoxKind::Confirmation,
        QStringLiteral("As alterações de %1 não foram gravadas.\rGravar agora?").arg(escolhido_->nome));
    // closing the box without an answer stays with the student
    if (resposta == BoxAnswer::Closed)
        return false;
    return resposta == BoxAnswer::No || gravaFicha();
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
            lbAlunos->setCurrentIndex(modelo_->index(linha, kColunaNome));
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

void TfProfessor::bbGravarClick()
{
    if (escolhido_)
        gravaFicha();
}

void TfProfessor::bbApagarSenhaClick()
{
    if (!escolhido_ || !escolhido_->temSenha)
        return;
    const QString nome = escolhido_->nome;
    if (showMessage(BoxKind::Confirmation,
                    QStringLiteral("Apagar a senha de %1?\r%1 passará a entrar sem senha.").arg(nome))
        != BoxAnswer::Yes)
        return;
    CorrecaoAluno semSenha;
    semSenha.senha = QString();
    corrige(semSenha, QStringLiteral("Senha de %1 apagada: entra sem senha.").arg(nome));
}

void TfProfessor::bbMatricularClick()
{
    if (!podeDeixarOAluno())
        return;
    const std::optional<QString> arquivo =
        arquivoParaAbrir(this, QStringLiteral("Matricular uma turma: a lista de alunos"), pastaDosDocumentos(),
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
    const std::optional<QString> senha = senhaNovaDoProfessor(
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
    if (!(ProfessorTemSenha() ? SenhaDoProfessorConfere(dono) : criaSenhaDoProfessor()))
        return;
    TfProfessor tela(dono);
    tela.exec();
}
