// A class enrolled from a list: the lines read as the registration screen
// would take them, the refused ones named, the rest registered in order.

#include "students/matricula.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "support/fixture.h"

namespace {

struct Lida {
    int numero;
    const char* nome;
    const char* email;
    const char* recusa;
};

void confere(const std::vector<LinhaDaTurma>& turma, const std::vector<Lida>& esperadas)
{
    ASSERT_EQ(turma.size(), esperadas.size());
    for (size_t i = 0; i < turma.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(turma[i].numero));
        EXPECT_EQ(turma[i].numero, esperadas[i].numero);
        EXPECT_EQ(turma[i].nome, QString::fromUtf8(esperadas[i].nome));
        EXPECT_EQ(turma[i].email, QString::fromUtf8(esperadas[i].email));
        EXPECT_EQ(turma[i].recusa, QString::fromUtf8(esperadas[i].recusa));
    }
}

TEST(ListaDaTurma, ASpreadsheetsCsvWithAHeadingQuotesAndBlankLines)
{
    const QByteArray csv = "\xEF\xBB\xBFNome;E-mail\r\n"
                           "Ana Lima;ana@escola.br\r\n"
                           "\r\n"
                           "\"Souza; Bia\";\"bia \"\"b\"\"@x.br\"\r\n"
                           "  Caio  \r\n"
                           ";sem@nome.br\r\n"
                           "\xC5\x81ukasz Nowak\r\n"
                           "Maria Aparecida dos Santos de Oliveira Neta\r\n";
    confere(LeListaDaTurma(csv, 99),
            {{2, "Ana Lima", "ana@escola.br", ""},
             {4, "Souza; Bia", "bia \"b\"@x.br", ""},
             {5, "Caio", "", ""},
             {6, "", "sem@nome.br", "Digite pelo menos o nome do aluno."},
             {7, "Łukasz Nowak", "", "O nome tem o caractere \"Ł\", que o curso não guarda."},
             {8, "Maria Aparecida dos Santos de Oliveira Neta", "", "O nome tem mais de 40 caracteres."}});
}

TEST(ListaDaTurma, AWindowsTextFileInItsCodePage)
{
    confere(LeListaDaTurma("Jo\xE3o\nConcei\xE7\xE3o\n", 99), {{1, "João", "", ""}, {2, "Conceição", "", ""}});
}

TEST(ListaDaTurma, TheLinesBeyondTheCoursesPlacesAreRefused)
{
    confere(LeListaDaTurma("Ana\n\nBia\nCaio\n", 2),
            {{1, "Ana", "", ""}, {3, "Bia", "", ""}, {4, "Caio", "", "O curso comporta no máximo 100 alunos."}});
}

class Matricula : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(14, 5)));
        MaiorCodigo();
        GravaAluno(QStringLiteral("Já cadastrada"), QStringLiteral("segredo"), {}, today(), 2);
    }
};

TEST_F(Matricula, TheLinesAcceptedAreRegisteredInOrderAsTheRegistrationScreenDoes)
{
    const std::vector<LinhaDaTurma> turma = LeListaDaTurma("Ana;ana@escola.br\n;x\nJoão\n", 99);
    ASSERT_EQ(MatriculaTurma(turma, 1), 2);

    NumAlunos = CarregaAlunos();
    ASSERT_EQ(NumAlunos, 3);
    const struct {
        int codigo;
        const char* nome;
        const char* email;
    } esperados[] = {{2, "Ana", "ana@escola.br"}, {3, "João", ""}};
    for (int i = 0; i < 2; ++i) {
        const tAluno& a = ListaAlunos[i + 2];
        EXPECT_EQ(a.Codigo, esperados[i].codigo);
        EXPECT_EQ(fromCp1252(a.Nome.bytes()), QString::fromUtf8(esperados[i].nome));
        EXPECT_EQ(fromCp1252(a.EMail.bytes()), QString::fromUtf8(esperados[i].email));
        EXPECT_TRUE(a.Senha.empty());
        EXPECT_EQ(a.DataNasc, today());
        EXPECT_EQ(a.Periodo.bytes(), QByteArray("1"));
    }
    // each with today's registration record, as the registration screen leaves it
    CodAlunoAtual = 3;
    LeHistoricoAulas();
    EXPECT_EQ(AulaAtual.CodAluno, 3);
    EXPECT_EQ(AulaAtual.Data, today());
    EXPECT_EQ(AulaAtual.NumExerc, 0);

    const QStringList log = UltimasAlteracoes(5);
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], QStringLiteral("10/12/2026 14:05:00 - código 3 - matriculado pela lista da turma: \"João\", "
                                     "2 x por semana"));
    EXPECT_EQ(ResumoDaMatricula(turma, 2),
              QStringLiteral("2 alunos matriculados, sem senha.\r1 linha da lista ficou de fora."));
}

TEST_F(Matricula, ACourseFilledMeanwhileStopsTheEnrolmentAndSaysSo)
{
    const std::vector<LinhaDaTurma> turma = LeListaDaTurma("Ana\nBia\nCaio\n", 99);
    for (int i = 0; i < 98; ++i)
        GravaAluno(QStringLiteral("Outro %1").arg(i), {}, {}, today(), 0);
    EXPECT_EQ(MatriculaTurma(turma, 0), 1);
    EXPECT_EQ(ResumoDaMatricula(turma, 1),
              QStringLiteral("1 aluno matriculado, sem senha.\rO curso ficou sem vagas antes do fim da lista: "
                             "2 alunos não foram matriculados."));
}

}  // namespace
