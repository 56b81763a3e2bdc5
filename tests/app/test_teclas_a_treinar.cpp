// A lesson typed with the same mistake again and again: the key shows first
// among the keys to train, on the progress screen and in the class report
// the command line writes.

#include "fixture_app.h"
#include "support/teclado.h"

#include "app/uPrin.h"
#include "course/aula.h"
#include "course/uExercicio.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/clock.h"
#include "students/desempenho.h"
#include "students/uDesempenho.h"
#include "ui/uAjusta.h"

#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {

class TeclasDoAluno : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        criaCatalogo();
        MaiorCodigo();
        GravaAluno(QStringLiteral("Rui"), {}, {}, today(), 0);
    }

    // The lesson on "pata sapo", each key 200 ms after the one before.
    void digitaALicao(const QString& comoDigita, int linhas)
    {
        LarguraTela = 1280;
        tExercicio exercicio{};
        exercicio.Numero = 1;
        exercicio.Linha1.set("pata sapo");
        exercicio.Instrucao.set("Copie a linha");
        exercicio.LinhasExigidas = 5;
        exercicio.NumToques = 100;
        Exercicios[1] = exercicio;
        NumExercicio = 1;
        ExercicioAtual = exercicio;

        TfExercicio tela;
        tela.MostraExercicio();
        tela.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
        QDateTime agora = QDateTime(QDate(2026, 12, 10), QTime(10, 1));
        for (int linha = 0; linha < linhas; ++linha) {
            for (const QChar c : comoDigita) {
                agora = agora.addMSecs(200);
                clockseam::set(agora);
                digita(QString(c));
            }
            tecla(Qt::Key_Return);
        }
        tela.close();
    }
};

TEST_F(TeclasDoAluno, AKeyMissedOverAndOverComesFirstOnTheProgressScreenAndInTheReport)
{
    // the "p" of both words typed as "o", ten lines
    digitaALicao(QStringLiteral("oata saoo"), 10);

    TfDesempenho progresso(DesempenhoDaTurma().front(), ExerciciosNoCurso());
    progresso.show();
    // only "p" and "a" were asked for twenty times or more
    EXPECT_EQ(progresso.findChild<QLabel*>(QStringLiteral("lbTeclasATreinar"))->text(), QStringLiteral("p a"));

    QProcess relatorio;
    relatorio.start(QStringLiteral(QUIRAVO_PROGRAMA),
                    {QStringLiteral("--curso"), QStringLiteral("."), QStringLiteral("--relatorio"),
                     QStringLiteral("turma.csv")});
    ASSERT_TRUE(relatorio.waitForFinished(60000));
    ASSERT_EQ(relatorio.exitCode(), 0) << relatorio.readAllStandardError().toStdString();
    EXPECT_TRUE(readFile(QStringLiteral("turma.csv")).contains("Rui;0;0;0;;;0;0;p a\r\n"))
        << readFile(QStringLiteral("turma.csv")).toStdString();
}

}  // namespace
