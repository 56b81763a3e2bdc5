#include "data/datafiles.h"
#include "ui/acao.h"
#include "ui/dialogs.h"
#include "platform/recordfile.h"
#include "records_builder.h"
#include "support/fixture.h"

#include <QTest>
#include <QTimer>

namespace {

using Catalogo = InTempDir;

const QString kFile = kArquivoExercicios;

// Fills the catalogue with junk, as an earlier load of another file might.
void spoilCatalogue()
{
    std::memset(static_cast<void*>(&Exercicios), 0x55, sizeof Exercicios);
    std::memset(static_cast<void*>(&ExercicioAtual), 0x55, sizeof ExercicioAtual);
}

std::vector<tExercicio> threeExercises()
{
    std::vector<tExercicio> records = {
        rawExercicio({1, {"asdf", "jklç", "asdf jklç", "fim."}, "Digite as linhas.", 120, 3}),
        rawExercicio({2, {"ab", "cd", "", ""}, "Duas linhas.", 40, 5}, "1xyz0212Ab"),
        rawExercicio({42, {"do re mi", "", "", ""}, "", 8, 2}, "x1y4z643Ar"),
    };
    // bytes the loader must not carry over, and the two it must
    for (tExercicio& r : records) {
        std::memset(r.reservado1, 0x11, sizeof r.reservado1);
        std::memset(r.reservado2, 0x22, sizeof r.reservado2);
        std::memset(r.reservado4, 0x44, sizeof r.reservado4);
        r.reservado3[0] = 0x33;
        r.reservado3[1] = r.Numero;
    }
    return records;
}

TEST_F(Catalogo, ThreeRecordsFillTheFirstSlotsPlainAndWithoutKeys)
{
    const auto records = threeExercises();
    writeFile(kFile, bytesOf(records));
    spoilCatalogue();
    CarregaExercicios();

    EXPECT_EQ(Exercicios[1].Linha3.bytes(), "asdf jklç");
    EXPECT_EQ(Exercicios[1].Instrucao.bytes(), "Digite as linhas.");
    EXPECT_EQ(Exercicios[2].Linha2.bytes(), "cd");
    EXPECT_TRUE(Exercicios[2].Linha3.empty() && Exercicios[2].Linha4.empty());
    EXPECT_EQ(Exercicios[3].Linha1.bytes(), "do re mi");
    EXPECT_TRUE(Exercicios[3].Instrucao.empty());
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const tExercicio& slot = Exercicios[i];
        const tExercicio& raw = records[size_t(i - 1)];
        EXPECT_TRUE(slot.Chave.empty());
        EXPECT_EQ(slot.Numero, raw.Numero);
        EXPECT_EQ(slot.NumToques, raw.NumToques);
        EXPECT_EQ(slot.LinhasExigidas, raw.LinhasExigidas);
        EXPECT_EQ(bytesOf(slot).mid(683, 2), bytesOf(raw).mid(683, 2));
        EXPECT_EQ(bytesOf(slot).mid(416, 8) + bytesOf(slot).mid(428, 4) + bytesOf(slot).mid(686, 2),
                  QByteArray(14, '\0'));
    }
    for (int i = 4; i <= 100; ++i)
        EXPECT_TRUE(isZero(Exercicios[i])) << i;
    EXPECT_EQ(bytesOf(ExercicioAtual), bytesOf(records.back()));
}

TEST_F(Catalogo, OnlyWholeRecordsAreRead)
{
    struct Case {
        int bytes;
        int exercises;
    };
    const auto records = threeExercises();
    for (const Case c : {Case{1500, 2}, Case{0, 0}, Case{687, 0}}) {
        SCOPED_TRACE(c.bytes);
        writeFile(kFile, (bytesOf(records) + QByteArray(688, 'z')).left(c.bytes));
        spoilCatalogue();
        // a catalogue without a whole exercise is damaged, and says which file it is
        const QString erro = errorOf(CarregaExercicios);
        EXPECT_EQ(erro.contains(QStringLiteral("ZORPExercicio20.dat está danificado")), c.exercises == 0)
            << erro.toStdString();
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(isZero(Exercicios[i]), i > c.exercises) << i;
        EXPECT_TRUE(isZero(Exercicios[100]));
        EXPECT_EQ(bytesOf(ExercicioAtual),
                  c.exercises ? bytesOf(records[size_t(c.exercises - 1)]) : QByteArray(688, '\0'));
    }
}

TEST_F(Catalogo, MoreThanOneHundredRecordsLoadTheFirstHundred)
{
    std::vector<tExercicio> records;
    for (int i = 1; i <= 103; ++i)
        records.push_back(rawExercicio({std::uint8_t(i), {QByteArray::number(i), "", "", ""}, "", 0, 1}));
    writeFile(kFile, bytesOf(records));
    CarregaExercicios();
    EXPECT_EQ(Exercicios[100].Numero, 100);
    EXPECT_EQ(Exercicios[100].Linha1.bytes(), "100");
    EXPECT_EQ(bytesOf(ExercicioAtual), bytesOf(records[99]));
}

TEST_F(Catalogo, AFailedLoadKeepsTheSlotsReadBeforeIt)
{
    writeFile(kFile, bytesOf(threeExercises()));
    fileseam::failOn(fileseam::Op::Read, EIO, 3);
    EXPECT_EQ(errorOf(CarregaExercicios), "I/O error 5");
    EXPECT_EQ(Exercicios[2].Numero, 2);
    EXPECT_TRUE(isZero(Exercicios[3]));

    // a key that cannot be read ends the load there
    auto records = threeExercises();
    records[1].Chave.set("a2cdex23Db");
    writeFile(kFile, bytesOf(records));
    EXPECT_EQ(errorOf(CarregaExercicios), "'x' is not a valid integer value");
    EXPECT_EQ(Exercicios[1].Numero, 1);
    EXPECT_TRUE(isZero(Exercicios[2]));
}

TEST_F(Catalogo, AMissingCatalogueIsReportedAsFileNotFound)
{
    spoilCatalogue();
    QTimer::singleShot(0, [] { executaAcao(CarregaExercicios); });
    QTRY_COMPARE(boxseam::shown().size(), size_t(1));
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
    EXPECT_TRUE(isZero(Exercicios[1]) && isZero(ExercicioAtual));
}

TEST_F(Catalogo, DamagedLengthBytesAreReadNoFurtherThanTheCapacity)
{
    tExercicio raw = rawExercicio({1, {QByteArray(100, 'a'), "", "", ""}, QByteArray(250, 'b'), 0, 1});
    raw.Chave.length = 255;
    raw.Linha1.length = 255;
    raw.Instrucao.length = 255;
    writeFile(kFile, bytesOf(raw));
    CarregaExercicios();
    EXPECT_EQ(Exercicios[1].Linha1.bytes(), QByteArray(100, 'a'));
    EXPECT_EQ(Exercicios[1].Instrucao.bytes(), QByteArray(250, 'b'));
    EXPECT_EQ(Exercicios[1].Linha1.length, 100);
}

}  // namespace
