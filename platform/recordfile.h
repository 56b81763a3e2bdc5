#pragma once
// Files of fixed-size records in the current directory. Every failure throws
// IoError with the run-time library's code ("File not found", "Disk full", ...).
// Names are matched without regard to case, as on the system the data files
// come from, so "ZORPAulas20.Dat" and "ZORPAulas20.dat" reach one file.
// A course folder may be shared by a whole school: a data file is never
// reached through a symbolic link, and one that is not a regular file (a
// folder, a pipe, a device) is refused; both with a message that names it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <type_traits>

// Something lies at the name: a file, or a link or a folder in its place.
bool fileExists(const QString& name);

// The file's whole path, as a message names it.
QString shownFileName(const QString& name);

class SharedLock;

// Who may write a file the program makes. The class's data files are made as
// the process's umask allows, so that a group-shared folder keeps them shared;
// the teacher's files are writable by their owner alone, whatever the umask.
enum class Writers { AsUmask, OwnerOnly };

class RecordFile {
public:
    enum class Access { Read, ReadWrite };

    // Creates the file empty when it is missing; an existing one is left as it is.
    static void createIfMissing(const QString& name, Writers writers = Writers::AsUmask);

    // Opens an existing file.
    RecordFile(const QString& name, int recordSize, Access access);
    ~RecordFile();  // closes quietly if close() was not reached
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Exclusive lock until the file is closed, honoured by every machine
    // sharing the folder (SharedLock), so that two programs appending to one
    // file do not write over each other's records. A lock that cannot be had
    // is an error: nothing is written without it. A rewrite that never
    // finished (its journal still lies beside the file) is undone first; the
    // position stays where it was.
    void lock();
    // Whole records in the file; a trailing fragment does not count.
    std::int64_t recordCount();
    void seek(std::int64_t record);
    std::int64_t position() const { return position_; }
    // Reads the record at the position and moves on. The file is read ahead
    // in large blocks: a file read in order costs one system call a block.
    void read(void* record);
    // The whole records from the position on, up to `most`, as read ahead,
    // and moves past them; valid until the next read. A record that is not
    // there fails with "Read beyond end of file".
    std::span<const char> readAhead(std::int64_t most);
    // The records from the position up to the record numbered `end`, as
    // bytes: a file of one-byte records (a text) read whole.
    QByteArray readUpTo(std::int64_t end);
    // Copies the file's whole records from the position on into `record`,
    // one by one, as long as `onRecord` answers true. Stopped early, the
    // position is past the records read ahead.
    template <class Record, class OnRecord>
    void readEach(Record& record, OnRecord onRecord);
    // Writes `count` records at the position with one write call and moves
    // past them.
    void write(const void* records, std::int64_t count = 1);
    // Writes `record` over the record numbered `number`, whole or not at all,
    // and puts it on the disk. The record it replaces goes first to a
    // journal beside the file (rewriteJournal), on the disk before the file
    // is touched; the journal goes once the new record is on the disk. A
    // failure puts the old record back, or leaves the journal for the next
    // lock() to do it: the file never holds a mix of the two. Called with the
    // lock taken.
    void rewrite(std::int64_t number, const void* record);
    // Flushes the written data to the disk.
    void sync();
    void close();

    // Undoes an unfinished rewrite of the file, if its journal lies there,
    // under the file's lock: for readers, who take no lock otherwise. An
    // account that may not write the folder leaves it to the next writer.
    static void finishRewrite(const QString& name, int recordSize);

private:
    void undoUnfinishedRewrite();
    void putBack(std::int64_t number, const QByteArray& old);

    // the records read ahead from the position on
    std::int64_t aheadOfPosition() const;
    void readBlock();

    int fd_ = -1;
    QString name_;  // as resolved when opened
    int recordSize_;
    std::int64_t position_ = 0;
    std::unique_ptr<char[]> block_;  // whole records read ahead
    std::int64_t blockRoom_ = 0;     // what block_ can hold, in bytes
    std::int64_t blockBytes_ = 0;    // what it holds
    std::int64_t blockFirst_ = 0;    // the record it starts with
    std::unique_ptr<SharedLock> lock_;
};

template <class Record, class OnRecord>
void RecordFile::readEach(Record& record, OnRecord onRecord)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    const std::int64_t count = recordCount();
    while (position_ < count) {
        const std::span<const char> ahead = readAhead(count - position_);
        for (size_t at = 0; at < ahead.size(); at += sizeof(Record)) {
            std::memcpy(static_cast<void*>(&record), ahead.data() + at, sizeof(Record));
            if (!onRecord())
                return;
        }
    }
}

// The journal of a rewrite of the file: the record replaced, its number and
// a checksum, so that a journal cut short by a crash is told from a whole one.
QString rewriteJournal(const QString& name);

// Gives the name a new file that holds bytes, whole or not at all: they are
// written to a temporary file beside it and put on the disk, and only then
// does that file take the name. False, and nothing left behind, when a file
// already lies at the name; a file system that cannot tell (some network
// shares) has it replaced.
bool createWhole(const QString& name, QByteArrayView bytes, Writers writers = Writers::AsUmask);

// Test seam: make the n-th next call of an operation fail with an errno value
// (a short read or write is made with errno 0). Each record read ahead
// counts as one call of Read.
namespace fileseam {

enum class Op { Create, Open, Lock, Size, Seek, Read, Write, Sync, Close, Rename, Remove };

void failOn(Op op, int err, int nth = 1);
// The process ends at the n-th next call of op, as at a power cut: a write
// puts down only the first half of its bytes, any other call is not made.
void cutPowerOn(Op op, int nth);
void clear();

}  // namespace fileseam
