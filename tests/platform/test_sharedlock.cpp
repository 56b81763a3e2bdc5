// The lock of a shared course folder: a folder that the file server alone
// decides, taken over when its holder is gone, and never a write without it.

#include "platform/errors.h"
#include "platform/recordfile.h"
#include "platform/sharedlock.h"
#include "support/fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

using namespace std::chrono_literals;

const QString kArquivo = QStringLiteral("f.dat");

class Trava : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        writeFile(kArquivo, QByteArray("abcd"));
        QDir().mkdir(kLockFolder);
        lockseam::setWait(300ms);
    }

    // Appends one record of 4 bytes under the lock, as every writer does.
    static void appendUnderTheLock()
    {
        RecordFile file(kArquivo, 4, RecordFile::Access::ReadWrite);
        file.lock();
        file.seek(file.recordCount());
        file.write("WXYZ");
        file.close();
    }

    // A lock of another program, its holder named by text unless it is none.
    static void plant(const std::optional<QByteArray>& text, qint64 ageSeconds = 0)
    {
        QDir().mkpath(lockOf(kArquivo));
        const QString holder = lockHolderFileOf(kArquivo);
        if (text)
            writeFile(holder, *text);
        const time_t when = time(nullptr) - ageSeconds;
        const utimbuf times{when, when};
        for (const QString& made : {lockOf(kArquivo), holder})
            ::utime(QFile::encodeName(made).constData(), &times);
    }

    static bool locked() { return QFileInfo::exists(lockOf(kArquivo)); }

    static bool appended() { return readFile(kArquivo) == QByteArray("abcdWXYZ"); }
};

// A process of this computer that has ended: reaped, so that its number is free.
qint64 endedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

LockHolder holder(const QString& computer, const QByteArray& boot, qint64 process, qint64 ageSeconds)
{
    LockHolder h = LockHolder::thisProcess();
    h.computer = computer;
    h.boot = boot;
    h.process = process;
    h.since = QDateTime::currentMSecsSinceEpoch() - ageSeconds * 1000;
    return h;
}

TEST_F(Trava, ALockNamesItsHolderAndGoesWithTheClose)
{
    RecordFile file(kArquivo, 4, RecordFile::Access::ReadWrite);
    file.lock();
    const std::optional<LockHolder> held = LockHolder::fromText(readFile(lockHolderFileOf(kArquivo)));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->computer, QSysInfo::machineHostName());
    EXPECT_EQ(held->process, getpid());
    // a second writer of this process waits for it, and then says so
    EXPECT_TRUE(errorOf(appendUnderTheLock).contains(QStringLiteral("está sendo gravado por outro programa")));
    file.close();
    EXPECT_FALSE(locked());
    appendUnderTheLock();
    EXPECT_TRUE(appended());
    EXPECT_FALSE(locked());
}

// Whose lock is taken over, and whose is waited for until the writer gives
// up, writing nothing and naming the holder.
TEST_F(Trava, ALockWhoseHolderIsGoneIsTakenOverAndAnyOtherIsWaitedFor)
{
    const QByteArray boot = LockHolder::thisProcess().boot;
    const qint64 limit = std::chrono::seconds(kLockAbandonedAfter).count();
    struct Caso {
        const char* como;
        LockHolder dono;
        qint64 idade;  // seconds since the lock file was written
        bool tomada;
    };
    const Caso casos[] = {
        {"a process of this computer that ended", holder("aqui", boot, endedProcess(), 1), 1, true},
        {"this process, which holds no lock", holder("aqui", boot, getpid(), 1), 1, true},
        {"another computer, older than the limit", holder("lab-07", "outro", 4242, limit + 5), limit + 5, true},
        {"another computer, a moment ago", holder("lab-07", "outro", 4242, 1), 1, false},
        {"a live process of this computer", holder("aqui", boot, getppid(), 1), 1, false},
        {"a clone of this computer's name, a moment ago", holder(QSysInfo::machineHostName(), "outro", 1, 1), 1,
         false},
        {"an old lock file touched a moment ago", holder("lab-07", "outro", 4242, limit + 5), 1, false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        writeFile(kArquivo, QByteArray("abcd"));
        plant(caso.dono.text(), caso.idade);
        const QString erro = errorOf(appendUnderTheLock);
        EXPECT_EQ(appended(), caso.tomada);
        if (caso.tomada) {
            EXPECT_EQ(erro, QStringLiteral("(no error)"));
            EXPECT_FALSE(locked());
        } else {
            EXPECT_TRUE(erro.contains(QStringLiteral("no computador %1").arg(caso.dono.computer))) << erro.toStdString();
            EXPECT_TRUE(erro.contains(QDir::toNativeSeparators(QFileInfo(kArquivo).absoluteFilePath())));
            EXPECT_EQ(readFile(lockHolderFileOf(kArquivo)), caso.dono.text());
        }
    }
}

// A lock that names nobody: its maker stopped before naming itself. It is
// taken over once it has stayed so for a while of the wait.
TEST_F(Trava, ALockThatNamesNobodyIsTakenOverAfterAWhile)
{
    lockseam::setWait(10s);
    plant(std::nullopt);
    appendUnderTheLock();
    EXPECT_TRUE(appended());
}

// The lock's folder is the course's: a link or a file in its place is
// refused by name, and nothing is written.
TEST_F(Trava, ALinkInThePlaceOfTheLocksFolderIsRefused)
{
    QDir().rmdir(kLockFolder);
    QDir().mkdir(QStringLiteral("outra"));
    QFile::link(QStringLiteral("outra"), kLockFolder);
    const QString erro = errorOf(appendUnderTheLock);
    EXPECT_TRUE(erro.contains(QStringLiteral("pasta das travas"))) << erro.toStdString();
    EXPECT_FALSE(appended());
    EXPECT_TRUE(QDir(QStringLiteral("outra")).isEmpty());
}

// A file in the place of a lock is no lock: the writer waits for it, then
// names it, and writes nothing.
TEST_F(Trava, AFileInThePlaceOfALockIsNamed)
{
    writeFile(lockOf(kArquivo), "de outro programa");
    const QString erro = errorOf(appendUnderTheLock);
    EXPECT_TRUE(erro.contains(QStringLiteral("não é uma trava do curso"))) << erro.toStdString();
    EXPECT_FALSE(appended());
    EXPECT_EQ(readFile(lockOf(kArquivo)), QByteArray("de outro programa"));
}

// A lock taken over from a holder that was only slow stays its new
// holder's: the slow one does not remove it on closing.
TEST_F(Trava, ALockTakenOverMeanwhileIsLeftToItsNewHolder)
{
    RecordFile file(kArquivo, 4, RecordFile::Access::ReadWrite);
    file.lock();
    const QByteArray outro = holder("lab-07", "outro", 4242, 1).text();
    writeFile(lockHolderFileOf(kArquivo), outro);
    file.close();
    EXPECT_EQ(readFile(lockHolderFileOf(kArquivo)), outro);
}

}  // namespace
