#include "students/uSenhaProfessor.h"

#include "students/campos.h"
#include "students/senhaprofessor.h"
#include "ui/acao.h"
#include "ui/aparencia.h"
#include "ui/aviso.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>

using namespace aparencia;

namespace {

constexpr int kLargura = 380;
constexpr int kAltura = 160;

const QString kTituloSenha = QStringLiteral("Senha do professor");

// The first time: the teacher chooses the password and types it twice.
bool criaSenhaDoProfessor()
{
    const std::optional<QString> senha = PerguntaSenhaNovaDoProfessor(
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

}  // namespace

TfSenhaProfessor::TfSenhaProfessor(QWidget* parent)
    : QDialog(parent), portao_(new PortaoDaSenha(this))
{
    montaDialogoFixo(this, QStringLiteral("fSenhaProfessor"), kTituloSenha,
                     msSansSerif(13), QSize(kLargura, kAltura));
    criaControles();
    criaConexoes();
    FormCreate();
}

void TfSenhaProfessor::criaControles()
{
    lbSenha = new QLabel(QStringLiteral("Digite a senha do professor:"), this);
    lbSenha->setObjectName(QStringLiteral("lbSenha"));
    lbSenha->setGeometry(16, 12, 348, 20);
    edSenha = new QLineEdit(this);
    edSenha->setObjectName(QStringLiteral("edSenha"));
    edSenha->setGeometry(16, 34, 348, 26);
    mostraAsteriscos(edSenha);
    lbSenha->setBuddy(edSenha);

    lbEspera = new AvisoFalado(this);
    lbEspera->setObjectName(QStringLiteral("lbEspera"));
    lbEspera->setGeometry(16, 66, 348, 40);
    pinta(lbEspera, QPalette::WindowText, kMarrom);

    // ENTER in the box and Esc press them: the focus stays in the box
    bbOK = botaoSemFoco(this, QStringLiteral("bbOK"), QStringLiteral("OK"), QRect(124, 116, 110, 30),
                        QStringLiteral(":/assets/icons/certo.svg"), QStyle::SP_DialogOkButton);
    bbCancela = botaoSemFoco(this, QStringLiteral("bbCancela"), QStringLiteral("Cancela"), QRect(254, 116, 110, 30),
                             QStringLiteral(":/assets/icons/cancela.svg"), QStyle::SP_DialogCancelButton);
}

void TfSenhaProfessor::criaConexoes()
{
    conectaAcao(portao_, &PortaoDaSenha::mudou, this, &TfSenhaProfessor::portaoChange);
    conectaAcao(edSenha, &QLineEdit::returnPressed, this, &TfSenhaProfessor::bbOKClick);
    conectaAcao(bbOK, &QPushButton::clicked, this, &TfSenhaProfessor::bbOKClick);
    conectaAcao(bbCancela, &QPushButton::clicked, this, &QDialog::reject);
}

void TfSenhaProfessor::FormCreate()
{
    AjustaTela1024(this);
    setFixedSize(size());
    // a gate opened again during a wait shows what is left of it
    portaoChange();
}

// The box and OK are shut while the gate waits; the box takes the focus
// back when the wait ends.
void TfSenhaProfessor::portaoChange()
{
    const bool aberto = portao_->aberto();
    edSenha->setEnabled(aberto);
    bbOK->setEnabled(aberto);
    lbEspera->mostra(portao_->aviso());
    AjustaTexto(lbEspera);
    if (aberto)
        edSenha->setFocus();
}

void TfSenhaProfessor::bbOKClick()
{
    if (edSenha->text().isEmpty())
        return;
    // the wait cursor while the password is checked: the check takes a moment
    const bool certa = [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restauraCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        return portao_->confere(edSenha->text());
    }();
    if (certa)
        accept();
    else
        edSenha->clear();
}

bool SenhaDoProfessorConfere(QWidget* dono)
{
    TfSenhaProfessor tela(dono);
    const bool certa = tela.exec() == QDialog::Accepted;
    requestFocus(dono);
    return certa;
}

std::optional<QString> PerguntaSenhaNovaDoProfessor(const QString& titulo, const QString& pergunta)
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

bool ProfessorEntra(QWidget* dono)
{
    return ProfessorTemSenha() ? SenhaDoProfessorConfere(dono) : criaSenhaDoProfessor();
}
