// Each call under the file operations fails in turn through the record-file
// seam: the error report names the failure, and the state afterwards is what
// the steps done before the failure left; nothing is rolled back.

#include "hardening.h"

#include "data/datafiles.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "support/fixture.h"

#include <cerrno>
#include <cstring>

namespace {

using fileseam::Op;

struct Failure {
    Op op;
    int err;  // 0: a short read or write
    int nth;  // which call of op fails
    const char* report;
    int after;  // what the test counts afterwards: records read, records in the file, a number
};

std::string describe(const Failure& f)
{
    static const char* const names[] = {"Create", "Open", "Lock", "Size", "Seek",
                                        "Read", "Write", "Sync", "Close"};
    return std::string(names[int(f.op)]) + " #" + std::to_string(f.nth) + " errno " + std::to_string(f.err);
}

template <class T>
void spoil(T& record)
{
    std::memset(static_cast<void*>(&record), 0x55, sizeof(T));
}

class Falhas : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    }

    // Runs action as a user action with the failure planned; exactly one
    // error report with the failure's text must follow.
    void failWhile(const Failure& f, const std::function<void()>& action)
    {
        fileseam::failOn(f.op, f.err, f.nth);
        EXPECT_EQ(reportsOf(action), QStringList{QString::fromUtf8(f.report)});
        fileseam::clear();
    }
};

// The loaders' calls: open, the size query before each record, each read, close.
const Failure kLoadFailures[] = {
    {Op::Open, EACCES, 1, "File access denied.", 0},
    {Op::Open, EMFILE, 1, "Too many open files.", 0},
    {Op::Size, EIO, 1, "I/O error 5.", 0},
    {Op::Read, 0, 2, "Read beyond end of file.", 1},
    {Op::Read, EIO, 3, "I/O error 5.", 2},
    {Op::Close, EIO, 1, "I/O error 5.", 3},
};

TEST_F(Falhas, ACatalogueLoadKeepsTheExercisesReadBeforeTheFailure)
{
    const std::vector<tExercicio> file = {storedExercise(1), storedExercise(2), storedExercise(3)};
    writeFile(kCatalogue, bytesOf(file));
    for (const Failure& f : kLoadFailures) {
        SCOPED_TRACE(describe(f));
        spoil(Exercicios);
        failWhile(f, CarregaExercicios);
        for (int i = 1; i <= 3; ++i) {
            if (i <= f.after) {
                EXPECT_EQ(Exercicios[i].Linha1.bytes(), "linha " + QByteArray::number(i));
                EXPECT_TRUE(Exercicios[i].Chave.empty());
            } else {
                EXPECT_TRUE(isZero(Exercicios[i])) << "slot " << i;
            }
        }
        EXPECT_TRUE(isZero(Exercicios[4]));
        // the read buffer holds the last record read, raw
        EXPECT_EQ(bytesOf(ExercicioAtual), f.after ? bytesOf(file[size_t(f.after - 1)]) : bytesOf(tExercicio{}));
    }
}

TEST_F(Falhas, ARosterLoadFillsTheSlotsReadAndLeavesTheCountAsItWas)
{
    const std::vector<tAluno> file = {storedStudent(1), storedStudent(2), storedStudent(3)};
    writeFile(kStudents, bytesOf(file));
    for (const Failure& f : kLoadFailures) {
        SCOPED_TRACE(describe(f));
        spoil(ListaAlunos);
        spoil(AlunoAtual);
        const tAluno earlier = ListaAlunos[1];
        NumAlunos = 9;
        failWhile(f, [] { NumAlunos = CarregaAlunos(); });
        EXPECT_EQ(NumAlunos, 9);
        for (int k = 1; k <= 3; ++k) {
            if (k <= f.after) {
                EXPECT_EQ(ListaAlunos[k].Codigo, k);
                EXPECT_EQ(ListaAlunos[k].Nome.bytes(), "Aluno " + QByteArray::number(k));
            } else {
                // a slot not reached keeps what an earlier load left in it
                EXPECT_EQ(bytesOf(ListaAlunos[k]), bytesOf(earlier)) << "slot " << k;
            }
        }
        EXPECT_EQ(bytesOf(AlunoAtual), f.after ? bytesOf(file[size_t(f.after - 1)]) : bytesOf(earlier));
    }
}

TEST_F(Falhas, TheHighestNumberIsTheHighestReadBeforeTheFailure)
{
    writeFile(kStudents, bytesOf(std::vector{storedStudent(1), storedStudent(5), storedStudent(3)}));
    const Failure failures[] = {
        {Op::Open, EACCES, 1, "File access denied.", 0},
        {Op::Size, EIO, 1, "I/O error 5.", 0},
        {Op::Read, 0, 2, "Read beyond end of file.", 1},
        {Op::Read, EIO, 3, "I/O error 5.", 5},
        {Op::Close, EIO, 1, "I/O error 5.", 5},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(describe(f));
        CodAlunoAtual = 99;
        failWhile(f, MaiorCodigo);
        EXPECT_EQ(CodAlunoAtual, f.after);
    }
}

TEST_F(Falhas, AHistoryReadStopsWithTheLastRecordReadInTheBuffer)
{
    const std::vector<tAula> file = {lesson(7, 1), lesson(8, 2), lesson(7, 3), lesson(7, 4)};
    writeFile(kLessons, bytesOf(file));
    const Failure failures[] = {
        {Op::Open, EACCES, 1, "File access denied.", 0},
        {Op::Size, EIO, 1, "I/O error 5.", 0},
        {Op::Read, 0, 2, "Read beyond end of file.", 1},
        {Op::Read, EIO, 3, "I/O error 5.", 2},
        {Op::Close, EIO, 1, "I/O error 5.", 4},
    };
    CodAlunoAtual = 7;
    for (const Failure& f : failures) {
        SCOPED_TRACE(describe(f));
        spoil(HistoricoAulas);
        spoil(AulaAtual);
        failWhile(f, LeHistoricoAulas);
        int entry = 0;
        for (int i = 0; i < f.after; ++i) {
            if (file[size_t(i)].CodAluno == 7) {
                EXPECT_EQ(bytesOf(HistoricoAulas[++entry]), bytesOf(file[size_t(i)]));
            }
        }
        while (++entry <= HistoricoAulas.size)
            EXPECT_TRUE(isZero(HistoricoAulas[entry])) << "entry " << entry;
        // the last step, which picks the student's last record, is not reached
        EXPECT_EQ(bytesOf(AulaAtual), f.after ? bytesOf(file[size_t(f.after - 1)]) : bytesOf(tAula{}));
    }
}

TEST_F(Falhas, AnAppendThatFailsBeforeItsWriteLeavesTheFileAsItWas)
{
    const std::vector<tAula> file = {lesson(1, 1), lesson(2, 2), lesson(1, 3)};
    const Failure failures[] = {
        {Op::Open, EACCES, 1, "File access denied.", 2},
        {Op::Lock, EBADF, 1, "I/O error 9.", 2},
        {Op::Size, EIO, 1, "I/O error 5.", 2},
        {Op::Seek, EINVAL, 1, "Invalid filename.", 2},
        {Op::Write, ENOSPC, 1, "Disk full.", 2},
        {Op::Write, 0, 1, "Disk full.", 2},
        // written, but not known to be on the disk
        {Op::Sync, EIO, 1, "I/O error 5.", 3},
        {Op::Close, EIO, 1, "I/O error 5.", 3},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(describe(f));
        writeFile(kLessons, bytesOf(file).left(48));
        AulaAtual = file[2];
        failWhile(f, GravaAula);
        EXPECT_EQ(readFile(kLessons), bytesOf(file).left(24 * f.after));
        EXPECT_EQ(bytesOf(AulaAtual), bytesOf(file[2]));
    }
}

// Two students saved; the registration screen has read the highest number.
class Cadastro : public Falhas {
protected:
    void SetUp() override
    {
        Falhas::SetUp();
        prepare();
    }

    void prepare()
    {
        writeFile(kStudents, bytesOf(std::vector{storedStudent(1), storedStudent(2)}));
        writeFile(kLessons, bytesOf(std::vector{lesson(1, 0), lesson(2, 0)}));
        NumAlunos = CarregaAlunos();
        clearRecord(ListaAlunos[3]);
        MaiorCodigo();
    }

    static void save() { GravaAluno(QStringLiteral("Novo"), {}, {}, 36000, 1); }

    std::vector<std::int32_t> numbersIn(const QString& name, int recordSize, int offset) const
    {
        const QByteArray bytes = readFile(name);
        std::vector<std::int32_t> numbers;
        for (int at = 0; at + recordSize <= bytes.size(); at += recordSize) {
            std::int32_t n;
            std::memcpy(&n, bytes.constData() + at + offset, sizeof n);
            numbers.push_back(n);
        }
        return numbers;
    }
    std::vector<std::int32_t> studentNumbers() const { return numbersIn(kStudents, 400, 12); }
    std::vector<std::int32_t> lessonStudents() const { return numbersIn(kLessons, 24, 0); }
};

TEST_F(Cadastro, AFailedSaveStopsAtItsStep)
{
    struct Case {
        Failure failure;  // after: the students in the file afterwards
        bool firstLessonWritten;
        bool rosterSlotFilled;
        std::int32_t numberTaken;  // CodAlunoAtual afterwards
    };
    // calls #1 append the student (its number taken under the lock), #2 the
    // first lesson record, #3 reload the roster
    const Case cases[] = {
        {{Op::Open, EACCES, 1, "File access denied.", 2}, false, false, 2},
        {{Op::Lock, EBADF, 1, "I/O error 9.", 2}, false, false, 2},
        {{Op::Size, EIO, 1, "I/O error 5.", 2}, false, false, 2},
        {{Op::Read, EIO, 1, "I/O error 5.", 2}, false, false, 2},
        {{Op::Seek, EINVAL, 1, "Invalid filename.", 2}, false, false, 2},
        {{Op::Write, ENOSPC, 1, "Disk full.", 2}, false, false, 3},
        {{Op::Sync, EIO, 1, "I/O error 5.", 3}, false, false, 3},
        {{Op::Close, EIO, 1, "I/O error 5.", 3}, false, false, 3},
        {{Op::Open, EACCES, 2, "File access denied.", 3}, false, false, 3},
        {{Op::Lock, EBADF, 2, "I/O error 9.", 3}, false, false, 3},
        {{Op::Write, ENOSPC, 2, "Disk full.", 3}, false, false, 3},
        {{Op::Sync, EIO, 2, "I/O error 5.", 3}, true, false, 3},
        {{Op::Close, EIO, 2, "I/O error 5.", 3}, true, false, 3},
        {{Op::Open, EMFILE, 3, "Too many open files.", 3}, true, false, 3},
        // the number took reads #1 and #2
        {{Op::Read, EIO, 3, "I/O error 5.", 3}, true, false, 3},
        {{Op::Close, EIO, 3, "I/O error 5.", 3}, true, true, 3},
    };
    using Numbers = std::vector<std::int32_t>;
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.failure));
        prepare();
        failWhile(c.failure, save);
        EXPECT_EQ(studentNumbers(), (c.failure.after == 3 ? Numbers{1, 2, 3} : Numbers{1, 2}));
        EXPECT_EQ(lessonStudents(), (c.firstLessonWritten ? Numbers{1, 2, 3} : Numbers{1, 2}));
        EXPECT_EQ(CodAlunoAtual, c.numberTaken);
        EXPECT_EQ(NumAlunos, 2);
        EXPECT_EQ(ListaAlunos[3].Codigo, c.rosterSlotFilled ? 3 : 0);
    }
}

// The number is read from the file at every save: one that was not stored is free.
TEST_F(Cadastro, TheSaveAfterAFailedOneTakesTheFreeNumber)
{
    failWhile({Op::Write, ENOSPC, 1, "Disk full.", 0}, save);
    EXPECT_TRUE(reportsOf(save).isEmpty());
    EXPECT_EQ(studentNumbers(), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(lessonStudents(), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(NumAlunos, 3);
    EXPECT_EQ(ListaAlunos[3].Codigo, 3);
}

// A lost student file must not cost the class its history, whatever fails.
TEST_F(Falhas, TheFirstSaveBesideAHistoryNeverEmptiesIt)
{
    struct Case {
        Failure failure;  // after: unused
        int studentBytes;  // -1: no student file
        std::int32_t numberTaken;
    };
    const Case cases[] = {
        {{Op::Create, EMFILE, 1, "Too many open files.", 0}, -1, 0},
        {{Op::Open, EACCES, 1, "File access denied.", 0}, 0, 0},
        {{Op::Create, EACCES, 2, "File access denied.", 0}, 400, 1},
        {{Op::Write, ENOSPC, 2, "Disk full.", 0}, 400, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.failure));
        QFile::remove(kStudents);
        writeFile(kLessons, bytesOf(lesson(9, 9)));
        MaiorCodigo();
        failWhile(c.failure, [] { GravaAluno(QStringLiteral("Ana"), {}, {}, 36000, 0); });
        EXPECT_EQ(QFile::exists(kStudents) ? readFile(kStudents).size() : -1, c.studentBytes);
        EXPECT_EQ(readFile(kLessons), bytesOf(lesson(9, 9)));
        EXPECT_EQ(CodAlunoAtual, c.numberTaken);
    }
}

}  // namespace
