// The figures of the progress screen and the class report, from small histories.

#include "students/desempenho.h"

#include "data/records.h"
#include "platform/clock.h"
#include "../data/records_builder.h"
#include "support/fixture.h"

#include <QFile>
#include <vector>

namespace {

constexpr std::int32_t kAna = 1;
constexpr std::int32_t kBia = 2;

QDate dia(double n)
{
    return dateOfDayCount(n);
}

class DesempenhoTest : public InTempDir {
protected:
    // Bia registered first with the higher number: the roster follows the file
    void SetUp() override
    {
        InTempDir::SetUp();
        writeFile(kArquivoAlunos, bytesOf(std::vector<tAluno>{rawAluno(kBia, "B\xED" "dia"), rawAluno(kAna, "Ana")}));
    }
};

// Ana's history, with Bia's records where the case puts them.
struct Caso {
    const char* nome;
    std::vector<tAula> aulas;
    int ultimoExercicio, passagens, diasDePratica;
    QDate primeiraAula, ultimaAula;
    int melhorVelocidade, ultimaVelocidade;
    QDate cadastro;  // the first record without an exercise
};

std::vector<tAula> longaHistoria()
{
    std::vector<tAula> aulas;
    for (int i = 0; i < 250; ++i)
        aulas.push_back(aula(kAna, std::uint8_t(i % 40 + 1), 46000 + i / 10, i));
    return aulas;
}

TEST_F(DesempenhoTest, EachHistoryGivesItsFigures)
{
    const Caso casos[] = {
        {"sem registros", {}, 0, 0, 0, QDate(), QDate(), 0, 0, QDate()},
        // the first and the last lesson are passes: a registration is none
        {"so o cadastro", {aula(kAna, 0, 46000)}, 0, 0, 0, QDate(), QDate(), 0, 0, dia(46000)},
        {"varias passagens num dia",
         {aula(kAna, 0, 46000), aula(kAna, 1, 46001, 120), aula(kAna, 2, 46001, 150), aula(kAna, 3, 46001, 140)},
         3, 3, 1, dia(46001), dia(46001), 150, 140, dia(46000)},
        {"mandada de volta pelo ritmo",
         {aula(kAna, 0, 46000), aula(kAna, 5, 46001, 200), aula(kAna, 6, 46002, 210), aula(kAna, 3, 46010, 90)},
         3, 3, 3, dia(46001), dia(46010), 210, 90, dia(46000)},
        {"outra aluna no meio",
         {aula(kAna, 0, 46000), aula(kBia, 7, 46001, 300), aula(kAna, 2, 46002, 100), aula(kBia, 9, 46003, 310)},
         2, 1, 1, dia(46002), dia(46002), 100, 100, dia(46000)},
        {"um registro sem exercicio depois da passagem",
         {aula(kAna, 0, 46000), aula(kAna, 1, 46002, 90), aula(kAna, 0, 46005)},
         0, 1, 1, dia(46002), dia(46002), 90, 0, dia(46000)},
        {"mais de 200 registros", longaHistoria(), 10, 250, 25, dia(46000), dia(46024), 249, 249, QDate()},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        writeFile(kArquivoAulas, bytesOf(caso.aulas));
        const std::vector<Desempenho> turma = DesempenhoDaTurma();
        ASSERT_EQ(turma.size(), 2u);
        const Desempenho& ana = turma[1];
        EXPECT_EQ(ana.codigo, kAna);
        EXPECT_EQ(ana.nome, QStringLiteral("Ana"));
        EXPECT_EQ(ana.ultimoExercicio, caso.ultimoExercicio);
        EXPECT_EQ(int(ana.passagens.size()), caso.passagens);
        EXPECT_EQ(ana.diasDePratica, caso.diasDePratica);
        EXPECT_EQ(ana.primeiraAula, caso.primeiraAula);
        EXPECT_EQ(ana.ultimaAula, caso.ultimaAula);
        EXPECT_EQ(ana.melhorVelocidade, caso.melhorVelocidade);
        EXPECT_EQ(ana.ultimaVelocidade, caso.ultimaVelocidade);
        EXPECT_EQ(ana.cadastro, caso.cadastro);
    }
}

TEST_F(DesempenhoTest, RosterOrderNamesPlainAndThePassesInFileOrder)
{
    writeFile(kArquivoAulas, bytesOf(std::vector<tAula>{aula(kAna, 0, 46000), aula(kBia, 4, 46001, 180),
                                                        aula(kAna, 1, 46002, 90), aula(kAna, 0, 46003, 0),
                                                        aula(kAna, 2, 46004, 110), aula(7, 30, 46005, 999)}));
    const std::vector<Desempenho> turma = DesempenhoDaTurma();
    ASSERT_EQ(turma.size(), 2u);
    EXPECT_EQ(turma[0].codigo, kBia);
    EXPECT_EQ(turma[0].nome, QStringLiteral("B\u00EDdia"));
    EXPECT_EQ(turma[0].ultimoExercicio, 4);
    ASSERT_EQ(turma[1].passagens.size(), 2u);
    EXPECT_EQ(turma[1].passagens[0].data, dia(46002));
    EXPECT_EQ(turma[1].passagens[0].exercicio, 1);
    EXPECT_EQ(turma[1].passagens[0].velocidade, 90);
    EXPECT_EQ(turma[1].passagens[1].exercicio, 2);
    // a record without an exercise still is the last record
    EXPECT_EQ(turma[1].ultimoExercicio, 2);
}

// The roster the rules are handed: the file's students in its order, their
// texts plain; a course where nobody has registered has no student file.
TEST_F(DesempenhoTest, TheRosterIsTheStudentFilesInItsOrderAndNoneWithoutTheFile)
{
    const std::vector<tAluno> rol = RolDoCurso();
    ASSERT_EQ(rol.size(), 2u);
    EXPECT_EQ(rol[0].Codigo, kBia);
    EXPECT_EQ(rol[0].Nome.bytes(), QByteArray("B\xED" "dia"));
    EXPECT_EQ(rol[1].Codigo, kAna);
    EXPECT_EQ(rol[1].Nome.bytes(), QByteArray("Ana"));
    EXPECT_TRUE(rol[1].Senha.empty());
    ASSERT_TRUE(QFile::remove(kArquivoAlunos));
    EXPECT_TRUE(RolDoCurso().empty());
}

TEST_F(DesempenhoTest, WithoutTheLessonFileEveryoneHasNoRecords)
{
    const std::vector<Desempenho> turma = DesempenhoDaTurma();
    ASSERT_EQ(turma.size(), 2u);
    EXPECT_TRUE(turma[1].passagens.empty());
    EXPECT_TRUE(turma[1].primeiraAula.isNull());
}

}  // namespace
