// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimeScale.h"

#include "VxDate.h"

#include <QLocale>
#include <cmath>

namespace {
// Width a lower label needs to stand apart from its neighbours.
constexpr double kLabelRoom = 36;

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// "09/12": written out by hand, as a scale asks for dozens at every paint.
QString dayAndMonth(const QDate& date) {
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month());
}
} // namespace

TVxTimeScale::TVxTimeScale(double dayWidth) : m_dayWidth(dayWidth) {
    if (dayWidth >= 160) {
        m_upper = Unit::Day;
        m_lower = Unit::Hour;
        for (int step : {1, 2, 3, 4, 6, 12}) {
            m_hourStep = step;
            if (step * dayWidth / 24 >= kLabelRoom) break;
        }
    } else if (dayWidth >= 18) {
        m_upper = Unit::Month;
        m_lower = Unit::Day;
    } else if (dayWidth >= 3) {
        m_upper = Unit::Month;
        m_lower = Unit::Week;
    } else {
        m_upper = Unit::Year;
        m_lower = Unit::Month;
    }
}

QVector<TVxScaleMark> TVxTimeScale::Upper(double from, double to, bool labelled) const {
    return marks(m_upper, from, to, labelled);
}

QVector<TVxScaleMark> TVxTimeScale::Lower(double from, double to, bool labelled) const {
    return marks(m_lower, from, to, labelled);
}

QVector<TVxScaleMark> TVxTimeScale::marks(Unit unit, double from, double to, bool labelled) const {
    QVector<TVxScaleMark> out;
    for (double start = unitStart(unit, from); start < to; start = nextStart(unit, start))
        out.push_back({start, labelled ? label(unit, start) : QString(),
                       labelled ? shortLabel(unit, start) : QString()});
    return out;
}

double TVxTimeScale::unitStart(Unit unit, double day) const {
    const double whole = std::floor(day);
    const QDate date = VxDateOf(whole);
    switch (unit) {
    case Unit::Year:
        return VxEncodeDate(date.year(), 1, 1);
    case Unit::Month:
        return VxEncodeDate(date.year(), date.month(), 1);
    case Unit::Week:
        return whole - (date.dayOfWeek() - 1); // Mondays
    case Unit::Day:
        return whole;
    case Unit::Hour:
        break;
    }
    const double step = m_hourStep / 24.0;
    return whole + std::floor((day - whole) / step) * step;
}

double TVxTimeScale::nextStart(Unit unit, double start) const {
    const QDate date = VxDateOf(start);
    switch (unit) {
    case Unit::Year:
        return VxDayOf(date.addYears(1));
    case Unit::Month:
        return VxDayOf(date.addMonths(1));
    case Unit::Week:
        return start + 7;
    case Unit::Day:
        return start + 1;
    case Unit::Hour:
        break;
    }
    // Whole hours from the day's start, so sums of 1/24 do not drift.
    const double day = std::floor(start + 1e-9);
    const long long hour = std::llround((start - day) * 24) + m_hourStep;
    return day + hour / 24.0;
}

QString TVxTimeScale::label(Unit unit, double start) const {
    const QDate date = VxDateOf(start);
    const QLocale locale;
    switch (unit) {
    case Unit::Year:
        return QString::number(date.year());
    case Unit::Month:
        if (m_upper == Unit::Month)
            return locale.standaloneMonthName(date.month()) + QLatin1Char(' ') +
                   QString::number(date.year());
        if (30 * m_dayWidth >= kLabelRoom)
            return locale.standaloneMonthName(date.month(), QLocale::ShortFormat);
        return locale.standaloneMonthName(date.month(), QLocale::NarrowFormat);
    case Unit::Week:
        return 7 * m_dayWidth >= kLabelRoom ? dayAndMonth(date) : QString::number(date.day());
    case Unit::Day:
        if (m_upper == Unit::Day)
            return locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') +
                   dayAndMonth(date) + QLatin1Char('/') + twoDigits(date.year() % 100);
        return m_dayWidth >= kLabelRoom ? locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) +
                                              QLatin1Char(' ') + QString::number(date.day())
                                        : QString::number(date.day());
    case Unit::Hour:
        break;
    }
    const long long minutes = std::llround((start - std::floor(start + 1e-9)) * 24 * 60);
    return twoDigits(int(minutes / 60)) + QLatin1Char(':') + twoDigits(int(minutes % 60));
}

QString TVxTimeScale::shortLabel(Unit unit, double start) const {
    switch (unit) {
    case Unit::Month:
        return QLocale().standaloneMonthName(VxDateOf(start).month(), QLocale::ShortFormat);
    case Unit::Day:
        return dayAndMonth(VxDateOf(start));
    case Unit::Year:
    case Unit::Week:
    case Unit::Hour:
        break;
    }
    return label(unit, start);
}
