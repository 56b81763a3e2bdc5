#include "recordfile.h"

#include "errors.h"

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
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct PlannedFailure {
    int err = 0;
    int countdown = 0;  // 0: none planned
};

std::array<PlannedFailure, 10>& planned()
{
    static std::array<PlannedFailure, 10> failures;
    return failures;
}

PlannedFailure& plannedRead()
{
    return planned()[size_t(fileseam::Op::Read)];
}

// Whether the seam makes this call of op fail; sets errno when it does.
bool injected(fileseam::Op op)
{
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

void RecordFile::createIfMissing(const QString& name)
{
    if (injected(fileseam::Op::Create))
        fail(errno);
    const QString resolved = resolve(name);
    const int fd = ::open(QFile::encodeName(resolved).constData(), O_WRONLY | O_CREAT | kOpenFlags, 0666);
    if (fd < 0)
        failOpen(resolved, errno);
    const auto closeQuietly = qScopeGuard([fd] { ::close(fd); });
    requireRegular(fd, resolved);
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
}

RecordFile::~RecordFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// A file system without locks (some network shares) is written unlocked.
void RecordFile::lock()
{
    int err;
    do {
        err = injected(fileseam::Op::Lock) || ::flock(fd_, LOCK_EX) != 0 ? errno : 0;
    } while (err == EINTR);
    if (err != 0 && err != ENOLCK && err != EOPNOTSUPP)
        fail(err);
}

std::int64_t RecordFile::recordCount()
{
    struct stat st {};
    if (injected(fileseam::Op::Size) || ::fstat(fd_, &st) != 0)
        fail(errno);
    return std::int64_t(st.st_size) / recordSize_;
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

bool createWhole(const QString& name, QByteArrayView bytes)
{
    if (fileExists(name))
        return false;
    const QString temporary = temporaryBeside(name);
    auto removeTemporary = qScopeGuard([&] { ::unlink(QFile::encodeName(temporary).constData()); });
    RecordFile::createIfMissing(temporary);
    RecordFile file(temporary, int(bytes.size()), RecordFile::Access::ReadWrite);
    file.write(bytes.data());
    file.sync();
    file.close();
    if (!renameUnlessTaken(temporary, name))
        return false;
    removeTemporary.dismiss();
    return true;
}

namespace fileseam {

void failOn(Op op, int err, int nth)
{
    planned()[size_t(op)] = PlannedFailure{err, nth};
}

void clear()
{
    planned().fill(PlannedFailure{});
}

}  // namespace fileseam
