// The teacher's screen: the chosen student's record, its corrections and
// the changes not yet saved.

#include "students/uProfessor.h"

#include "students/campos.h"
#include "students/professor.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

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
