#include "platform/errors.h"
#include "support/fixture.h"

#include <cerrno>

namespace {

TEST(ErrorReport, FullStopOnlyAfterCharactersAboveIt)
{
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"File not found", "File not found."},
        {"Disk full.", "Disk full."},
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"Couldn't open notas/la5.wav", "Couldn't open notas/la5.wav."},
        {"I/O error 28", "I/O error 28."},
        {"Fim!", "Fim!"},      // '!' is below '.'
        {"Fim)", "Fim)"},
        {"Fim-", "Fim-"},
        {"Fim/", "Fim/."},     // '/' is above '.'
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorReportText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(IoErrors, MessagesFollowTheErrnoOfTheFailure)
{
    const struct {
        int err;
        const char* message;
    } cases[] = {
        {ENOENT, "File not found"},       {EACCES, "File access denied"},
        {EPERM, "File access denied"},    {EROFS, "File access denied"},
        {EMFILE, "Too many open files"},  {ENFILE, "Too many open files"},
        {ENAMETOOLONG, "Invalid filename"}, {EINVAL, "Invalid filename"},
        {ENOSPC, "Disk full"},            {EFBIG, "Disk full"},
        {EIO, "I/O error 5"},             {EISDIR, "I/O error 21"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IoError::fromErrno(c.err).message(), QString::fromUtf8(c.message)) << c.err;
    EXPECT_EQ(IoError(IoError::ReadBeyondEnd).message(), QStringLiteral("Read beyond end of file"));
    EXPECT_EQ(IoError(IoError::InvalidNumericInput).message(), QStringLiteral("Invalid numeric input"));
}

TEST(ToInteger, AcceptsDecimalNumbersOnly)
{
    EXPECT_EQ(toInteger(QStringLiteral("0")), 0);
    EXPECT_EQ(toInteger(QStringLiteral("2")), 2);
    EXPECT_EQ(toInteger(QStringLiteral(" -12")), -12);
    EXPECT_EQ(toInteger(QStringLiteral("+7")), 7);
    EXPECT_EQ(toInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(toInteger(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "1a", "a", "2 ", "2147483648", "1.0"}) {
        try {
            toInteger(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(bad)));
        }
    }
}

}  // namespace
