// The real file system refusing: a write-protected file, a disk that fills,
// a course directory that vanished while the program runs.

#include "hardening.h"

#include "data/datafiles.h"
#include "platform/clock.h"
#include "support/fixture.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class Disco : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
        writeCourse();
    }

    // the three files, in the current directory
    static void writeCourse()
    {
        writeFile(kCatalogue, bytesOf(std::vector{storedExercise(1), storedExercise(2)}));
        writeFile(kStudents, bytesOf(std::vector{storedStudent(1), storedStudent(2)}));
        writeFile(kLessons, bytesOf(std::vector{lesson(1, 0), lesson(2, 0)}));
        AulaAtual = lesson(1, 77);
        CodAlunoAtual = 2;
    }
};

void saveStudent()
{
    GravaAluno(QStringLiteral("Novo"), {}, {}, 36000, 1);
}

struct Operation {
    const char* name;
    const QString& file;
    std::function<void()> run;
    bool writes;
};

const Operation kOperations[] = {
    {"CarregaExercicios", kCatalogue, CarregaExercicios, false},
    {"CarregaAlunos", kStudents, [] { CarregaAlunos(); }, false},
    {"MaiorCodigo", kStudents, MaiorCodigo, false},
    {"GravaAluno", kStudents, saveStudent, true},
    {"LeHistoricoAulas", kLessons, LeHistoricoAulas, false},
    {"GravaAula", kLessons, GravaAula, true},
};

// Root writes to a protected file anyway: the check runs as the user nobody,
// who owns the file, so that only its protection refuses the write. What
// only reads opens the file to read: a protected file is read all the same.
TEST_F(Disco, AWriteProtectedFileIsReadButRefusesEveryWrite)
{
    const bool asRoot = geteuid() == 0;
    QFile::setPermissions(QStringLiteral("."), QFile::permissions(QStringLiteral(".")) | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        const QByteArray before = readFile(op.file);
        if (asRoot) {
            ASSERT_EQ(chown(QFile::encodeName(op.file).constData(), 65534, 65534), 0);
        }
        QFile::setPermissions(op.file, QFileDevice::ReadOwner | QFileDevice::ReadOther);
        EXPECT_EQ(errorInChild(dropRoot, op.run), op.writes ? "File access denied" : "(no error)");
        EXPECT_EQ(readFile(op.file), before);
        QFile::setPermissions(op.file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

// A child process whose files may not grow past `bytes`.
std::function<bool()> fileSizeLimit(rlim_t bytes)
{
    return [bytes] {
        const rlimit limit{bytes, bytes};
        // without this the process would be killed instead of seeing EFBIG
        std::signal(SIGXFSZ, SIG_IGN);
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
}

TEST_F(Disco, ADiskThatIsFullRefusesTheAppendAndLeavesTheFile)
{
    EXPECT_EQ(errorInChild(fileSizeLimit(48), GravaAula), "Disk full");
    EXPECT_EQ(readFile(kLessons), bytesOf(std::vector{lesson(1, 0), lesson(2, 0)}));

    EXPECT_EQ(errorInChild(fileSizeLimit(800), saveStudent), "Disk full");
    EXPECT_EQ(readFile(kStudents).size(), 800);
    EXPECT_EQ(readFile(kLessons).size(), 48);
}

TEST_F(Disco, ADiskThatFillsInsideARecordLeavesAFragmentTheNextAppendOverwrites)
{
    // a file larger than the lock's, which the limit lets through whole
    std::vector<tAula> aulas(10, lesson(1, 0));
    aulas[1] = lesson(2, 0);
    writeFile(kLessons, bytesOf(aulas));
    EXPECT_EQ(errorInChild(fileSizeLimit(240 + 10), GravaAula), "Disk full");
    EXPECT_EQ(readFile(kLessons).size(), 250);

    AulaAtual = lesson(2, 78);
    GravaAula();
    aulas.push_back(lesson(2, 78));
    EXPECT_EQ(readFile(kLessons), bytesOf(aulas));
    CodAlunoAtual = 2;
    LeHistoricoAulas();
    EXPECT_EQ(AulaAtual.Tempo, 78);
}

TEST_F(Disco, ACourseDirectoryThatVanishedIsFileNotFound)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("curso")));
    const QString course = QDir().absoluteFilePath(QStringLiteral("curso"));
    ASSERT_TRUE(QDir::setCurrent(course));
    writeCourse();
    ASSERT_TRUE(QDir(course).removeRecursively());

    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        // without the student file there is nothing to scan
        const QStringList expected =
            std::string(op.name) == "MaiorCodigo" ? QStringList{} : QStringList{"File not found."};
        EXPECT_EQ(reportsOf(op.run), expected);
    }
    // the number is never read: it is not taken
    CodAlunoAtual = 2;
    reportsOf(saveStudent);
    EXPECT_EQ(CodAlunoAtual, 2);
    reportsOf(MaiorCodigo);
    EXPECT_EQ(CodAlunoAtual, 0);
    AulaAtual = lesson(1, 5);
    reportsOf(LeHistoricoAulas);
    EXPECT_TRUE(isZero(AulaAtual));
    EXPECT_FALSE(QFileInfo::exists(course));
}

}  // namespace
