// The catalogue that the build compiled from content/curso.txt, read back
// with the program's own loader, and the course that it carries.

#include "data/datafiles.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "support/fixture.h"
#include "tools/catalogo.h"
#include "tools/fonte_do_curso.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kUltimoExercicioDeDigitacao = 41;
constexpr int kTecladoMusical = 42;

FonteDoCurso readCourse()
{
    QFile file(QUIRAVO_COURSE_SOURCE);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return leCurso(file.readAll(), "curso.txt");
}

QByteArray builtCatalogue()
{
    return readFile(QStringLiteral(QUIRAVO_BUILD_DIR "/content/") + kArquivoExercicios);
}

QList<QByteArray> fourLinesOf(const tExercicio& e)
{
    return {e.Linha1.bytes(), e.Linha2.bytes(), e.Linha3.bytes(), e.Linha4.bytes()};
}

// The source's lines followed by the empty ones that the program counts on.
QList<QByteArray> fourLinesOf(const ExercicioDoCurso& e)
{
    QList<QByteArray> lines = e.linhas;
    lines.resize(4);
    return lines;
}

tExercicio recordAt(const QByteArray& catalogue, int index)
{
    tExercicio record;
    std::memcpy(&record, catalogue.constData() + index * qsizetype(sizeof record), sizeof record);
    return record;
}

bool allZero(const std::uint8_t* bytes, size_t count)
{
    return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

class BuiltCatalogue : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        course_ = readCourse();
        ASSERT_TRUE(course_.ok()) << course_.errors.join('\n').toStdString();
        ASSERT_FALSE(course_.exercises.isEmpty());
        catalogue_ = builtCatalogue();
        ASSERT_FALSE(catalogue_.isEmpty()) << "the build makes content/ZORPExercicio20.dat";
    }

    FonteDoCurso course_;
    QByteArray catalogue_;
};

TEST_F(BuiltCatalogue, ReadsBackThroughTheProgramsLoaderAsTheSourceSays)
{
    writeFile(kArquivoExercicios, catalogue_);
    CarregaExercicios();

    const int count = int(course_.exercises.size());
    for (int i = 1; i <= count; ++i) {
        const ExercicioDoCurso& source = course_.exercises[i - 1];
        const tExercicio& loaded = Exercicios[i];
        SCOPED_TRACE(QStringLiteral("exercício %1").arg(source.numero).toStdString());
        EXPECT_EQ(loaded.Numero, source.numero);
        EXPECT_EQ(loaded.LinhasExigidas, source.linhasExigidas);
        EXPECT_EQ(loaded.Instrucao.bytes(), source.instrucao);
        EXPECT_EQ(fourLinesOf(loaded), fourLinesOf(source));
        EXPECT_EQ(loaded.NumToques, source.numToques());
    }
    for (int i = count + 1; i <= Exercicios.size; ++i)
        EXPECT_EQ(Exercicios[i].Numero, 0) << "slot " << i;
}

TEST_F(BuiltCatalogue, HoldsWholeRecordsWithFreshKeysMarkersAndZeroReservedBytes)
{
    ASSERT_EQ(catalogue_.size(), course_.exercises.size() * qsizetype(sizeof(tExercicio)));
    QSet<QByteArray> keys;
    for (int i = 0; i < course_.exercises.size(); ++i) {
        const tExercicio record = recordAt(catalogue_, i);
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(record.Chave.size(), 10);
        keys.insert(record.Chave.bytes());
        EXPECT_TRUE(allZero(record.reservado1, sizeof record.reservado1));
        EXPECT_TRUE(allZero(record.reservado2, sizeof record.reservado2));
        EXPECT_TRUE(allZero(record.reservado3, sizeof record.reservado3));
        EXPECT_TRUE(allZero(record.reservado4, sizeof record.reservado4));
        const int lineCount = int(course_.exercises[i].linhas.size());
        const TextField<100>* fields[] = {&record.Linha1, &record.Linha2, &record.Linha3, &record.Linha4};
        for (int k = 0; k < 4; ++k) {
            // no stored text is empty: an empty line is the marker
            EXPECT_GE(fields[k]->size(), 2);
            EXPECT_EQ(fields[k]->bytes() == kMarcaTextoVazio, k >= lineCount) << "line " << k + 1;
        }
    }
    EXPECT_EQ(keys.size(), course_.exercises.size()) << "every record has a key of its own";
}

TEST_F(BuiltCatalogue, TeachesTypingUpTo41AndEndsOnTheMusicalKeyboard)
{
    const QList<ExercicioDoCurso>& exercises = course_.exercises;
    ASSERT_EQ(exercises.size(), kTecladoMusical);
    for (int i = 0; i < exercises.size(); ++i)
        EXPECT_EQ(exercises[i].numero, i + 1);

    for (int i = 0; i < kUltimoExercicioDeDigitacao; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(exercises[i].instrucao.endsWith(". " + frasePassagens(exercises[i].linhasExigidas)));
        EXPECT_LE(esforcoEsperado(exercises[i]), kEsforcoMaximo);
    }
    EXPECT_LE(esforcoDoCurso(exercises), kEsforcoMaximoDoCurso);

    // every key is a note or repeats the last one: a melody has no blanks
    const ExercicioDoCurso& musical = exercises.last();
    for (const QByteArray& line : musical.linhas)
        for (char c : line)
            EXPECT_TRUE(QByteArray("CDEFGAB").contains(c)) << line.toStdString();
    for (const char* note : {"C d\xF3", "D r\xE9", "E mi", "F f\xE1", "G sol", "A l\xE1", "B si"})
        EXPECT_TRUE(musical.instrucao.contains(note)) << note;
    // what the field holds, how to erase it and how the lesson ends
    for (const char* told : {"Cabem 80 notas", "BACKSPACE apaga", "tecle F10 (Finalizar aula)"})
        EXPECT_TRUE(musical.instrucao.contains(told)) << told;
    // reached in a lesson that passed 41, the keyboard still types text
    EXPECT_TRUE(musical.instrucao.endsWith("Se n\xE3o ouvir as notas, tecle F10 e entre de novo na aula"));
    EXPECT_GT(esforcoEsperado(musical), 1e6 * kEsforcoMaximo) << "typed as text, 42 is never passed";
}

TEST_F(BuiltCatalogue, BringsItsKeysAFewAtATimeAndPractisesEachInThreeExercises)
{
    EXPECT_EQ(problemasDoCurso(course_.exercises, "curso.txt"), QStringList());
}

TEST_F(BuiltCatalogue, StartsOnTheHomeRow)
{
    for (const QByteArray& line : course_.exercises.first().linhas)
        for (char c : line)
            EXPECT_TRUE(QByteArray("asdf ").contains(c)) << line.toStdString();
}

TEST_F(BuiltCatalogue, DividesTheCourseIntoSectionsFromTheFirstExerciseOn)
{
    const QList<SecaoDoCurso>& sections = course_.sections;
    ASSERT_FALSE(sections.isEmpty());
    EXPECT_EQ(sections.first().primeiroExercicio, course_.exercises.first().numero);
    for (qsizetype i = 1; i < sections.size(); ++i)
        EXPECT_GT(sections[i].primeiroExercicio, sections[i - 1].primeiroExercicio) << sections[i].nome.toStdString();
}

TEST_F(BuiltCatalogue, ComesWithTheSectionsOneLineEach)
{
    const QByteArray written = readFile(QStringLiteral(QUIRAVO_BUILD_DIR "/content/secoes.txt"));
    const QList<QByteArray> lines = written.chopped(written.endsWith('\n') ? 1 : 0).split('\n');
    ASSERT_EQ(lines.size(), course_.sections.size()) << written.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SecaoDoCurso& section = course_.sections[i];
        EXPECT_EQ(lines[i], QByteArray::number(section.primeiroExercicio) + '\t' + section.nome.toUtf8());
    }
}

TEST(CompileCatalogue, GivesEveryRecordAKeyThatReadsItBack)
{
    ExercicioDoCurso exercise;
    exercise.numero = 9;
    exercise.linhasExigidas = 4;
    exercise.instrucao = "Instru\xE7\xE3o";
    exercise.linhas = {"ab", "\xE7\xE3\xFF"};
    const QByteArray catalogue = compilaCatalogo({exercise, exercise});
    ASSERT_EQ(catalogue.size(), 2 * qsizetype(sizeof(tExercicio)));

    for (int i = 0; i < 2; ++i) {
        const tExercicio record = recordAt(catalogue, i);
        const QByteArray chave = record.Chave.bytes();
        EXPECT_EQ(record.Numero, 9);
        EXPECT_EQ(record.LinhasExigidas, 4);
        EXPECT_EQ(record.NumToques, 3);
        EXPECT_EQ(Desembaralha(record.Linha2.bytes(), chave), exercise.linhas[1]);
        EXPECT_EQ(record.Linha3.bytes(), kMarcaTextoVazio);
        EXPECT_EQ(Desembaralha(record.Instrucao.bytes(), chave), exercise.instrucao);
    }
}

}  // namespace
