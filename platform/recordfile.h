#pragma once
// Files of fixed-size records in the current directory. Every failure throws
// IoError with the run-time library's code ("File not found", "Disk full", ...).
// Names are matched without regard to case, as on the system the data files
// come from, so "ZORPAulas20.Dat" and "ZORPAulas20.dat" reach one file.
// A course folder may be shared by a whole school: a data file is never
// reached through a symbolic link, and one that is not a regular file (a
// folder, a pipe, a device) is refused; both with a message that names it.

#include <QString>
#include <cstdint>
#include <vector>

// Something lies at the name: a file, or a link or a folder in its place.
bool fileExists(const QString& name);

// The file's whole path, as a message names it.
QString shownFileName(const QString& name);

class RecordFile {
public:
    enum class Access { Read, ReadWrite };

    // Creates the file empty when it is missing; an existing one is left as it is.
    static void createIfMissing(const QString& name);

    // Opens an existing file.
    RecordFile(const QString& name, int recordSize, Access access);
    ~RecordFile();  // closes quietly if close() was not reached
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Exclusive advisory lock until the file is closed, so that two programs
    // appending to one file do not write over each other's records. Where the
    // file system has no locks, the file stays unlocked.
    void lock();
    // Whole records in the file; a trailing fragment does not count.
    std::int64_t recordCount();
    void seek(std::int64_t record);
    std::int64_t position() const { return position_; }
    // Reads the record at the position and moves on. The file is read ahead
    // in large blocks: a file read in order costs one system call a block.
    void read(void* record);
    // Writes one record at the position with one write call and moves on.
    void write(const void* record);
    // Flushes the written data to the disk.
    void sync();
    void close();

private:
    // the record at the position, from the block read ahead; false past the end
    bool fromBlock(void* record);
    void readBlock();

    int fd_ = -1;
    int recordSize_;
    std::int64_t position_ = 0;
    std::vector<char> block_;      // whole records read ahead
    std::int64_t blockFirst_ = 0;  // the record the block starts with
};

// Test seam: make the n-th next call of an operation fail with an errno value
// (a short read or write is made with errno 0).
namespace fileseam {

enum class Op { Create, Open, Lock, Size, Seek, Read, Write, Sync, Close };

void failOn(Op op, int err, int nth = 1);
void clear();

}  // namespace fileseam
