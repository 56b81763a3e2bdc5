// The fuzz targets' seed corpora and every input that once made a reader
// fail (regressions/<target>/), replayed through the fuzz targets' checks.

#include "hardening.h"

#include "fuzz/harness.h"
#include "support/fixture.h"

#include <QDirIterator>

namespace {

struct Target {
    const char* name;
    QString (*check)(const QByteArray&);
};

const Target kTargets[] = {
    {"catalogo", checkCatalogue},
    {"alunos", checkRoster},
    {"aulas", checkHistory},
    {"desempenho", checkProgress},
    {"desembaralha", checkUnscrambling},
    {"turma", checkClassList},
    {"anterior", checkJournal},
    {"toques", checkKeyStatistics},
    {"alteracoes", checkChangeLog},
};

using Regressoes = InTempDir;

TEST_F(Regressoes, EveryKeptInputReadsCleanly)
{
    int replayed = 0;
    for (const Target& target : kTargets) {
        for (const char* root : {QUIRAVO_FUZZ_CORPUS, QUIRAVO_REGRESSIONS}) {
            QDirIterator inputs(QStringLiteral("%1/%2").arg(QLatin1String(root), QLatin1String(target.name)),
                                QDir::Files);
            while (inputs.hasNext()) {
                const QString input = inputs.next();
                EXPECT_EQ(target.check(readFile(input)), QString()) << input.toStdString();
                ++replayed;
            }
        }
    }
    EXPECT_GT(replayed, 0);
}

// Beyond what the fuzz targets reach: files longer than the tables they fill.
TEST_F(Regressoes, FilesLongerThanTheirTablesReadCleanly)
{
    std::vector<tExercicio> exercises;
    std::vector<tAluno> students;
    for (int n = 1; n <= 120; ++n) {
        exercises.push_back(storedExercise(std::uint8_t(n)));
        students.push_back(storedStudent(n));
    }
    std::vector<tAula> lessons;
    for (int n = 1; n <= 600; ++n)
        lessons.push_back(lesson(n % 3 ? 7 : 8, n));
    EXPECT_EQ(checkCatalogue(bytesOf(exercises)), QString());
    EXPECT_EQ(checkRoster(bytesOf(students)), QString());
    EXPECT_EQ(checkHistory(bytesOf(lessons)), QString());
}

}  // namespace
