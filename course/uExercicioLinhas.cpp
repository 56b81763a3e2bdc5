// The exercise screen: the ENTER step, the verdict on a line and the passing
// of an exercise.

#include "course/uExercicio.h"

#include "ui/aparencia.h"
#include "ui/uAjusta.h"
#include "course/aula.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "ui/dialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <algorithm>

using namespace aparencia;

void TfExercicio::TeclaEnter()
{
    // every ENTER measures the line time, also on an empty field
    const double tempoDaLinha = timeOfDay() - InicioLinha;
    if (tempoDaLinha > TempoMaximo)
        TempoMaximo = tempoDaLinha;
    corTextoStatus(textoDeJanela());
    if (edDig->text().isEmpty()) {
        mostraStatus(QStringLiteral("Digite a linha para teclar ENTER!"));
        return;
    }

    TempoIniciado = true;
    InicioLinha = timeOfDay();
    TeclasDigitadas.clear();

    // what is typed after the line's length is not looked at
    if (digitado().startsWith(LinhaDoExercicio(LinhaAtual)))
        LinhaCerta();
    else
        LinhaErrada();
    if (LinhasSeguidas == ExercicioAtual.LinhasExigidas)
        PassaExercicio();

    edDig->clear();
    edNumLinha->setText(QString::number(LinhasSeguidas + 1) + u'.');
    AjustaTexto(edNumLinha);  // "10." is wider than "1."
    UltimaTecla = '\r';
}

void TfExercicio::LinhaCerta()
{
    const int linhas = ContaLinhas();
    if (LinhaAtual == linhas) {
        ++LinhasSeguidas;
        const QString faltam = QString::number(ExercicioAtual.LinhasExigidas - LinhasSeguidas);
        const QString feitas = LinhasSeguidas == 1
            ? QStringLiteral(" Linha sequencial digitada sem erro!")
            : QStringLiteral(" Linhas sequenciais digitadas sem erros!");
        mostraStatus(QString::number(LinhasSeguidas) + feitas + QStringLiteral(" Faltam ") + faltam
                     + QStringLiteral(" Linhas para terminar."));
        coresStatus(kMarinho, kAmarelo);
    } else {
        mostraStatus(QStringLiteral(
            "Termine a digitação de todas as linhas para contar como se fosse um acerto completo."));
    }
    if (linhas > 1)
        LinhaAtual = LinhaAtual >= linhas ? 1 : LinhaAtual + 1;
    destacaLinhaAtual();
    TamanhoLinha = LinhaDoExercicio(LinhaAtual).size();
    adicionaResultado(QString::number(edDig->text().size()) + QStringLiteral(" - Certa: [")
                      + edDig->text() + u']');
}

void TfExercicio::LinhaErrada()
{
    mostraStatus(QStringLiteral("Linha digitada com erros!"));
    coresStatus(kVermelho, kRosaClaro);
    if (LinhasSeguidas > 1) {
        const QString pergunta = QStringList{
            QStringLiteral("Você já tinha ") + QString::number(LinhasSeguidas)
                + QStringLiteral(" linhas digitadas sem erros."),
            QStringLiteral("Porém, quando erra, precisa começar a sequência novamente."),
            QStringLiteral("Ou seja, a contagem de linhas recomeçará e você precisará atingir "
                           "novamente o exigido pelo exercício."),
            QStringLiteral("***********"),
            QStringLiteral("Deseja ver que letra(s) você errou?"),
            QStringLiteral("***********"),
        }.join(u'\r');
        if (showMessage(BoxKind::Confirmation, pergunta) == BoxAnswer::Yes)
            showMessage(BoxKind::Information, letrasErradas());
    }

    LinhasSeguidas = 0;
    LinhaAtual = 1;
    TamanhoLinha = ExercicioAtual.Linha1.size();
    destacaLinhaAtual();
    adicionaResultado(QString::number(edDig->text().size()) + QStringLiteral(" - Errada: [")
                      + edDig->text() + u']');
}

QString TfExercicio::letrasErradas() const
{
    const QByteArray texto = digitado();
    const QByteArray linha = LinhaDoExercicio(LinhaAtual);
    // typed past the end of the line never makes a line wrong: not listed
    const qsizetype ate = std::min(texto.size(), linha.size());
    QString lista;
    for (qsizetype i = 0; i < ate; ++i) {
        if (texto[i] != linha[i]) {
            lista += QStringLiteral("Letra na posição ") + QString::number(i + 1)
                     + QStringLiteral(" (\"") + fromCp1252(texto.mid(i, 1))
                     + QStringLiteral("\") errada\r");
        }
    }
    return lista;
}

// After the catalogue's last exercise the lesson ends with the course: no
// empty slot beyond it is shown or recorded.
void TfExercicio::PassaExercicio()
{
    const bool ultimo = CursoTerminaAntes(NumExercicio + 1);
    if (!ultimo)
        showMessage(BoxKind::Information,
                    QStringLiteral("Você passou para o próximo exercício.\r"
                                   "Leia atentamente as instruções e prossiga.\r"
                                   "Ou clique abaixo em \"Finalizar aula\" para continuar outro dia"));

    clearRecord(AulaAtual);
    AulaAtual.CodAluno = CodAlunoAtual;
    AulaAtual.Data = today();
    AulaAtual.Tempo = Velocidade(ExercicioAtual.NumToques, TempoMaximo);
    AulaAtual.NumExerc = std::uint8_t(NumExercicio);
    GravaAula();

    if (ultimo) {
        showMessage(BoxKind::Information, kCursoConcluido);
        close();
        return;
    }
    ++NumExercicio;
    ExercicioAtual = Exercicios[NumExercicio];

    corTextoStatus(textoDeJanela());
    LinhasSeguidas = 0;
    TamanhoLinha = LinhaDoExercicio(LinhaAtual).size();
    MostraExercicio();
    mmResultado->clear();
    linhasResultado_ = 0;
    mostraStatus(QStringLiteral("Parabéns! Você conseguiu. Preste atenção neste novo exercício."));
}
