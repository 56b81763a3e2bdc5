// The course's sections as the program carries them: the ones the build wrote
// from the course source, and which of them each exercise falls in.

#include "support/fixture.h"
#include "students/secoes.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Q_CLEANUP_RESOURCE declares its function where it is called, so it must be
// called outside any namespace.
static void dropTheSectionsResource()
{
    Q_CLEANUP_RESOURCE(secoes);
}

namespace {

TEST(SecoesDoCurso, AreTheSectionsThatTheBuildWroteBeginningAtExercise1)
{
    const QByteArray written = readFile(QStringLiteral(QUIRAVO_BUILD_DIR "/content/secoes.txt"));
    const QList<QByteArray> lines = written.chopped(written.endsWith('\n') ? 1 : 0).split('\n');
    const std::vector<Secao>& secoes = SecoesDoCurso();
    ASSERT_EQ(secoes.size(), size_t(lines.size())) << written.toStdString();
    EXPECT_EQ(secoes.front().primeiroExercicio, 1);
    for (size_t i = 0; i < secoes.size(); ++i)
        EXPECT_EQ(lines[qsizetype(i)], QByteArray::number(secoes[i].primeiroExercicio) + '\t' + secoes[i].nome.toUtf8());
}

TEST(SecoesDoCurso, AnExerciseFallsInTheLastSectionBeginningAtOrBeforeIt)
{
    const std::vector<Secao>& secoes = SecoesDoCurso();
    ASSERT_GE(secoes.size(), 2u);
    EXPECT_EQ(SecaoDoExercicio(0), -1);
    for (size_t i = 0; i < secoes.size(); ++i) {
        SCOPED_TRACE(secoes[i].nome.toStdString());
        EXPECT_EQ(SecaoDoExercicio(secoes[i].primeiroExercicio), int(i));
        EXPECT_EQ(SecaoDoExercicio(secoes[i].primeiroExercicio - 1), int(i) - 1);
    }
    EXPECT_EQ(SecaoDoExercicio(secoes.back().primeiroExercicio + 100), int(secoes.size()) - 1);
}

// In a process of its own, where the sections have not been read yet.
TEST(SecoesDoCursoDeathTest, WithoutTheResourceThereAreNoSections)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dropTheSectionsResource();
            std::exit(SecoesDoCurso().empty() && SecaoDoExercicio(1) == -1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
