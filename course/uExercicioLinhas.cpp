// The exercise screen: the ENTER step as the student sees it, and the passing
// of an exercise.

#include "course/uExercicio.h"

#include "course/aula.h"
#include "ui/dialogs.h"
#include "ui/uAjusta.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

namespace {

const QString kProximoExercicio = QStringLiteral(
    "Você passou para o próximo exercício.\r"
    "Leia atentamente as instruções e prossiga.\r"
    "Ou clique abaixo em \"Finalizar aula\" para continuar outro dia");

}  // namespace

// The ENTER step as the lesson judged it.
void TfExercicio::mostraVeredito(const Licao::Veredito& veredito)
{
    mostraStatus(veredito.status);
    if (veredito.tipo == Licao::Veredito::Tipo::CampoVazio)
        return;
    if (veredito.ofereceLetras)
        perguntaLetrasErradas(veredito);
    destacaLinhaAtual();
    adicionaResultado(veredito.resultado);
    mostraCampo();
    mostraPassagem();
    if (veredito.completo)
        PassaExercicio();
}

void TfExercicio::mostraPassagem()
{
    edNumLinha->setText(QString::number(licao_.PassagemEmCurso()) + u'.');
    AjustaTexto(edNumLinha);  // "10." is wider than "1."
}

// A wrong line after more than one pass: the student may see what was wrong.
void TfExercicio::perguntaLetrasErradas(const Licao::Veredito& veredito)
{
    const QString pergunta = QStringList{
        QStringLiteral("Você já tinha ") + QString::number(veredito.seguidasPerdidas)
            + QStringLiteral(" linhas digitadas sem erros."),
        QStringLiteral("Porém, quando erra, precisa começar a sequência novamente."),
        QStringLiteral("Ou seja, a contagem de linhas recomeçará e você precisará atingir "
                       "novamente o exigido pelo exercício."),
        QStringLiteral("***********"),
        QStringLiteral("Deseja ver que letra(s) você errou?"),
        QStringLiteral("***********"),
    }.join(u'\r');
    if (showMessage(BoxKind::Confirmation, pergunta) == BoxAnswer::Yes)
        showMessage(BoxKind::Information, veredito.letrasErradas);
}

// The student is told of the pass once its record is on disk. After the
// catalogue's last exercise the lesson ends with the course. The key
// statistics follow the lesson record, so that a failure there is told with
// the new exercise on view; what they could not keep is kept at the close.
void TfExercicio::PassaExercicio()
{
    const Licao::Passagem passagem = licao_.PassaExercicio();
    if (passagem.fimDoCurso) {
        showMessage(BoxKind::Information, kCursoConcluido);
        close();
        return;
    }
    showMessage(BoxKind::Information, kProximoExercicio);
    MostraExercicio();
    mmResultado->clear();
    linhasResultado_ = 0;
    mostraStatus(passagem.status);
    mostraPassagem();
    licao_.GravaToques();
}
