#include "platform/errors.h"
#include "platform/recordfile.h"
#include "support/fixture.h"

#include <cerrno>
#include <cstring>

namespace {

using Files = InTempDir;
constexpr RecordFile::Access kRw = RecordFile::Access::ReadWrite;

TEST_F(Files, RecordsAreCountedWholeAndReadAndWrittenInPlace)
{
    writeFile(QStringLiteral("f.dat"), QByteArray("abcdefghij"));  // two records of 4, a fragment of 2
    RecordFile file(QStringLiteral("f.dat"), 4, kRw);
    EXPECT_EQ(file.recordCount(), 2);
    char record[4];
    file.read(record);
    EXPECT_EQ(QByteArray(record, 4), QByteArray("abcd"));
    file.seek(file.recordCount());
    file.write("WXYZ");
    file.sync();
    file.close();
    EXPECT_EQ(readFile(QStringLiteral("f.dat")), QByteArray("abcdefghWXYZ"));
}

// Read ahead in blocks: records across a block's edge come whole and in
// order, and what was just written is what is read back.
TEST_F(Files, AFileReadAheadGivesEveryRecordAndWhatWasWritten)
{
    constexpr std::int32_t kRecords = 100'000;  // 2.4 MB: three blocks
    QByteArray bytes(kRecords * 24, '\0');
    for (std::int32_t i = 0; i < kRecords; ++i)
        std::memcpy(bytes.data() + i * 24 + 7, &i, sizeof i);
    writeFile(QStringLiteral("f.dat"), bytes + "frag");
    RecordFile file(QStringLiteral("f.dat"), 24, kRw);
    ASSERT_EQ(file.recordCount(), kRecords);
    char record[24];
    std::int32_t wrong = 0;
    for (std::int32_t i = 0; i < kRecords; ++i) {
        file.read(record);
        std::int32_t n;
        std::memcpy(&n, record + 7, sizeof n);
        wrong += n != i;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(errorOf([&] { file.read(record); }), QStringLiteral("Read beyond end of file"));

    file.seek(90'000);  // inside the block read last
    file.write(QByteArray(24, 'w').constData());
    file.seek(90'000);
    file.read(record);
    EXPECT_EQ(QByteArray(record, 24), QByteArray(24, 'w'));
}

TEST_F(Files, ReadPastTheLastWholeRecordFails)
{
    writeFile(QStringLiteral("f.dat"), QByteArray("abcdef"));
    RecordFile file(QStringLiteral("f.dat"), 4, kRw);
    char record[4];
    file.read(record);
    EXPECT_EQ(errorOf([&] { file.read(record); }), QStringLiteral("Read beyond end of file"));
}

TEST_F(Files, MissingFileIsNotFoundAndNamesMatchWithoutCase)
{
    EXPECT_FALSE(fileExists(QStringLiteral("ZORPAulas20.dat")));
    EXPECT_EQ(errorOf([] { RecordFile f(QStringLiteral("ZORPAulas20.dat"), 24, kRw); }),
              QStringLiteral("File not found"));
    RecordFile::createIfMissing(QStringLiteral("ZORPAulas20.dat"));
    EXPECT_TRUE(fileExists(QStringLiteral("ZORPAulas20.Dat")));
    RecordFile file(QStringLiteral("ZORPAulas20.Dat"), 24, kRw);
    EXPECT_EQ(file.recordCount(), 0);
    EXPECT_FALSE(QFile::exists(QStringLiteral("ZORPAulas20.Dat")) &&
                 !QFile::exists(QStringLiteral("ZORPAulas20.dat")));
}

TEST_F(Files, CreatingAFileThatIsThereLeavesItAsItIs)
{
    writeFile(QStringLiteral("zorpaulas20.DAT"), QByteArray("history"));
    RecordFile::createIfMissing(QStringLiteral("ZORPAulas20.dat"));
    EXPECT_EQ(readFile(QStringLiteral("zorpaulas20.DAT")), QByteArray("history"));
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("zorpaulas20.DAT")});
}

TEST_F(Files, WriteProtectedFileIsAccessDeniedForAnUnprivilegedUser)
{
    writeFile(QStringLiteral("f.dat"), QByteArray(8, 'x'));
    EXPECT_EQ(accessDeniedAsUnprivilegedUser(QStringLiteral("f.dat"),
                                             [] { RecordFile f(QStringLiteral("f.dat"), 4, kRw); }),
              0);
}

TEST_F(Files, SeamFailsTheChosenCall)
{
    writeFile(QStringLiteral("f.dat"), QByteArray(8, 'x'));
    fileseam::failOn(fileseam::Op::Read, 0, 2);
    RecordFile file(QStringLiteral("f.dat"), 4, kRw);
    char record[4];
    file.read(record);
    EXPECT_EQ(errorOf([&] { file.read(record); }), QStringLiteral("Read beyond end of file"));

    fileseam::failOn(fileseam::Op::Write, ENOSPC);
    EXPECT_EQ(errorOf([&] { file.write("abcd"); }), QStringLiteral("Disk full"));
    fileseam::failOn(fileseam::Op::Open, EACCES);
    EXPECT_EQ(errorOf([] { RecordFile f(QStringLiteral("f.dat"), 4, kRw); }), QStringLiteral("File access denied"));
    fileseam::failOn(fileseam::Op::Close, EIO);
    EXPECT_EQ(errorOf([&] { file.close(); }), QStringLiteral("I/O error 5"));
}

}  // namespace
