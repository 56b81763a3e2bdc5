#include "students/uCadAlunos.h"

#include "students/acesso.h"
#include "students/campos.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QButtonGroup>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

using namespace aparencia;

namespace {

constexpr int kLargura = 526;
constexpr int kAltura = 266;
constexpr int kAlturaStatus = 19;
constexpr int kAlturaBarra = 42;
constexpr int kTodoDia = 2;
constexpr int kUmaVezPorSemana = 0;

// A date picker that Tab leaves at once instead of walking through its sections.
class SeletorDeData : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

QDate hoje()
{
    return dateOfDayCount(today());
}

}  // namespace

TfCadAlunos::TfCadAlunos(QWidget* parent)
    : QDialog(parent)
{
    montaDialogoFixo(this, QStringLiteral("fCadAlunos"), QStringLiteral("Cadastro de Alunos"),
                     msSansSerif(13), QSize(kLargura, kAltura));

    criaCampos();
    criaPeriodo();
    criaBarraDeBotoes();
    criaMenu();
    criaConexoes();
    FormCreate();
}

QLineEdit* TfCadAlunos::caixa(const QString& nome, const QRect& lugar)
{
    QLineEdit* edit = caixaDeTexto(this, nome, lugar);
    edit->installEventFilter(this);
    return edit;
}

QLineEdit* TfCadAlunos::caixaGravada(const QString& nome, const QRect& lugar, int tamanho)
{
    QLineEdit* edit = caixa(nome, lugar);
    limitaAoArquivo(edit, tamanho);
    return edit;
}

QLabel* TfCadAlunos::legenda(const QString& texto, int esquerda, int topo)
{
    QLabel* label = rotulo(this, QString(), QRect(esquerda, topo, 0, 0), texto);
    label->adjustSize();
    return label;
}

void TfCadAlunos::criaCampos()
{
    legenda(QStringLiteral("Nome"), 16, 20);
    dbedNome = caixaGravada(QStringLiteral("dbedNome"), QRect(16, 40, 265, 24), kTamanhoNome);

    legenda(QStringLiteral("Senha"), 292, 20);
    dbedSenha = caixaGravada(QStringLiteral("dbedSenha"), QRect(292, 40, 92, 24), kTamanhoSenha);
    mostraAsteriscos(dbedSenha);

    // wide enough for the whole date in the legible type at the smallest width
    legenda(QStringLiteral("Data Nasc."), 388, 20);
    dtpDataNasc = new SeletorDeData(this);
    dtpDataNasc->setObjectName(QStringLiteral("dtpDataNasc"));
    dtpDataNasc->setGeometry(388, 40, 132, 24);
    dtpDataNasc->setCalendarPopup(true);
    dtpDataNasc->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    dtpDataNasc->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));

    legenda(QStringLiteral("eMail"), 16, 76);
    edeMail = caixaGravada(QStringLiteral("edeMail"), QRect(16, 96, 309, 24), kTamanhoEMail);

    // boxes that nothing fills; a click can still focus them. Their captions
    // stand far enough apart to be read whole at the smallest width.
    legenda(QStringLiteral("Exerc. Atual"), 16, 136);
    DBEdit3 = caixa(QStringLiteral("DBEdit3"), QRect(16, 156, 74, 24));
    legenda(QStringLiteral("Melhor Tempo"), 114, 136);
    DBEdit4 = caixa(QStringLiteral("DBEdit4"), QRect(114, 156, 97, 24));
    legenda(QStringLiteral("Data Última"), 230, 136);
    dbedData = caixa(QStringLiteral("dbedData"), QRect(230, 156, 95, 24));
    for (QLineEdit* vazia : {DBEdit3, DBEdit4, dbedData}) {
        vazia->setReadOnly(true);
        vazia->setFocusPolicy(Qt::ClickFocus);
    }
}

void TfCadAlunos::criaPeriodo()
{
    // wide enough for its choices in bold at the smallest width
    const GrupoDePeriodo periodo = criaGrupoDePeriodo(this, QRect(334, 88, 184, 89));
    rgPeriodo = periodo.caixa;
    grupoPeriodo = periodo.escolhas;
}

void TfCadAlunos::criaBarraDeBotoes()
{
    // raised outer bevel, lowered inner bevel, two pixels each
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, kAltura - kAlturaStatus - kAlturaBarra, kLargura, kAlturaBarra);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    auto* interno = new QFrame(Panel1);
    interno->setGeometry(2, 2, kLargura - 4, kAlturaBarra - 4);
    interno->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    interno->setLineWidth(2);

    auto botao = [this](const QString& nome, const QString& texto, const QRect& lugar,
                        const QIcon& figura) {
        auto* b = new Botao(figura, texto, Panel1);
        b->setObjectName(nome);
        b->setGeometry(lugar);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    // as wide as the others: the legible type needs it at the smallest width
    BtGrava = botao(QStringLiteral("BtGrava"), QStringLiteral("Grava F5"), QRect(8, 6, 105, 30),
                    icone(QStringLiteral(":/assets/icons/escrevendo.svg"), QStyle::SP_DialogSaveButton));
    BtCancela = botao(QStringLiteral("BtCancela"), QStringLiteral("Cancela F12"),
                      QRect(120, 6, 105, 30),
                      icone(QStringLiteral(":/assets/icons/cancela.svg"), QStyle::SP_DialogCancelButton));
    BtVoltar = botao(QStringLiteral("BtVoltar"), QStringLiteral("Voltar F10"),
                     QRect(416, 6, 105, 30),
                     icone(QStringLiteral(":/assets/icons/andando.svg"), QStyle::SP_ArrowBack));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, kAltura - kAlturaStatus, kLargura, kAlturaStatus);
}

void TfCadAlunos::criaMenu()
{
    auto separador = [this] {
        auto* linha = new QAction(this);
        linha->setSeparator(true);
        addAction(linha);
    };
    MostraDicas1 = itemDeMenu(this, QStringLiteral("MostraDicas1"), QStringLiteral("Mostra Dicas"), {});
    separador();
    Grava1 = itemDeMenu(this, QStringLiteral("Grava1"), QStringLiteral("Grava"), Qt::Key_F5);
    Cancela1 = itemDeMenu(this, QStringLiteral("Cancela1"), QStringLiteral("Cancela"), Qt::Key_F12);
    Voltar1 = itemDeMenu(this, QStringLiteral("Voltar1"), QStringLiteral("Voltar"), Qt::Key_F10);
    separador();
    Consulta1 = itemDeMenu(this, QStringLiteral("Consulta1"), QStringLiteral("Consulta"), Qt::Key_F7);
    Altera1 = itemDeMenu(this, QStringLiteral("Altera1"), QStringLiteral("Altera"), Qt::Key_F8);
    Apaga1 = itemDeMenu(this, QStringLiteral("Apaga1"), QStringLiteral("Apaga"), Qt::Key_F9);
    Altera1->setEnabled(false);
    Apaga1->setEnabled(false);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfCadAlunos::criaConexoes()
{
    conectaBotaoEItem(BtGrava, Grava1, this, &TfCadAlunos::BtGravaClick);
    conectaBotaoEItem(BtCancela, Cancela1, this, &TfCadAlunos::BtCancelaClick);
    conectaBotaoEItem(BtVoltar, Voltar1, this, &TfCadAlunos::BtVoltarClick);

    setTabOrder(dbedNome, dbedSenha);
    setTabOrder(dbedSenha, edeMail);
    setTabOrder(edeMail, grupoPeriodo->button(0));
    setTabOrder(grupoPeriodo->button(0), grupoPeriodo->button(1));
    setTabOrder(grupoPeriodo->button(1), grupoPeriodo->button(2));
    setTabOrder(grupoPeriodo->button(2), dtpDataNasc);
}

void TfCadAlunos::FormCreate()
{
    dtpDataNasc->setDate(hoje());
    AjustaTela(this);
    setFixedSize(size());
    grupoPeriodo->button(kTodoDia)->setChecked(true);
}

void TfCadAlunos::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!ativada_) {
        ativada_ = true;
        executaAcao([this] { FormActivate(); });
    }
}

// The screen has no cancel button: Esc does not close it and drop what was typed.
void TfCadAlunos::keyPressEvent(QKeyEvent* event)
{
    if (!seguraEsc(event))
        QDialog::keyPressEvent(event);
}

void TfCadAlunos::FormActivate()
{
    dbedNome->setFocus();
    MaiorCodigo();
}

bool TfCadAlunos::eventFilter(QObject* watched, QEvent* event)
{
    return filtraAcao([&] {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            if (event->type() == QEvent::FocusIn)
                coresDeFoco(box);
            else if (event->type() == QEvent::FocusOut)
                coresSemFoco(box);
        }
        return QDialog::eventFilter(watched, event);
    });
}

void TfCadAlunos::BtGravaClick()
{
    dbedSenha->setFocus();
    if (dbedNome->text().isEmpty()) {
        showMessage(BoxKind::Warning, kAvisoSemNome);
        // what is typed next is the name: it must not go hidden into the password
        dbedNome->setFocus();
        return;
    }
    if (SenhaImpossivel(dbedSenha->text())) {
        showMessage(BoxKind::Warning, kAvisoSenhaImpossivel);
        return;
    }
    if (CursoLotado(QuantosAlunos())) {
        avisaCursoLotado();
        return;
    }
    const QString senha = dbedSenha->text();
    if (!senha.isEmpty() && !SenhaConferida(senha)) {
        dbedSenha->setFocus();
        return;
    }
    // another machine may have taken the last place meanwhile
    if (!GravaAluno(dbedNome->text(), senha, edeMail->text(), dayCount(dtpDataNasc->date()),
                    grupoPeriodo->checkedId())) {
        avisaCursoLotado();
        return;
    }
    BtCancelaClick();
}

void TfCadAlunos::avisaCursoLotado()
{
    showMessage(BoxKind::Warning, QStringLiteral("O curso comporta no máximo 100 alunos.\r"
                                                 "Não é possível cadastrar mais um aluno."));
}

void TfCadAlunos::BtCancelaClick()
{
    dbedNome->clear();
    dbedSenha->clear();
    edeMail->clear();
    dtpDataNasc->setDate(hoje());
    grupoPeriodo->button(kUmaVezPorSemana)->setChecked(true);
    dbedNome->setFocus();
}

void TfCadAlunos::BtVoltarClick()
{
    close();
}
