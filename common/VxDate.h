// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dates as day numbers: whole days since 30 December 1899 in a double, the
// fraction being the time of day. Date texts use the classic format letters:
// d dd ddd dddd (day, name), m mm mmm mmmm (month, name), yy yyyy, hh nn ss,
// am/pm, a/p or ampm (case as written; puts hh on the 12-hour clock); m or
// mm right after an hour is minutes.

#include <QDate>
#include <QString>

using TDateTime = double;

// Day number of a calendar date, and back (the time of day is dropped).
TDateTime VxDayOf(const QDate& date);
QDate VxDateOf(TDateTime day);
TDateTime VxEncodeDate(int year, int month, int day);
void VxDecodeDate(TDateTime day, int& year, int& month, int& dayOfMonth);

// Today's date without the time of day.
TDateTime VxToday();

// Formats a day number with a format of the letters above; names of months
// and days come from the program's locale (QLocale's default). Other characters are copied, and
// text inside double or single quotes is copied as it stands.
QString VxFormatDate(const QString& format, TDateTime day);

// The day as "dd/mm/yyyy" in digits, as VxFormatDate writes it with that
// format but without reading the format or the locale: for lists that write
// thousands of dates.
QString VxDayText(TDateTime day);

// The program-wide short date format used by the default date conversion
// ("dd/mm/yy" once the main window has started). Starts as the locale's.
QString VxShortDateFormat();
void VxSetShortDateFormat(const QString& format);

// Default date conversion in the short date format.
QString VxDateToStr(TDateTime day);
// Reads a date written in the short date format (day, month and year in the
// format's order, any separators). Two-digit years fall within 50 years of
// today. Returns false when the text is not a valid date.
bool VxTryStrToDate(const QString& text, TDateTime& day);

// Halves to the even neighbour, as every capacity and hour figure is rounded.
// Values beyond long long's range saturate at its ends and NaN gives 0:
// converting them as they stand would be undefined.
inline long long VxRound(double value);

#include <cmath>
#include <limits>
inline long long VxRound(double value) {
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (std::isnan(value)) return 0;
    if (value >= limit) return std::numeric_limits<long long>::max();
    if (value < -limit) return std::numeric_limits<long long>::min();
    return static_cast<long long>(std::nearbyint(value));
}
