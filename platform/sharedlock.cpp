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

// far longer than making a lock file and writing it takes
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

// A file in the folder of the locks: the folder held open, the name in it and
// the full path that messages show.
struct Place {
    int folder;
    QString name;
    QString path;

    QByteArray encodedName() const { return QFile::encodeName(name); }
    Place beside(const QString& suffix) const { return {folder, name + suffix, path + suffix}; }
};

// A lock file as found: what it says and when it was last written.
struct Found {
    bool there = false;
    QByteArray text;
    qint64 modified = 0;  // milliseconds since 1970
};

Found readLockFile(const Place& place)
{
    const int fd = ::openat(place.folder, place.encodedName().constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return {};
    if (fd < 0 && errno != ELOOP)
        fail(errno);
    const auto closeQuietly = qScopeGuard([fd] {
        if (fd >= 0)
            ::close(fd);
    });
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) != 0)
        fail(errno);
    if (fd < 0 || !S_ISREG(st.st_mode))
        throw AppError(QStringLiteral("%1 não é uma trava do curso; apague-o")
                           .arg(QDir::toNativeSeparators(place.path)));
    char bytes[1024];
    const ssize_t n = ::read(fd, bytes, sizeof bytes);
    if (n < 0)
        fail(errno);
    return {true, QByteArray(bytes, qsizetype(n)), qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000};
}

// Creates the lock file holding text; false when one is already there.
bool createLockFile(const Place& place, const QByteArray& text)
{
    const int fd = ::openat(place.folder, place.encodedName().constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST)
        return false;
    if (fd < 0)
        fail(errno);
    auto removeOnFailure = qScopeGuard([&] { ::unlinkat(place.folder, place.encodedName().constData(), 0); });
    const ssize_t n = ::write(fd, text.constData(), size_t(text.size()));
    const int writeError = n < 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && n == text.size())
        fail(errno);
    if (n != text.size())
        fail(writeError);
    removeOnFailure.dismiss();
    return true;
}

void removeLockFile(const Place& place)
{
    if (::unlinkat(place.folder, place.encodedName().constData(), 0) != 0 && errno != ENOENT)
        fail(errno);
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

// Removes a lock judged abandoned, unless it changed meanwhile. Two programs
// may judge one lock abandoned at once: only the one that creates the
// breaker's file removes it, and only while the lock still says what was
// judged, so that a lock taken meanwhile by a third stays.
std::chrono::milliseconds& lockWait()
{
    static std::chrono::milliseconds wait = kLockWait;
    return wait;
}

// A lock file that names nobody: its maker was stopped between making it and
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

// Whether something was removed: the lock, or a breaker's file abandoned too.
bool takeOverAbandoned(const Place& lock, const QByteArray& judged, const QByteArray& mine)
{
    const Place breaker = lock.beside(QStringLiteral(".quebra"));
    if (!createLockFile(breaker, mine)) {
        const Found other = readLockFile(breaker);
        if (!other.there || !abandoned(other, breaker))
            return false;
        removeLockFile(breaker);
        return true;
    }
    const auto removeBreaker = qScopeGuard([&] { ::unlinkat(breaker.folder, breaker.encodedName().constData(), 0); });
    const Found now = readLockFile(lock);
    if (now.there && now.text == judged)
        removeLockFile(lock);
    return true;
}

// A short wait, longer with each turn, never in step with another waiter.
void pause(int turn)
{
    const long microseconds = (1000L << std::min(turn, 4)) + long(QRandomGenerator::global()->bounded(1000));
    const timespec wait{0, microseconds * 1000};
    ::nanosleep(&wait, nullptr);
}

// The byte-range lock of the whole data file; false while another program
// holds it. A file system without such locks has the lock file alone.
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

[[noreturn]] void failBusy(const QString& dataFile, const Found& found)
{
    QString who;
    if (const std::optional<LockHolder> holder = LockHolder::fromText(found.text))
        who = QStringLiteral(" (no computador %1, desde as %2)")
                  .arg(holder->computer,
                       QDateTime::fromMSecsSinceEpoch(holder->since).toLocalTime().toString(QStringLiteral("HH:mm:ss")));
    throw AppError(QStringLiteral("O arquivo %1 está sendo gravado por outro programa%2; tente de novo daqui a pouco")
                       .arg(QDir::toNativeSeparators(QFileInfo(dataFile).absoluteFilePath()), who));
}

}  // namespace

QString lockFileOf(const QString& dataFile)
{
    return folderOfLocks(dataFile) + u'/' + QFileInfo(dataFile).fileName() + QStringLiteral(".trava");
}

SharedLock::SharedLock(const QString& dataFile, int fd)
    : folder_(openLockFolder(dataFile))
    , name_(QFileInfo(dataFile).fileName() + QStringLiteral(".trava"))
    , path_(lockFileOf(dataFile))
    , mine_(LockHolder::thisProcess().text())
{
    auto closeOnFailure = qScopeGuard([this] { ::close(folder_); });
    const Place lock{folder_, name_, path_};
    const Steady::time_point deadline = Steady::now() + lockWait();
    Unnamed unnamed;
    for (int turn = 0; !createLockFile(lock, mine_);) {
        const Found found = readLockFile(lock);
        if (!found.there)
            continue;
        if ((abandoned(found, lock) || unnamed.leftBehind(found)) && takeOverAbandoned(lock, found.text, mine_))
            continue;
        if (Steady::now() >= deadline)
            failBusy(dataFile, found);
        pause(turn++);
    }
    heldHere().insert(path_);
    auto releaseOnFailure = qScopeGuard([&] {
        heldHere().remove(path_);
        ::unlinkat(folder_, lock.encodedName().constData(), 0);
    });
    // a program that takes only the byte-range lock holds it for a moment too
    for (int turn = 0; !lockRange(fd); ++turn) {
        if (Steady::now() >= deadline)
            failBusy(dataFile, {});
        pause(turn);
    }
    releaseOnFailure.dismiss();
    closeOnFailure.dismiss();
}

// The lock file goes only while it is still this one: one older than any
// writer holds a lock may have been taken over meanwhile.
SharedLock::~SharedLock()
{
    const auto closeFolder = qScopeGuard([this] { ::close(folder_); });
    heldHere().remove(path_);
    const Place lock{folder_, name_, path_};
    try {
        if (readLockFile(lock).text == mine_)
            removeLockFile(lock);
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
