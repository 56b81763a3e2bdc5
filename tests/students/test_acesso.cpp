// The rules of registering a student and of letting one in, without a screen.

#include "students/acesso.h"

#include "../data/records_builder.h"

#include <gtest/gtest.h>

namespace {

TEST(Acesso, APasswordThatCouldNotBeTypedAgainIsRefused)
{
    const struct {
        const char* senha;
        bool impossivel;
    } casos[] = {
        {"", false}, {"a", true}, {"ab", false}, {"==", true}, {"===", false}, {"=", true}, {"123456789012345", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(SenhaImpossivel(QString::fromUtf8(caso.senha)), caso.impossivel) << caso.senha;
}

TEST(Acesso, TheCourseHoldsAsManyStudentsAsTheRoster)
{
    EXPECT_FALSE(CursoLotado(0));
    EXPECT_FALSE(CursoLotado(99));
    EXPECT_TRUE(CursoLotado(100));
    EXPECT_TRUE(CursoLotado(105));  // a file grown past it elsewhere
}

TEST(Acesso, OnlyTheSamePasswordExactlyLetsTheStudentIn)
{
    tAluno comSenha{};
    comSenha.Senha.set("S\xe9nha");  // "Sénha", as the file holds it
    const struct {
        const tAluno& aluno;
        QString digitada;
        bool entra;
    } casos[] = {
        {comSenha, QStringLiteral("Sénha"), true},
        {comSenha, QStringLiteral("sénha"), false},
        {comSenha, QStringLiteral("Sénha "), false},
        {comSenha, QString(), false},
        {tAluno{}, QString(), true},
        {tAluno{}, QStringLiteral("x"), false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(SenhaConfere(caso.aluno, caso.digitada), caso.entra) << caso.digitada.toStdString();
}

TEST(Acesso, ALessonGoesOnFromTheExerciseAfterTheLastRecorded)
{
    EXPECT_EQ(ProximoExercicio(aula(1, 0)), 1);   // only registered
    EXPECT_EQ(ProximoExercicio(aula(1, 41)), 42);
    EXPECT_EQ(ProximoExercicio(aula(1, 255)), 256);
}

}  // namespace
