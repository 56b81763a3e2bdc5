// The key statistics file: its record as bytes, its appends and its reads.

#include "data/toques.h"
#include "platform/recordfile.h"
#include "support/fixture.h"
#include "support/rawrecords.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>

namespace {

tToque toque(std::int32_t aluno, char caractere, std::uint32_t esperadas)
{
    tToque r{};
    r.CodAluno = aluno;
    r.Caractere = std::uint8_t(caractere);
    r.Origem = std::uint8_t(OrigemDoToque::Treino);
    r.Sessao = 46000.5;
    r.Esperadas = esperadas;
    r.Erradas = 2;
    r.Cronometradas = 3;
    r.Milissegundos = 0x01020304;
    return r;
}

std::vector<tToque> lidos()
{
    std::vector<tToque> lista;
    LeToques([&](const tToque& r) { lista.push_back(r); });
    return lista;
}

TEST_F(InTempDir, AKeyRecordIsThirtyTwoLittleEndianBytes)
{
    GravaToques({toque(0x0A0B0C0D, '\xE7', 5)});

    QByteArray esperado(32, '\0');
    qToLittleEndian<std::int32_t>(0x0A0B0C0D, esperado.data());
    esperado[4] = '\xE7';
    esperado[5] = 2;
    const double sessao = 46000.5;
    std::memcpy(esperado.data() + 8, &sessao, 8);
    qToLittleEndian<std::uint32_t>(5, esperado.data() + 16);
    qToLittleEndian<std::uint32_t>(2, esperado.data() + 20);
    qToLittleEndian<std::uint32_t>(3, esperado.data() + 24);
    qToLittleEndian<std::uint32_t>(0x01020304, esperado.data() + 28);
    EXPECT_EQ(readFile(kArquivoToques).toHex(), esperado.toHex());
}

// The file comes with the first record; a cut record at its end is no
// record, and the next append writes over it.
TEST_F(InTempDir, TheFileIsMadeWhenFirstNeededAndACutRecordIsWrittenOver)
{
    EXPECT_TRUE(lidos().empty());
    GravaToques({});
    EXPECT_FALSE(QFile::exists(kArquivoToques));

    GravaToques({toque(1, 'a', 1), toque(1, 'b', 2)});
    writeFile(kArquivoToques, readFile(kArquivoToques) + QByteArray(17, '\xFF'));
    ASSERT_EQ(lidos().size(), 2u);

    GravaToques({toque(2, 'c', 3)});
    EXPECT_EQ(readFile(kArquivoToques).size(), 3 * 32);
    EXPECT_EQ(bytesOf(lidos()), bytesOf(std::vector{toque(1, 'a', 1), toque(1, 'b', 2), toque(2, 'c', 3)}));
}

TEST_F(InTempDir, AFailedAppendIsToldWithTheFilesError)
{
    fileseam::failOn(fileseam::Op::Write, ENOSPC, 2);
    EXPECT_EQ(errorOf([] { GravaToques({toque(1, 'a', 1), toque(1, 'b', 1)}); }), QStringLiteral("Disk full"));
    fileseam::failOn(fileseam::Op::Open, EACCES);
    EXPECT_EQ(errorOf([] { lidos(); }), QStringLiteral("File access denied"));
}

}  // namespace
