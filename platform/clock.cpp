#include "clock.h"

#include <QLocale>
#include <QTime>
#include <chrono>
#include <cmath>
#include <optional>

namespace {

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;
const QDate kDayZero(1899, 12, 30);

std::optional<QDateTime>& fixedNow()
{
    static std::optional<QDateTime> now;
    return now;
}

QDateTime now()
{
    return fixedNow() ? *fixedNow() : QDateTime::currentDateTime();
}

std::optional<qint64>& fixedMonotonic()
{
    static std::optional<qint64> ms;
    return ms;
}

qint64 realMonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The long time format without the time zone, which makes no sense for a
// duration ("HH:mm:ss t" -> "HH:mm:ss").
QString longTimeFormat()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return format.trimmed();
}

}  // namespace

double today()
{
    return dayCount(now().date());
}

double timeOfDay()
{
    return double(now().time().msecsSinceStartOfDay()) / double(kMsPerDay);
}

qint64 monotonicMs()
{
    return fixedMonotonic() ? *fixedMonotonic() : realMonotonicMs();
}

double dayCount(const QDate& date)
{
    return double(kDayZero.daysTo(date));
}

// A damaged file may hold any double: a count outside the years 1 to 9999
// (or no number at all) is no date.
QDate dateOfDayCount(double days)
{
    static const double first = dayCount(QDate(1, 1, 1));
    static const double last = dayCount(QDate(9999, 12, 31));
    if (!(days >= first && days < last + 1))
        return {};
    return kDayZero.addDays(qint64(std::trunc(days)));
}

void setProgramLocale()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

QString shortDate(double days)
{
    return shortDate(dateOfDayCount(days));
}

QString shortDate(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString longTime(double fractionOfDay)
{
    qint64 ms = qint64(std::llround(fractionOfDay * double(kMsPerDay))) % kMsPerDay;
    if (ms < 0)
        ms += kMsPerDay;
    return QTime::fromMSecsSinceStartOfDay(int(ms)).toString(longTimeFormat());
}

namespace clockseam {

void set(const QDateTime& value)
{
    fixedNow() = value;
    fixedMonotonic() = monotonicMs();
}

void advance(qint64 ms)
{
    fixedNow() = now().addMSecs(ms);
    fixedMonotonic() = monotonicMs() + ms;
}

void reset()
{
    fixedNow().reset();
    fixedMonotonic().reset();
}

}  // namespace clockseam
