#include "sharedlock.h"

#include "errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Steady = std::chrono::steady_clock;

// the file in a lock that names its holder
const QString kLockHolderFile = QStringLiteral("dono");

// far longer than making a lock and naming its holder takes
constexpr std::chrono::seconds kUnnamedLeftBehindAfter{2};

[[noreturn]] void fail(int err)
{
    throw IoError::fromErrno(err);
}

qint64 millisecondsNow()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Changes with every start of the computer: a process number is only
// meaningful within one boot, and machines cloned from one image share
// their names.
const QByteArray& bootId()
{
    static const QByteArray id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }();
    return id;
}

// The locks this process holds, by their full path: a lock naming this
// process that is not among them was left by it.
QSet<QString>& heldHere()
{
    static QSet<QString> held;
    return held;
}

QString folderOfLocks(const QString& dataFile)
{
    return QFileInfo(dataFile).absolutePath() + u'/' + kLockFolder;
}

// The folder of the locks, made when missing; a link or a file in its place
// is refused by name.
int openLockFolder(const QString& dataFile)
{
    const QString folder = folderOfLocks(dataFile);
    const QByteArray path = QFile::encodeName(folder);
    for (bool made = false;; made = true) {
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0)
            return fd;
        if (errno == ENOENT && !made) {
            if (::mkdir(path.constData(), 0777) != 0 && errno != EEXIST)
                fail(errno);
            continue;
        }
        if (errno == ELOOP || errno == ENOTDIR)
            throw AppError(QStringLiteral("%1 deveria ser a pasta das travas do curso, mas é um link ou um arquivo")
                               .arg(QDir::toNativeSeparators(folder)));
        fail(errno);
    }
}

// A lock in the folder of the locks: the folder held open, the lock's name
// in it and the full path that messages show.
struct Place {
    int folder;
    QString name;
    QString path;

    QByteArray encodedName() const { return QFile::encodeName(name); }
    // the file in the lock that names its holder
    QByteArray encodedHolder() const { return QFile::encodeName(name + u'/' + kLockHolderFile); }
    Place beside(const QString& suffix) const { return {folder, name + suffix, path + suffix}; }
};

// A lock as found: what it says of its holder and when that was written.
struct Found {
    bool there = false;
    QByteArray text;
    qint64 modified = 0;  // milliseconds since 1970
    bool planted = false;  // something else lies in the lock's place
};

qint64 milliseconds(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000;
}

// What a network share's client answers for a moment about a file another
// machine is making or removing: nothing known yet, to be looked at again.
bool passing(int err)
{
    return err == ENOENT || err == EIO || err == ESTALE;
}

Found somethingPlanted()
{
    Found found;
    found.there = true;
    found.planted = true;
    return found;
}

// A lock just made names nobody until its holder has written the file.
Found readLock(const Place& lock)
{
    struct stat folder {};
    if (::fstatat(lock.folder, lock.encodedName().constData(), &folder, AT_SYMLINK_NOFOLLOW) != 0) {
        if (passing(errno))
            return {};
        fail(errno);
    }
    if (!S_ISDIR(folder.st_mode))
        return somethingPlanted();
    const Found unnamed{true, {}, milliseconds(folder)};
    const int fd =
        ::openat(lock.folder, lock.encodedHolder().constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && passing(errno))
        return unnamed;
    if (fd < 0 && errno == ELOOP)
        return somethingPlanted();
    if (fd < 0)
        fail(errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    struct stat holder {};
    char bytes[1024];
    const ssize_t n = ::fstat(fd, &holder) == 0 ? ::read(fd, bytes, sizeof bytes) : -1;
    if (n < 0 && passing(errno))
        return unnamed;
    if (n < 0)
        fail(errno);
    if (!S_ISREG(holder.st_mode))
        return somethingPlanted();
    return {true, QByteArray(bytes, qsizetype(n)), milliseconds(holder)};
}

// A short wait, longer with each turn, never in step with another waiter.
void pause(int turn)
{
    const long microseconds = (1000L << std::min(turn, 4)) + long(QRandomGenerator::global()->bounded(1000));
    const timespec wait{0, microseconds * 1000};
    ::nanosleep(&wait, nullptr);
}

// A network share refuses for a moment to remove what another machine has
// open (EBUSY, or EIO from one share tried here), or a folder whose file is
// still going (ENOTEMPTY).
void removePatiently(int folder, const QByteArray& name, int flags)
{
    constexpr int kTurns = 100;
    for (int turn = 0;; ++turn) {
        if (::unlinkat(folder, name.constData(), flags) == 0 || errno == ENOENT)
            return;
        if ((errno != EBUSY && errno != EIO && errno != ENOTEMPTY) || turn == kTurns)
            fail(errno);
        pause(turn);
    }
}

// What a failure leaves of a lock being made or broken.
void removeQuietly(const Place& lock)
{
    ::unlinkat(lock.folder, lock.encodedHolder().constData(), 0);
    ::unlinkat(lock.folder, lock.encodedName().constData(), AT_REMOVEDIR);
}

void removeLock(const Place& lock)
{
    removePatiently(lock.folder, lock.encodedHolder(), 0);
    removePatiently(lock.folder, lock.encodedName(), AT_REMOVEDIR);
}

// Writes the file that names the holder into a lock just made.
void nameHolder(const Place& lock, const QByteArray& text)
{
    const int fd = ::openat(lock.folder, lock.encodedHolder().constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        fail(errno);
    const ssize_t n = ::write(fd, text.constData(), size_t(text.size()));
    const int writeError = n < 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && n == text.size())
        fail(errno);
    if (n != text.size())
        fail(writeError);
}

// Makes the lock, a folder, and names its holder in it; false when the lock
// is there already. Making a folder is what the file servers tried here
// decide alone: a file made only when missing was given to two machines at
// once by one of them, and that one answers EIO where the folder exists.
bool makeLock(const Place& lock, const QByteArray& text)
{
    if (::mkdirat(lock.folder, lock.encodedName().constData(), 0777) != 0) {
        if (errno == EEXIST || errno == EIO)
            return false;
        fail(errno);
    }
    auto removeOnFailure = qScopeGuard([&] { removeQuietly(lock); });
    nameHolder(lock, text);
    removeOnFailure.dismiss();
    return true;
}

bool processEnded(qint64 process)
{
    // 0 and negative numbers would name groups of processes
    if (process <= 0 || process > INT_MAX)
        return false;
    return ::kill(pid_t(process), 0) != 0 && errno == ESRCH;
}

// Whether the lock's holder is gone: its process ended on this computer, or
// the lock is older than any writer holds one.
bool abandoned(const Found& found, const Place& place)
{
    const std::optional<LockHolder> holder = LockHolder::fromText(found.text);
    const qint64 newest = std::max(found.modified, holder ? holder->since : 0);
    if (millisecondsNow() - newest > std::chrono::milliseconds(kLockAbandonedAfter).count())
        return true;
    if (!holder || bootId().isEmpty() || holder->boot != bootId())
        return false;
    if (holder->process == ::getpid())
        return !heldHere().contains(place.path);
    return processEnded(holder->process);
}

std::chrono::milliseconds& lockWait()
{
    static std::chrono::milliseconds wait = kLockWait;
    return wait;
}

// A lock that names nobody: its maker was stopped between making it and
// writing it, or is writing it now. The wait tells the two apart, by this
// computer's own clock.
class Unnamed {
public:
    bool leftBehind(const Found& found)
    {
        if (LockHolder::fromText(found.text)) {
            seen_.reset();
            return false;
        }
        if (!seen_ || seen_->text != found.text || seen_->modified != found.modified) {
            seen_ = found;
            since_ = Steady::now();
            return false;
        }
        return Steady::now() - since_ >= kUnnamedLeftBehindAfter;
    }

private:
    std::optional<Found> seen_;
    Steady::time_point since_;
};

// Removes a lock judged abandoned, unless it changed meanwhile. Two programs
// may judge one lock abandoned at once: only the one that makes the
// breaker's lock removes it, and only while the lock still says what was
// judged, so that a lock taken meanwhile by a third stays. Whether something
// was removed: the lock, or a breaker's lock abandoned too.
bool takeOverAbandoned(const Place& lock, const QByteArray& judged, const QByteArray& mine)
{
    const Place breaker = lock.beside(QStringLiteral(".quebra"));
    if (!makeLock(breaker, mine)) {
        const Found other = readLock(breaker);
        if (!other.there || !abandoned(other, breaker))
            return false;
        removeLock(breaker);
        return true;
    }
    auto removeBreaker = qScopeGuard([&] { removeQuietly(breaker); });
    const Found now = readLock(lock);
    if (now.there && now.text == judged)
        removeLock(lock);
    removeBreaker.dismiss();
    removeLock(breaker);
    return true;
}

// The byte-range lock of the whole data file; false while another program
// holds it. A file system without such locks has the lock folder alone.
bool lockRange(int fd)
{
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &range) == 0)
            return true;
        switch (errno) {
        case EINTR:
            continue;
        case EAGAIN:
        case EACCES:
            return false;
        case ENOLCK:
        case EOPNOTSUPP:
        case EINVAL:
        case ENOSYS:
            return true;
        default:
            fail(errno);
        }
    }
}

[[noreturn]] void failBusy(const QString& dataFile, const Place& lock, const Found& found)
{
    if (found.planted)
        throw AppError(
            QStringLiteral("%1 não é uma trava do curso; apague-o").arg(QDir::toNativeSeparators(lock.path)));
    QString who;
    if (const std::optional<LockHolder> holder = LockHolder::fromText(found.text)) {
        const QDateTime desde = QDateTime::fromMSecsSinceEpoch(holder->since).toLocalTime();
        who = QStringLiteral(" (no computador %1, desde as %2)")
                  .arg(holder->computer, desde.toString(QStringLiteral("HH:mm:ss")));
    }
    throw AppError(QStringLiteral("O arquivo %1 está sendo gravado por outro programa%2; tente de novo daqui a pouco")
                       .arg(QDir::toNativeSeparators(QFileInfo(dataFile).absoluteFilePath()), who));
}

}  // namespace

QString lockOf(const QString& dataFile)
{
    return folderOfLocks(dataFile) + u'/' + QFileInfo(dataFile).fileName() + QStringLiteral(".trava");
}

QString lockHolderFileOf(const QString& dataFile)
{
    return lockOf(dataFile) + u'/' + kLockHolderFile;
}

SharedLock::SharedLock(const QString& dataFile, int fd)
    : folder_(openLockFolder(dataFile))
    , name_(QFileInfo(dataFile).fileName() + QStringLiteral(".trava"))
    , path_(lockOf(dataFile))
    , mine_(LockHolder::thisProcess().text())
{
    auto closeOnFailure = qScopeGuard([this] { ::close(folder_); });
    const Place lock{folder_, name_, path_};
    const Steady::time_point deadline = Steady::now() + lockWait();
    Unnamed unnamed;
    for (int turn = 0, vanished = 0; !makeLock(lock, mine_);) {
        const Found found = readLock(lock);
        // gone as it was looked at: tried again at once, unless a network
        // share's client goes on saying that it is there
        if (!found.there && ++vanished % 8 != 0)
            continue;
        if (found.there && !found.planted && (abandoned(found, lock) || unnamed.leftBehind(found))
            && takeOverAbandoned(lock, found.text, mine_))
            continue;
        if (Steady::now() >= deadline)
            failBusy(dataFile, lock, found);
        pause(turn++);
    }
    heldHere().insert(path_);
    auto releaseOnFailure = qScopeGuard([&] {
        heldHere().remove(path_);
        removeQuietly(lock);
    });
    // a program that takes only the byte-range lock holds it for a moment too
    for (int turn = 0; !lockRange(fd); ++turn) {
        if (Steady::now() >= deadline)
            failBusy(dataFile, lock, {});
        pause(turn);
    }
    releaseOnFailure.dismiss();
    closeOnFailure.dismiss();
}

// The lock goes only while it is still this one: one older than any writer
// holds a lock may have been taken over meanwhile.
SharedLock::~SharedLock()
{
    const auto closeFolder = qScopeGuard([this] { ::close(folder_); });
    heldHere().remove(path_);
    const Place lock{folder_, name_, path_};
    try {
        if (readLock(lock).text == mine_)
            removeLock(lock);
    } catch (const AppError&) {
        // a lock that cannot be given back is taken over as abandoned
    }
}

LockHolder LockHolder::thisProcess()
{
    return {QSysInfo::machineHostName(), bootId(), ::getpid(), millisecondsNow(),
            QByteArray::number(QRandomGenerator::global()->generate64(), 16)};
}

QByteArray LockHolder::text() const
{
    return "computador=" + computer.toUtf8() + "\nboot=" + boot + "\nprocesso=" + QByteArray::number(process)
           + "\ndesde=" + QByteArray::number(since) + "\nmarca=" + mark + '\n';
}

std::optional<LockHolder> LockHolder::fromText(const QByteArray& text)
{
    if (!text.endsWith('\n'))
        return std::nullopt;
    LockHolder holder;
    bool processRead = false;
    bool sinceRead = false;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (key == "computador")
            holder.computer = QString::fromUtf8(value);
        else if (key == "boot")
            holder.boot = value;
        else if (key == "processo")
            holder.process = value.toLongLong(&processRead);
        else if (key == "desde")
            holder.since = value.toLongLong(&sinceRead);
        else if (key == "marca")
            holder.mark = value;
    }
    if (!processRead || !sinceRead || holder.mark.isEmpty())
        return std::nullopt;
    return holder;
}

namespace lockseam {

void setWait(std::chrono::milliseconds wait)
{
    lockWait() = wait;
}

void clear()
{
    lockWait() = kLockWait;
}

}  // namespace lockseam
