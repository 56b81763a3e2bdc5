// The rules of the teacher's screen without the screen: the roster as the
// list shows it, the search, what a correction changes and what the log says
// of it.

#include "students/professor.h"

#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "../data/records_builder.h"
#include "support/fixture.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const AlunoDoProfessor kJoao{.codigo = 12,
                             .nome = QStringLiteral("João Conceição"),
                             .email = QStringLiteral("joao@escola.br"),
                             .temSenha = true,
                             .periodo = 2,
                             .ultimaAula = {}};

class RolDoProfessor : public InTempDir {};

// Each student of the roster given, in its order, as the teacher's list shows
// it, with the last pass of its own number: the roster out of number order,
// a number repeated (a damaged file gives its lessons to the first holder),
// a number with lessons and no student, and every kind of stored period.
TEST_F(RolDoProfessor, EachStudentOfTheRosterWithTheLastPassOfItsOwnNumber)
{
    writeFile(kArquivoAulas, bytesOf(std::vector<tAula>{aula(7, 0, 46000), aula(3, 1, 46001, 120), aula(7, 2, 46002),
                                                        aula(9, 5, 46003), aula(3, 0, 46004), aula(7, 3, 46005)}));
    const struct {
        std::int32_t codigo;
        const char* nome;  // UTF-8, stored in Windows-1252
        const char* email;
        const char* senha;
        const char* periodo;
        std::optional<int> periodoMostrado;
        double ultimaAula;  // 0: none
    } casos[] = {
        {7, "João Conceição", "joao@escola.br", "segredo", "2", 2, 46005},
        {3, "Bia", "", "", "0", 0, 46001},  // the registration record after it is no pass
        {5, "Caio", "", "", "1", 1, 0},
        {7, "Davi", "", "", "3", std::nullopt, 0},
        {8, "Eva", "", "", "", std::nullopt, 0},
        {2, "Ivo", "", "", "12", std::nullopt, 0},
    };
    std::vector<tAluno> rol;
    for (const auto& caso : casos) {
        tAluno aluno{};
        aluno.Codigo = caso.codigo;
        aluno.Nome.set(toCp1252(QString::fromUtf8(caso.nome)));
        aluno.EMail.set(caso.email);
        aluno.Senha.set(caso.senha);
        aluno.Periodo.set(caso.periodo);
        rol.push_back(aluno);
    }
    const std::vector<AlunoDoProfessor> alunos = AlunosDoProfessor(rol);
    ASSERT_EQ(alunos.size(), std::size(casos));
    for (size_t i = 0; i < alunos.size(); ++i) {
        const auto& caso = casos[i];
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(alunos[i].codigo, caso.codigo);
        EXPECT_EQ(alunos[i].nome, QString::fromUtf8(caso.nome));
        EXPECT_EQ(alunos[i].email, QString::fromUtf8(caso.email));
        EXPECT_EQ(alunos[i].temSenha, *caso.senha != '\0');
        EXPECT_EQ(alunos[i].periodo, caso.periodoMostrado);
        EXPECT_EQ(alunos[i].ultimaAula, caso.ultimaAula > 0 ? dateOfDayCount(caso.ultimaAula) : QDate());
    }
    EXPECT_TRUE(AlunosDoProfessor({}).empty());
}

TEST(Professor, TheSearchFindsAPartOfTheNameWithoutCaseOrAccentsOrTheNumber)
{
    const struct {
        const char* busca;
        bool acha;
    } casos[] = {
        {"", true},      {"  ", true},     {"joão", true},  {"JOAO", true}, {"conceicao", true}, {"ção", true},
        {" joão ", true}, {"12", true},     {"1", false},    {"maria", false}, {"joao@", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(AtendeABusca(kJoao, QString::fromUtf8(caso.busca)), caso.acha) << caso.busca;
}

TEST(Professor, OnlyWhatDiffersIsCorrectedAndTheLogNeverHoldsAPasswordOrAnAddress)
{
    FichaDoAluno igual{kJoao.nome, kJoao.email, kJoao.periodo, {}};
    EXPECT_TRUE(SemDiferencas(Diferencas(kJoao, igual)));
    // a record that holds no period, shown with none chosen, stays without one
    AlunoDoProfessor semPeriodo = kJoao;
    semPeriodo.periodo.reset();
    EXPECT_TRUE(SemDiferencas(Diferencas(semPeriodo, {kJoao.nome, kJoao.email, std::nullopt, {}})));

    const FichaDoAluno tudo{QStringLiteral("João da Conceição"), QStringLiteral("jc@escola.br"), 0,
                            QStringLiteral("nova12")};
    const CorrecaoAluno correcao = Diferencas(kJoao, tudo);
    EXPECT_EQ(correcao.nome, tudo.nome);
    EXPECT_EQ(correcao.email, tudo.email);
    EXPECT_EQ(correcao.periodo, 0);
    EXPECT_EQ(correcao.senha, QStringLiteral("nova12"));
    EXPECT_EQ(DescreveCorrecao(kJoao, correcao),
              (QStringList{QStringLiteral("nome corrigido de \"João Conceição\" para \"João da Conceição\""),
                           QStringLiteral("e-mail corrigido"), QStringLiteral("senha nova dada pelo professor"),
                           QStringLiteral("ritmo mudado de \"Todo Dia\" para \"1 x por semana\"")}));

    CorrecaoAluno semSenha;
    semSenha.senha = QString();
    EXPECT_EQ(DescreveCorrecao(kJoao, semSenha),
              QStringList{QStringLiteral("senha apagada: o aluno entra sem senha")});
}

TEST(Professor, AFichaIsRefusedInTheRegistrationScreensWords)
{
    const struct {
        FichaDoAluno ficha;
        const char* problema;  // "" when it is taken
    } casos[] = {
        {{QStringLiteral("Ana"), {}, 0, {}}, ""},
        {{QString(), {}, 0, {}}, "Digite pelo menos o nome do aluno."},
        {{QStringLiteral("Ana"), {}, 0, QStringLiteral("a")},
         "Esta senha não pode ser usada.\rDigite pelo menos 2 caracteres, sem ser \"==\",\rou deixe a senha em branco."},
        {{QStringLiteral("Ana"), {}, 0, QStringLiteral("==")},
         "Esta senha não pode ser usada.\rDigite pelo menos 2 caracteres, sem ser \"==\",\rou deixe a senha em branco."},
        {{QStringLiteral("Ana ☺"), {}, 0, {}}, "O nome tem o caractere \"☺\", que o curso não guarda."},
        {{QString(41, u'a'), {}, 0, {}}, "O nome tem mais de 40 caracteres."},
    };
    for (const auto& caso : casos) {
        const std::optional<QString> problema = ProblemaDaFicha(caso.ficha);
        EXPECT_EQ(problema.value_or(QString()), QString::fromUtf8(caso.problema)) << caso.ficha.nome.toStdString();
    }
}

}  // namespace
