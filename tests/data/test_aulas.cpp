#include "data/datafiles.h"
#include "platform/recordfile.h"
#include "records_builder.h"
#include "support/fixture.h"
#include "data/scrambling.h"

#include <QCoreApplication>
#include <QTimer>
#include <functional>

namespace {

class Aulas : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        CodAlunoAtual = 2;
        // what an earlier read left behind
        std::memset(static_cast<void*>(&HistoricoAulas), 0x55, sizeof HistoricoAulas);
        std::memset(static_cast<void*>(&AulaAtual), 0x55, sizeof AulaAtual);
    }

    // The records of the current student after a read, in order.
    static std::vector<tAula> history()
    {
        std::vector<tAula> kept;
        for (int i = 1; i <= HistoricoAulas.size && HistoricoAulas[i].CodAluno != 0; ++i)
            kept.push_back(HistoricoAulas[i]);
        return kept;
    }
};

const QString kLessons = kArquivoAulas;
const tAula kZero{};

TEST_F(Aulas, TheStudentsRecordsAreKeptInFileOrderAndTheLastBecomesCurrent)
{
    struct Case {
        const char* what;
        std::vector<tAula> file;
        std::vector<tAula> kept;
    };
    const tAula reg = aula(2, 0, 46000);
    const Case cases[] = {
        {"three students interleaved",
         {aula(1, 0), reg, aula(3, 0), aula(1, 1), aula(2, 1, 46001, 150), aula(3, 1), aula(2, 2, 46002, 160)},
         {reg, aula(2, 1, 46001, 150), aula(2, 2, 46002, 160)}},
        {"12 then 9", {reg, aula(2, 12), aula(2, 9)}, {reg, aula(2, 12), aula(2, 9)}},
        {"only the registration", {aula(1, 0), reg}, {reg}},
        {"no record of the student", {aula(1, 0), aula(3, 5)}, {}},
        {"empty file", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(kLessons, bytesOf(c.file));
        LeHistoricoAulas();
        EXPECT_EQ(bytesOf(history()), bytesOf(c.kept));
        EXPECT_EQ(bytesOf(HistoricoAulas[200]), bytesOf(kZero));
        EXPECT_EQ(bytesOf(AulaAtual), bytesOf(c.kept.empty() ? kZero : c.kept.back()));
    }
}

TEST_F(Aulas, MoreThanTwoHundredRecordsStillGiveTheLastAsCurrent)
{
    std::vector<tAula> file;
    for (int n = 1; n <= 250; ++n) {
        file.push_back(aula(2, std::uint8_t(n), 46000 + n));
        file.push_back(aula(7, 1));
    }
    writeFile(kLessons, bytesOf(file));
    LeHistoricoAulas();
    EXPECT_EQ(HistoricoAulas[1].NumExerc, 1);
    EXPECT_EQ(HistoricoAulas[200].NumExerc, 200);
    EXPECT_EQ(bytesOf(AulaAtual), bytesOf(aula(2, 250, 46250)));
}

TEST_F(Aulas, AnAppendGoesAfterTheLastWholeRecordOverAFragment)
{
    const std::vector<tAula> records = {aula(1, 0), aula(2, 3), aula(2, 4)};
    writeFile(kLessons, bytesOf(records) + QByteArray(10, 'z'));
    LeHistoricoAulas();
    EXPECT_EQ(history().size(), 2u);
    AulaAtual = aula(2, 5, 46003, 170);
    GravaAula();
    EXPECT_EQ(readFile(kLessons), bytesOf(records) + bytesOf(aula(2, 5, 46003, 170)));
    // the exercise screen spells the name with a capital D: the same file
    EXPECT_TRUE(fileExists(QStringLiteral("ZORPAulas20.Dat")));
}

TEST_F(Aulas, AMissingFileIsNotFoundAndLeavesTheHistoryEmpty)
{
    EXPECT_EQ(errorOf(LeHistoricoAulas), "File not found");
    EXPECT_EQ(bytesOf(HistoricoAulas[1]), bytesOf(kZero));
    EXPECT_EQ(bytesOf(AulaAtual), bytesOf(kZero));
    EXPECT_EQ(errorOf(GravaAula), "File not found");
    EXPECT_FALSE(fileExists(kLessons));
}

TEST_F(Aulas, AnAppendIsLockedAndFlushedBeforeTheFileIsClosed)
{
    struct Case {
        fileseam::Op op;
        const char* message;
    };
    for (const Case c : {Case{fileseam::Op::Lock, "I/O error 9"}, Case{fileseam::Op::Sync, "I/O error 5"}}) {
        writeFile(kLessons, {});
        fileseam::failOn(c.op, c.op == fileseam::Op::Lock ? EBADF : EIO);
        EXPECT_EQ(errorOf(GravaAula), c.message);
        // a failed lock stops the append before the write
        EXPECT_EQ(readFile(kLessons).size(), c.op == fileseam::Op::Lock ? 0 : 24);
    }
}

// A file that is only read is opened read-only: a write-protected one is
// read; one that is written to refuses the write.
TEST_F(Aulas, AWriteProtectedFileIsReadButNotWritten)
{
    writeFile(kArquivoExercicios, bytesOf(rawExercicio({})));
    writeFile(kArquivoAlunos, bytesOf(rawAluno(1, "Ana")));
    writeFile(kLessons, bytesOf(aula(1, 0)));
    struct Case {
        QString file;
        void (*action)();
        int denied;  // 0: "File access denied", 1: anything else
    };
    const Case cases[] = {
        {kArquivoExercicios, CarregaExercicios, 1},
        {kArquivoAlunos, [] { CarregaAlunos(); }, 1},
        {kArquivoAlunos, MaiorCodigo, 1},
        {kArquivoAlunos, [] { GravaAluno(QStringLiteral("Bia"), {}, {}, 36000, 0); }, 0},
        {kArquivoAulas, LeHistoricoAulas, 1},
        {kArquivoAulas, GravaAula, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(accessDeniedAsUnprivilegedUser(c.file, c.action), c.denied) << c.file.toStdString();
}

// A click or a key that arrives while a file is read waits until the read
// is over: no read, and no key being made, handles user input.
TEST_F(Aulas, InputDuringALoadIsNotActedOn)
{
    std::vector<tAluno> turma;
    for (std::int32_t n = 1; n <= 100; ++n)
        turma.push_back(rawAluno(n, "Aluno " + QByteArray::number(n)));
    writeFile(kArquivoAlunos, bytesOf(turma));
    writeFile(kArquivoExercicios, bytesOf(std::vector(100, rawExercicio({1, {"asdf", "", "", ""}, "", 4, 1}))));
    writeFile(kLessons, bytesOf(std::vector(5000, aula(2, 1))));
    struct Case {
        const char* what;
        std::function<void()> load;
    };
    const Case cases[] = {
        {"CarregaExercicios", CarregaExercicios},
        {"CarregaAlunos", [] { CarregaAlunos(); }},
        {"MaiorCodigo", MaiorCodigo},
        {"LeHistoricoAulas", LeHistoricoAulas},
        {"GeraChave", [] { GeraChave(); }},
        {"GravaAluno", [] { GravaAluno(QStringLiteral("Nova"), {}, {}, 36000, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool atendida = false;
        QTimer::singleShot(0, [&] { atendida = true; });
        c.load();
        EXPECT_FALSE(atendida);
        QCoreApplication::processEvents();
        EXPECT_TRUE(atendida);
    }
}

}  // namespace
