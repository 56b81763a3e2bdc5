#include "data/datafiles.h"
#include "data/scrambling.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "records_builder.h"
#include "support/fixture.h"

#include <limits>

namespace {

class Alunos : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
        CodAlunoAtual = 0;
        NumAlunos = 0;
    }
};

const QString kStudents = kArquivoAlunos;
const QString kLessons = kArquivoAulas;

std::vector<tAluno> studentsNumbered(const std::vector<std::int32_t>& numbers)
{
    std::vector<tAluno> records;
    for (std::int32_t n : numbers)
        records.push_back(rawAluno(n, "Aluno " + QByteArray::number(n)));
    return records;
}

TEST_F(Alunos, WithoutFilesTheFirstSavesCreateBothAndAppendInOrder)
{
    CodAlunoAtual = 7;  // what an earlier opening of the registration screen left
    MaiorCodigo();
    EXPECT_EQ(CodAlunoAtual, 0);
    EXPECT_TRUE(GravaAluno("Ana", "", "", 36000.5, 0));
    GravaAluno("Bruno", "s", "b@x.br", 37000, 1);
    GravaAluno("Célia", "==", "c@x.br", 38000, 2);

    EXPECT_EQ(readFile(kStudents).size(), 1200);
    EXPECT_EQ(readFile(kLessons), bytesOf(std::vector{aula(1, 0, today()), aula(2, 0, today()),
                                                      aula(3, 0, today())}));
    EXPECT_EQ(NumAlunos, 3);
    const char* names[] = {"Ana", "Bruno", "Célia"};
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(fromCp1252(ListaAlunos[k].Nome.bytes()), QString::fromUtf8(names[k - 1]));
        EXPECT_EQ(ListaAlunos[k].Codigo, k);
        EXPECT_EQ(ListaAlunos[k].Periodo.bytes(), QByteArray::number(k - 1));
        EXPECT_TRUE(ListaAlunos[k].Chave.empty());
    }
    EXPECT_EQ(ListaAlunos[1].DataNasc, 36000.5);
    EXPECT_EQ(ListaAlunos[2].EMail.bytes(), "b@x.br");
    EXPECT_EQ(bytesOf(AlunoAtual), readFile(kStudents).mid(800));
}

// A lost student file must not cost the class its history.
TEST_F(Alunos, AFirstStudentSavedBesideAHistoryKeepsTheHistory)
{
    const QByteArray historia = bytesOf(std::vector{aula(9, 9), aula(9, 10), aula(4, 3)});
    writeFile(kLessons, historia);
    GravaAluno("Ana", "", "", 36000, 0);
    EXPECT_EQ(readFile(kLessons), historia + bytesOf(aula(1, 0, today())));
    EXPECT_EQ(readFile(kStudents).size(), 400);
}

// Another machine may have saved students since the screen opened: the number
// is the file's highest plus one at the moment of saving.
TEST_F(Alunos, TheNumberIsTakenFromTheFileAtTheSave)
{
    writeFile(kStudents, bytesOf(studentsNumbered({1, 2})));
    writeFile(kLessons, {});
    MaiorCodigo();
    writeFile(kStudents, bytesOf(studentsNumbered({1, 2, 3, 4})));
    GravaAluno("Depois dos outros", "", "", 36000, 0);
    EXPECT_EQ(CodAlunoAtual, 5);
    EXPECT_EQ(ListaAlunos[5].Codigo, 5);
}

TEST_F(Alunos, AFullCourseStoresNothing)
{
    std::vector<std::int32_t> hundred;
    for (std::int32_t n = 1; n <= 100; ++n)
        hundred.push_back(n);
    writeFile(kStudents, bytesOf(studentsNumbered(hundred)));
    writeFile(kLessons, {});
    EXPECT_FALSE(GravaAluno("Cento e um", "", "", 36000, 0));
    EXPECT_EQ(readFile(kStudents).size(), 100 * 400);
    EXPECT_TRUE(readFile(kLessons).isEmpty());
}

TEST_F(Alunos, TextsAreCutToTheFieldsAndTheEmptyPasswordIsStoredAsTwoEquals)
{
    struct Case {
        QString nome, senha, email;
        QByteArray nomeLido, senhaLida, emailLido;
    };
    const QString name45 = QString(45, u'n');
    const Case cases[] = {
        {name45, "", "", QByteArray(40, 'n'), "", ""},
        {"Al", "==", QString(120, u'e'), "Al", "", QByteArray(100, 'e')},
        {"A", "p", "x", "A ", "p ", "x "},
        {"Bia", "123456789012345", "", "Bia", "123456789012345", ""},
        {"Caio", "1234567890123456", "", "Caio", "12345678901234", ""},  // cut inside a pair
        {"Zé 中", "ãé", "", "Z\xe9 ?", "\xe3\xe9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome.toStdString());
        GravaAluno(c.nome, c.senha, c.email, 36000, 1);
        const tAluno& slot = ListaAlunos[NumAlunos];
        EXPECT_EQ(slot.Nome.bytes(), c.nomeLido);
        EXPECT_EQ(slot.Senha.bytes().left(14), c.senhaLida.left(14));
        if (c.senha.size() <= 15) {
            EXPECT_EQ(slot.Senha.bytes(), c.senhaLida);
        }
        EXPECT_EQ(slot.EMail.bytes(), c.emailLido);
    }
    // what the file holds for the first student: "==" and the empty-text marker
    tAluno first;
    std::memcpy(static_cast<void*>(&first), readFile(kStudents).constData(), sizeof first);
    EXPECT_EQ(Desembaralha(first.Senha.bytes(), first.Chave.bytes()), "==");
    EXPECT_EQ(first.EMail.bytes(), kMarcaTextoVazio);
    EXPECT_EQ(first.Chave.size(), 10);
}

TEST_F(Alunos, TheNextNumberIsTheHighestPlusOne)
{
    struct Case {
        std::vector<std::int32_t> numbers;
        std::int32_t highest;
    };
    constexpr std::int32_t kLast = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {{{1, 2, 5}, 5}, {{0, -3}, 0}, {{-1, 4, 0}, 4}, {{1, kLast, 3}, kLast}};
    for (const Case& c : cases) {
        writeFile(kStudents, bytesOf(studentsNumbered(c.numbers)));
        writeFile(kLessons, {});
        MaiorCodigo();
        EXPECT_EQ(CodAlunoAtual, c.highest);
    }
    // after the highest number there is, none is free: nothing is stored
    EXPECT_EQ(errorOf([] { GravaAluno("Sem número", "", "", 36000, 0); }), "Integer overflow");
    EXPECT_EQ(CodAlunoAtual, kLast);
    EXPECT_EQ(readFile(kStudents).size(), 1200);
    EXPECT_TRUE(readFile(kLessons).isEmpty());

    writeFile(kStudents, bytesOf(studentsNumbered({1, 2, 5})));
    MaiorCodigo();
    GravaAluno("Novo", "", "", 36000, 0);
    EXPECT_EQ(ListaAlunos[4].Codigo, 6);
    EXPECT_EQ(readFile(kLessons), bytesOf(aula(6, 0, today())));
}

TEST_F(Alunos, TheNextSaveWritesOverATrailingFragment)
{
    const auto records = studentsNumbered({1, 2});
    writeFile(kStudents, bytesOf(records) + QByteArray(200, 'z'));
    writeFile(kLessons, {});
    EXPECT_EQ(CarregaAlunos(), 2);
    EXPECT_EQ(bytesOf(AlunoAtual), bytesOf(records[1]));
    MaiorCodigo();
    GravaAluno("Terceiro", "", "", 36000, 0);
    const QByteArray file = readFile(kStudents);
    EXPECT_EQ(file.size(), 1200);
    EXPECT_EQ(file.left(800), bytesOf(records));
    EXPECT_EQ(NumAlunos, 3);
    EXPECT_EQ(ListaAlunos[3].Nome.bytes(), "Terceiro");
}

TEST_F(Alunos, MoreThanOneHundredStudentsLoadTheFirstHundredButAllCountForTheNumber)
{
    std::vector<tAluno> records;
    for (int n = 1; n <= 105; ++n)
        records.push_back(rawAluno(n, "Aluno " + QByteArray::number(n)));
    writeFile(kStudents, bytesOf(records));
    EXPECT_EQ(CarregaAlunos(), 100);
    EXPECT_EQ(ListaAlunos[100].Nome.bytes(), "Aluno 100");
    EXPECT_EQ(bytesOf(AlunoAtual), bytesOf(records[99]));
    MaiorCodigo();
    EXPECT_EQ(CodAlunoAtual, 105);
}

TEST_F(Alunos, DamagedLengthBytesAreReadNoFurtherThanTheCapacity)
{
    tAluno raw = rawAluno(1, QByteArray(40, 'n'), QByteArray(15, 's'));
    raw.Nome.length = 255;
    raw.Senha.length = 255;
    raw.EMail.length = 255;
    raw.Periodo.length = 255;
    writeFile(kStudents, bytesOf(raw));
    EXPECT_EQ(CarregaAlunos(), 1);
    EXPECT_EQ(ListaAlunos[1].Nome.bytes(), QByteArray(40, 'n'));
    EXPECT_EQ(ListaAlunos[1].Senha.bytes(), QByteArray(15, 's'));
    EXPECT_EQ(ListaAlunos[1].EMail.length, 100);
    EXPECT_EQ(ListaAlunos[1].Periodo.length, 2);
}

TEST_F(Alunos, AFailedSaveStopsAtItsStep)
{
    // the lesson file cannot be created: the student is stored without a
    // first lesson record and the roster is not reloaded
    writeFile(kStudents, bytesOf(studentsNumbered({1})));
    MaiorCodigo();
    fileseam::failOn(fileseam::Op::Create, EACCES, 2);
    EXPECT_EQ(errorOf([] { GravaAluno("Sem aula", "", "", 36000, 0); }), "File access denied");
    EXPECT_EQ(readFile(kStudents).size(), 800);
    EXPECT_FALSE(fileExists(kLessons));
    EXPECT_EQ(NumAlunos, 0);
    EXPECT_EQ(CodAlunoAtual, 2);

    // the disk is full at the write: nothing is stored, and the number is
    // given to the next student saved
    writeFile(kLessons, {});
    fileseam::failOn(fileseam::Op::Write, ENOSPC);
    EXPECT_EQ(errorOf([] { GravaAluno("Cheio", "", "", 36000, 0); }), "Disk full");
    EXPECT_EQ(readFile(kStudents).size(), 800);
    GravaAluno("Depois", "", "", 36000, 0);
    EXPECT_EQ(ListaAlunos[3].Codigo, 3);
    EXPECT_EQ(NumAlunos, 3);

    // the reload fails at its second record, after the three records read
    // for the number: the first slot is refreshed, the count stays as it was
    std::memset(static_cast<void*>(&ListaAlunos[1]), 0, sizeof(tAluno));
    fileseam::failOn(fileseam::Op::Read, EIO, 5);
    EXPECT_EQ(errorOf([] { GravaAluno("Recarga", "", "", 36000, 0); }), "I/O error 5");
    EXPECT_EQ(readFile(kStudents).size(), 1600);
    EXPECT_EQ(readFile(kLessons).size(), 48);
    EXPECT_EQ(ListaAlunos[1].Codigo, 1);
    EXPECT_EQ(NumAlunos, 3);
}

}  // namespace
