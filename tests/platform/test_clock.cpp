#include "platform/clock.h"
#include "support/fixture.h"

namespace {

TEST(Clock, DaysCountFrom18991230AndTimesAreFractionsOfADay)
{
    clearSeams();
    clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(18, 0)));
    EXPECT_EQ(today(), 46366.0);
    EXPECT_DOUBLE_EQ(timeOfDay(), 0.75);
    clockseam::advance(6 * 3600 * 1000);
    EXPECT_EQ(today(), 46367.0);
    EXPECT_DOUBLE_EQ(timeOfDay(), 0.0);
    clockseam::reset();
}

// Waits are measured on a clock that setting the date does not move.
TEST(Clock, TheMonotonicClockMovesOnlyWithAdvanceWhileTheClockIsSet)
{
    clearSeams();
    clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(18, 0)));
    const qint64 inicio = monotonicMs();
    clockseam::set(QDateTime(QDate(2026, 12, 9), QTime(18, 0)));  // the date set a day back
    EXPECT_EQ(monotonicMs(), inicio);
    clockseam::advance(4000);
    EXPECT_EQ(monotonicMs(), inicio + 4000);
    clockseam::reset();
}

TEST(Clock, RegionalFormats)
{
    EXPECT_EQ(dayCount(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(shortDate(0), QStringLiteral("30/12/1899"));
    EXPECT_EQ(shortDate(46366.9), QStringLiteral("10/12/2026"));
    EXPECT_EQ(longTime(9.0 / 86400), QStringLiteral("00:00:09"));
    EXPECT_EQ(longTime(0.5), QStringLiteral("12:00:00"));
    // a line time that spans midnight is shown modulo one day
    EXPECT_EQ(longTime(-60.0 / 86400), QStringLiteral("23:59:00"));
}

}  // namespace
