#pragma once
// The lock that every program writing to a course folder takes, whichever
// machine it runs on. A file system's own locks cannot be trusted with that:
// some network shares refuse them, and some grant one to two machines at once
// because each machine's kernel decides alone. What only the file server can
// decide is whether a folder is made or already there (a file made only when
// missing was given to two machines at once by one share tried here), so the
// lock is a folder, made in the folder "travas" beside the data file, with a
// file in it that names the computer, the process and the moment it was
// taken. A byte-range lock on the data file goes with it, for programs that
// take only that lock and for shares that carry such locks to their server.
//
// A lock whose holder is gone is taken over: at once when the holder ran on
// this computer and its process has ended, and otherwise once the lock is
// older than kLockAbandonedAfter (no writer holds it for more than a moment).
// The computers' clocks are expected to agree within that time.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>

inline constexpr std::chrono::minutes kLockAbandonedAfter{2};
// How long a writer waits for a lock held by another program before it says so.
inline constexpr std::chrono::seconds kLockWait{15};

// The folder of the locks, beside the course's files.
inline const QString kLockFolder = QStringLiteral("travas");

class SharedLock {
public:
    // Takes the lock of the data file `dataFile`, open for writing at `fd`,
    // waiting while another program holds it. When it is still held after
    // kLockWait, throws a message that names the holder; nothing is written
    // then. A folder of locks that cannot be made is the error of the make.
    SharedLock(const QString& dataFile, int fd);
    // Gives the lock back; the byte-range lock goes when the file is closed.
    ~SharedLock();
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

private:
    int folder_ = -1;  // the folder of the locks, held open
    QString name_;     // the lock's name in it
    QString path_;     // and its full path
    QByteArray mine_;  // what this lock says of its holder
};

// The lock of a data file, a folder, and the file in it that names its
// holder: what a test plants or reads.
QString lockOf(const QString& dataFile);
QString lockHolderFileOf(const QString& dataFile);

// What a lock names, in the form it is written: the computer's name, its
// boot, the process and the moment the lock was taken (milliseconds since
// 1970 UTC), and a mark no other lock has.
struct LockHolder {
    QString computer;
    QByteArray boot;
    qint64 process = 0;
    qint64 since = 0;
    QByteArray mark;

    static LockHolder thisProcess();
    QByteArray text() const;
    // Nothing for a text that is not a whole lock's.
    static std::optional<LockHolder> fromText(const QByteArray& text);
};

// Test seam: a wait for a held lock shorter than kLockWait.
namespace lockseam {

void setWait(std::chrono::milliseconds wait);
void clear();

}  // namespace lockseam
