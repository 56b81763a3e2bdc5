// The rules of the teacher's screen without the screen: the search, what a
// correction changes and what the log says of it.

#include "students/professor.h"

#include <gtest/gtest.h>

namespace {

const AlunoDoProfessor kJoao{.codigo = 12,
                             .nome = QStringLiteral("João Conceição"),
                             .email = QStringLiteral("joao@escola.br"),
                             .temSenha = true,
                             .periodo = 2,
                             .ultimaAula = {}};

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
