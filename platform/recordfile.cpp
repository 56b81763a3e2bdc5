#include "recordfile.h"

#include "errors.h"
#include "sharedlock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <memory>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct PlannedFailure {
    int err = 0;
    int countdown = 0;  // 0: none planned
};

constexpr size_t kOps = size_t(fileseam::Op::Remove) + 1;

std::array<PlannedFailure, kOps>& planned()
{
    static std::array<PlannedFailure, kOps> failures;
    return failures;
}

// the countdowns to a planned power cut, one per operation
std::array<int, kOps>& plannedCuts()
{
    static std::array<int, kOps> cuts{};
    return cuts;
}

// the status of a process ended by the seam's power cut
constexpr int kPowerCut = 99;

bool powerCutNow(fileseam::Op op)
{
    int& countdown = plannedCuts()[size_t(op)];
    return countdown > 0 && --countdown == 0;
}

PlannedFailure& plannedRead()
{
    return planned()[size_t(fileseam::Op::Read)];
}

// Whether the seam makes this call of op fail; sets errno when it does.
bool injected(fileseam::Op op)
{
    if (op != fileseam::Op::Write && powerCutNow(op))
        _exit(kPowerCut);
    PlannedFailure& f = planned()[size_t(op)];
    if (f.countdown == 0 || --f.countdown > 0)
        return false;
    errno = f.err;
    return true;
}

[[noreturn]] void fail(int err)
{
    throw IoError::fromErrno(err);
}

// An open that failed: a link in the data file's place is told as such.
[[noreturn]] void failOpen(const QString& name, int err)
{
    if (err == ELOOP)
        throw AppError(QStringLiteral("O arquivo %1 é um link simbólico; por segurança, o curso não o usa")
                           .arg(shownFileName(name)));
    fail(err);
}

// A data file is a regular file; a folder, a pipe or a device in its place is refused.
void requireRegular(int fd, const QString& name)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        fail(errno);
    if (!S_ISREG(st.st_mode))
        throw AppError(QStringLiteral("%1 não é um arquivo de dados: é uma pasta ou um arquivo especial")
                           .arg(shownFileName(name)));
}

// Never through a link, and never waiting on a pipe.
constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// The existing file whose name matches without regard to case, or the name
// itself when none does.
QString resolve(const QString& name)
{
    if (QFileInfo::exists(name))
        return name;
    const QFileInfo info(name);
    const QStringList entries = info.dir().entryList({info.fileName()}, QDir::Files | QDir::Hidden,
                                                     QDir::NoSort);
    // name filters are case-insensitive by default
    return entries.isEmpty() ? name : info.dir().filePath(entries.first());
}

}  // namespace

QString shownFileName(const QString& name)
{
    return QDir::toNativeSeparators(QFileInfo(resolve(name)).absoluteFilePath());
}

// Whatever lies at the name counts: a link or a folder there is refused when
// the file is opened, never taken for a missing file and made anew.
bool fileExists(const QString& name)
{
    const QFileInfo info(resolve(name));
    return info.exists() || info.isSymLink();
}

void RecordFile::createIfMissing(const QString& name, Writers writers)
{
    if (injected(fileseam::Op::Create))
        fail(errno);
    const QString resolved = resolve(name);
    const QByteArray path = QFile::encodeName(resolved);
    int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, 0666);
    const bool created = fd >= 0;
    if (!created && errno == EEXIST)
        fd = ::open(path.constData(), O_WRONLY | kOpenFlags);
    if (fd < 0)
        failOpen(resolved, errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    requireRegular(fd, resolved);
    // only a file made here: an existing one keeps the rights it was given
    if (created && writers == Writers::OwnerOnly && ::fchmod(fd, 0644) != 0)
        fail(errno);
}

RecordFile::RecordFile(const QString& name, int recordSize, Access access)
    : recordSize_(recordSize)
{
    if (injected(fileseam::Op::Open))
        fail(errno);
    const QString resolved = resolve(name);
    const int mode = access == Access::Read ? O_RDONLY : O_RDWR;
    const int fd = ::open(QFile::encodeName(resolved).constData(), mode | kOpenFlags);
    if (fd < 0)
        failOpen(resolved, errno);
    auto closeOnFailure = qScopeGuard([fd] { ::close(fd); });
    requireRegular(fd, resolved);
    closeOnFailure.dismiss();
    fd_ = fd;
    name_ = resolved;
}

// The lock goes after the file is closed, as a member.
RecordFile::~RecordFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// Whoever locks the file reads and writes from where they choose: putting
// back an unfinished rewrite moves nobody's position.
void RecordFile::lock()
{
    if (injected(fileseam::Op::Lock))
        fail(errno);
    lock_ = std::make_unique<SharedLock>(name_, fd_);
    const std::int64_t position = position_;
    undoUnfinishedRewrite();
    position_ = position;
}

// The size as the file server has it now: a network share's client may keep
// what it last heard for a while, and an append at an old end would write
// over the records another machine added since.
std::int64_t RecordFile::recordCount()
{
    struct statx st {};
    if (injected(fileseam::Op::Size)
        || ::statx(fd_, "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_SIZE, &st) != 0)
        fail(errno);
    return std::int64_t(st.stx_size) / recordSize_;
}

void RecordFile::seek(std::int64_t record)
{
    if (injected(fileseam::Op::Seek))
        fail(errno);
    if (record < 0)
        fail(EINVAL);
    position_ = record;
}

void RecordFile::read(void* record)
{
    std::memcpy(record, readAhead(1).data(), size_t(recordSize_));
}

// Every record handed out counts as one read for the seam: a failure planned
// for the n-th read comes after the n - 1 records before it.
QByteArray RecordFile::readUpTo(std::int64_t end)
{
    QByteArray bytes;
    bytes.reserve(qsizetype((end - position_) * recordSize_));
    while (position_ < end) {
        const std::span<const char> ahead = readAhead(end - position_);
        bytes.append(ahead.data(), qsizetype(ahead.size()));
    }
    return bytes;
}

std::span<const char> RecordFile::readAhead(std::int64_t most)
{
    if (injected(fileseam::Op::Read)) {
        if (errno == 0)
            throw IoError(IoError::ReadBeyondEnd);
        fail(errno);
    }
    PlannedFailure& planned = plannedRead();
    if (planned.countdown > 0)
        most = std::min<std::int64_t>(most, planned.countdown);
    if (aheadOfPosition() <= 0)
        readBlock();
    const std::int64_t records = std::min(most, aheadOfPosition());
    if (records <= 0)
        throw IoError(IoError::ReadBeyondEnd);
    // the call that injected() looked at was the first of them
    if (planned.countdown > 0)
        planned.countdown -= int(records - 1);
    const std::span<const char> ahead(block_.get() + (position_ - blockFirst_) * recordSize_,
                                      size_t(records * recordSize_));
    position_ += records;
    return ahead;
}

std::int64_t RecordFile::aheadOfPosition() const
{
    if (position_ < blockFirst_)
        return 0;
    return blockBytes_ / recordSize_ - (position_ - blockFirst_);
}

// The block from the position on: as many whole records as a mebibyte holds,
// or as the file has left. Its room is made once, and never filled with
// zeros first: a small file costs no more than its size.
void RecordFile::readBlock()
{
    constexpr std::int64_t kBlockBytes = 1 << 20;
    const std::int64_t records = std::clamp<std::int64_t>(recordCount() - position_, 1,
                                                          std::max<std::int64_t>(1, kBlockBytes / recordSize_));
    const std::int64_t wanted = records * recordSize_;
    if (blockRoom_ < wanted) {
        block_ = std::make_unique_for_overwrite<char[]>(size_t(wanted));
        blockRoom_ = wanted;
    }
    blockFirst_ = position_;
    blockBytes_ = 0;
    while (blockBytes_ < wanted) {
        const ssize_t n = ::pread(fd_, block_.get() + blockBytes_, size_t(wanted - blockBytes_),
                                  off_t(position_ * recordSize_ + blockBytes_));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            blockBytes_ = 0;
            fail(errno);
        }
        if (n == 0)
            break;
        blockBytes_ += n;
    }
}

void RecordFile::write(const void* records, std::int64_t count)
{
    if (powerCutNow(fileseam::Op::Write)) {
        [[maybe_unused]] const ssize_t half =
            ::pwrite(fd_, records, size_t(count * recordSize_ / 2), off_t(position_ * recordSize_));
        _exit(kPowerCut);
    }
    if (injected(fileseam::Op::Write)) {
        if (errno == 0)
            throw IoError(IoError::DiskFull);
        fail(errno);
    }
    const ssize_t bytes = ssize_t(count * recordSize_);
    ssize_t n;
    do {
        n = ::pwrite(fd_, records, size_t(bytes), off_t(position_ * recordSize_));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        fail(errno);
    // what was read ahead may now be stale
    blockBytes_ = 0;
    if (n != bytes)
        throw IoError(IoError::DiskFull);
    position_ += count;
}

void RecordFile::sync()
{
    if (injected(fileseam::Op::Sync) || ::fdatasync(fd_) != 0)
        fail(errno);
}

void RecordFile::close()
{
    const auto unlock = qScopeGuard([this] { lock_.reset(); });
    const int fd = fd_;
    fd_ = -1;
    if (injected(fileseam::Op::Close)) {
        ::close(fd);
        fail(errno);
    }
    if (::close(fd) != 0)
        fail(errno);
}

namespace {

// A name beside the target that no other program picks: the process's number
// and a random one.
QString temporaryBeside(const QString& target)
{
    return QStringLiteral("%1.%2-%3.tmp")
        .arg(target)
        .arg(::getpid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// The temporary file takes the target's name unless a file lies there; a
// file system without that test replaces it.
bool renameUnlessTaken(const QString& from, const QString& to)
{
    if (injected(fileseam::Op::Rename))
        fail(errno);
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        fail(errno);
    if (::rename(source.constData(), target.constData()) != 0)
        fail(errno);
    return true;
}

}  // namespace

bool createWhole(const QString& name, QByteArrayView bytes, Writers writers)
{
    if (fileExists(name))
        return false;
    const QString temporary = temporaryBeside(name);
    auto removeTemporary = qScopeGuard([&] { ::unlink(QFile::encodeName(temporary).constData()); });
    RecordFile::createIfMissing(temporary, writers);
    RecordFile file(temporary, int(bytes.size()), RecordFile::Access::ReadWrite);
    file.write(bytes.data());
    file.sync();
    file.close();
    if (!renameUnlessTaken(temporary, name))
        return false;
    removeTemporary.dismiss();
    return true;
}

namespace {

// A journal starts with its mark, the record's number and the record's size,
// holds the record replaced and ends with the SHA-256 of all that.
constexpr QByteArrayView kJournalMark("QRVANT01");
constexpr qsizetype kJournalHead = kJournalMark.size() + sizeof(std::int64_t) + sizeof(std::int32_t);
constexpr qsizetype kJournalSum = 32;

QByteArray journalOf(std::int64_t number, const QByteArray& old)
{
    QByteArray journal = kJournalMark.toByteArray();
    const std::int32_t size = std::int32_t(old.size());
    journal.append(reinterpret_cast<const char*>(&number), sizeof number);
    journal.append(reinterpret_cast<const char*>(&size), sizeof size);
    journal += old;
    journal += QCryptographicHash::hash(journal, QCryptographicHash::Sha256);
    return journal;
}

struct Undo {
    std::int64_t number;
    QByteArray old;
};

// What a whole journal of a file of records of recordSize says to undo; none
// for a journal cut short, whose file was never touched.
std::optional<Undo> undoOf(const QByteArray& journal, int recordSize)
{
    if (journal.size() != kJournalHead + recordSize + kJournalSum || !journal.startsWith(kJournalMark))
        return std::nullopt;
    const QByteArrayView body(journal.constData(), journal.size() - kJournalSum);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha256) != journal.right(kJournalSum))
        return std::nullopt;
    std::int64_t number;
    std::int32_t size;
    std::memcpy(&number, journal.constData() + kJournalMark.size(), sizeof number);
    std::memcpy(&size, journal.constData() + kJournalMark.size() + sizeof number, sizeof size);
    if (number < 0 || size != recordSize)
        return std::nullopt;
    return Undo{number, journal.mid(kJournalHead, recordSize)};
}

// Exactly this name, not matched without regard to case: the journal's name
// comes from its file's name as found.
bool journalLiesThere(const QString& name)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(name).constData(), &st) == 0;
}

// The journal's bytes, none past the size of a whole one; nothing when it is
// not there after all: a network share's client may go on listing for a
// moment a file that another machine has removed.
std::optional<QByteArray> readJournal(const QString& journal, int recordSize)
{
    if (injected(fileseam::Op::Open))
        fail(errno);
    const int fd = ::open(QFile::encodeName(journal).constData(), O_RDONLY | kOpenFlags);
    if (fd < 0 && errno == ENOENT)
        return std::nullopt;
    if (fd < 0)
        failOpen(journal, errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    requireRegular(fd, journal);
    QByteArray bytes(kJournalHead + recordSize + kJournalSum + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size_t(bytes.size() - got), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// A name made or removed in the folder is on the disk only once the folder
// itself is; a file system that cannot flush a folder is left as it is.
void syncFolderOf(const QString& name)
{
    if (injected(fileseam::Op::Sync))
        fail(errno);
    const int fd = ::open(QFile::encodeName(QFileInfo(name).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EOPNOTSUPP)
        fail(errno);
}

void emptyFile(const QString& name)
{
    const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_TRUNC | kOpenFlags);
    if (fd < 0)
        failOpen(name, errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    if (::fsync(fd) != 0)
        fail(errno);
}

// The journal gone. One that another account made in a folder with the
// sticky bit cannot be removed: it is emptied, which says the same.
void cancelJournal(const QString& journal)
{
    if (injected(fileseam::Op::Remove))
        fail(errno);
    if (::unlink(QFile::encodeName(journal).constData()) == 0 || errno == ENOENT) {
        syncFolderOf(journal);
        return;
    }
    if (errno != EPERM && errno != EACCES)
        fail(errno);
    emptyFile(journal);
}

// The journal whole on the disk, or none left.
void writeJournal(const QString& journal, const QByteArray& bytes)
{
    auto removeOnFailure = qScopeGuard([&] { ::unlink(QFile::encodeName(journal).constData()); });
    RecordFile::createIfMissing(journal);
    RecordFile file(journal, int(bytes.size()), RecordFile::Access::ReadWrite);
    file.write(bytes.constData());
    file.sync();
    file.close();
    syncFolderOf(journal);
    removeOnFailure.dismiss();
}

}  // namespace

QString rewriteJournal(const QString& name)
{
    return name + QStringLiteral(".anterior");
}

void RecordFile::rewrite(std::int64_t number, const void* record)
{
    seek(number);
    const std::span<const char> current = readAhead(1);
    const QByteArray old(current.data(), recordSize_);
    if (std::memcmp(old.constData(), record, size_t(recordSize_)) == 0)
        return;
    const QString journal = rewriteJournal(name_);
    writeJournal(journal, journalOf(number, old));
    try {
        seek(number);
        write(record);
        sync();
        cancelJournal(journal);
    } catch (const AppError&) {
        putBack(number, old);
        throw;
    }
}

// The old record back on the disk and the journal gone. It runs while the
// first failure is on its way to be reported: what of it fails in turn is
// left to the journal, which the next lock() finishes.
void RecordFile::putBack(std::int64_t number, const QByteArray& old)
{
    try {
        seek(number);
        write(old.constData());
        sync();
        cancelJournal(rewriteJournal(name_));
    } catch (const AppError&) {
        return;
    }
}

// The record the journal holds goes back, whatever the file holds there now:
// the old record, the new one or a mix of them. A journal of a record the
// file does not have (an older file put back meanwhile) is none: it would
// grow the file with empty records.
void RecordFile::undoUnfinishedRewrite()
{
    const QString journal = rewriteJournal(name_);
    if (!journalLiesThere(journal))
        return;
    const std::optional<QByteArray> bytes = readJournal(journal, recordSize_);
    if (!bytes)
        return;
    const std::optional<Undo> undo = undoOf(*bytes, recordSize_);
    if (undo && undo->number < recordCount()) {
        seek(undo->number);
        write(undo->old.constData());
        sync();
    }
    cancelJournal(journal);
}

namespace {

bool mayWrite(const QString& path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

// Whether this account may put a record back: write the file, and make the
// lock in the folder of the locks (or make that folder).
bool mayPutBack(const QString& resolved)
{
    const QString folder = QFileInfo(resolved).absolutePath();
    const QString locks = folder + u'/' + kLockFolder;
    return mayWrite(resolved) && mayWrite(QFileInfo::exists(locks) ? locks : folder);
}

}  // namespace

// An account that may only read the folder (a report made by another user)
// reads the file as it stands.
void RecordFile::finishRewrite(const QString& name, int recordSize)
{
    const QString resolved = resolve(name);
    if (!journalLiesThere(rewriteJournal(resolved)) || !mayPutBack(resolved))
        return;
    RecordFile file(name, recordSize, Access::ReadWrite);
    file.lock();
    file.close();
}

namespace fileseam {

void failOn(Op op, int err, int nth)
{
    planned()[size_t(op)] = PlannedFailure{err, nth};
}

void cutPowerOn(Op op, int nth)
{
    plannedCuts()[size_t(op)] = nth;
}

void clear()
{
    planned().fill(PlannedFailure{});
    plannedCuts().fill(0);
}

}  // namespace fileseam
