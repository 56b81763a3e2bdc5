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

void TfExercicio::TeclaEnter()
{
    const Licao::Veredito veredito = licao_.TeclaEnter();
    mostraStatus(veredito.status);
    if (veredito.tipo == Licao::Veredito::Tipo::CampoVazio)
        return;
    if (veredito.seguidasPerdidas > 1)
        perguntaLetrasErradas(veredito);
    destacaLinhaAtual();
    adicionaResultado(veredito.resultado);
    if (licao_.ExercicioCompleto())
        PassaExercicio();

    licao_.FechaEnter();
    mostraCampo();
    edNumLinha->setText(QString::number(licao_.LinhasSeguidas() + 1) + u'.');
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

// After the catalogue's last exercise the lesson ends with the course.
void TfExercicio::PassaExercicio()
{
    const bool ultimo = licao_.UltimoDoCurso();
    if (!ultimo)
        showMessage(BoxKind::Information, kProximoExercicio);
    licao_.GravaPassagem();
    if (ultimo) {
        showMessage(BoxKind::Information, kCursoConcluido);
        close();
        return;
    }
    const Licao::Status parabens = licao_.ProximoExercicio();
    MostraExercicio();
    mmResultado->clear();
    linhasResultado_ = 0;
    mostraStatus(parabens);
}
