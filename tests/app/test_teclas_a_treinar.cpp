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
#include "students/mapa.h"
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

// A line typed the same way ten times: what the keys to train and the heat
// map's keys say of it.
struct LinhaRepetida {
    const char* nome;
    const char* comoDigita;
    const char* teclasATreinar;
    std::vector<QString> descricoes;  // of the keys typed, in the heat map's order
};

void PrintTo(const LinhaRepetida& caso, std::ostream* os)
{
    *os << caso.nome;
}

class UmaLinhaRepetida : public TeclasDoAluno, public ::testing::WithParamInterface<LinhaRepetida> {};

TEST_P(UmaLinhaRepetida, OnlyTheKeysMissedAreBlamed)
{
    digitaALicao(QString::fromUtf8(GetParam().comoDigita), 10);

    TfDesempenho progresso(DesempenhoDaTurma().front(), ExerciciosNoCurso());
    progresso.show();
    EXPECT_EQ(progresso.findChild<QLabel*>(QStringLiteral("lbTeclasATreinar"))->text(),
              QString::fromUtf8(GetParam().teclasATreinar));
    std::vector<QString> descricoes;
    for (const mapa::FigurasDaTecla& tecla : mapa::PorTecla(DesempenhoDaTurma().front().teclas)) {
        const QString descricao = mapa::Descricao(tecla);
        if (!descricao.isEmpty())
            descricoes.push_back(descricao.section(u',', 0, 0));
    }
    EXPECT_EQ(descricoes, GetParam().descricoes);
}

const LinhaRepetida kLinhasRepetidas[] = {
    // before, every key after the skip was wrong: "a p" and all keys red
    {"the first p left out", "ata sapo", "p a",
     {QStringLiteral("t: 0 % de erros"), QStringLiteral("o: 0 % de erros"), QStringLiteral("p: 50 % de erros"),
      QStringLiteral("a: 0 % de erros"), QStringLiteral("s: 0 % de erros"), QStringLiteral("espaço: 0 % de erros")}},
    // before, " sapo" counted as five errors a line: "a p"
    {"ENTER after the first word", "pata", "a",
     {QStringLiteral("t: 0 % de erros"), QStringLiteral("p: 0 % de erros"), QStringLiteral("a: 0 % de erros")}},
};

INSTANTIATE_TEST_SUITE_P(Casos, UmaLinhaRepetida, ::testing::ValuesIn(kLinhasRepetidas),
                         [](const ::testing::TestParamInfo<LinhaRepetida>& info) {
                             return "caso" + std::to_string(info.index);
                         });

}  // namespace
