#pragma once
// The local clock and the regional formats. Dates are day counts since
// 1899-12-30; times of day are fractions of a day.

#include <QDate>
#include <QDateTime>
#include <QString>


// today's local date as a whole day count
double today();
// the local time of day as a fraction of a day (ms since midnight / ms per day)
double timeOfDay();

// Milliseconds on a clock that only goes forward, from some start of its
// own: setting the system's date and time does not move it. For waits.
qint64 monotonicMs();

// conversions between day counts and dates; a count outside the years 1 to
// 9999 is an invalid date, shown as no date
double dayCount(const QDate& date);
QDate dateOfDayCount(double days);

// The program speaks Brazilian Portuguese on every machine: dates, times and
// numbers are written and read as in Brazil, whatever the system's locale
// (a lab machine under C.UTF-8 would show "10 Dec 2026").
void setProgramLocale();

// regional short date of the whole part of a day count ("10/12/2026")
QString shortDate(double days);
QString shortDate(const QDate& date);
// a time of day (or a duration below one day) in the regional long time
// format ("00:00:09"); values outside 0..1 day are taken modulo one day
QString longTime(double fractionOfDay);

// Test seam: a settable clock. Until set, the real clock runs. Setting it
// stops the monotonic clock too, which then moves only by advance().
namespace clockseam {
void set(const QDateTime& now);
void advance(qint64 ms);
void reset();
}  // namespace clockseam
