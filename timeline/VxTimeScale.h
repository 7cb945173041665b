// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The date scale over the timeline at a zoom: an upper line of large units
// (years, months or days) and a lower line of the units between them (months,
// weeks, days or hours), each unit a mark where it starts, labelled as much
// as its width allows.

#include <QString>
#include <QVector>

struct TVxScaleMark {
    double Date = 0; // where the unit starts (day number)
    QString Label;
    // The label where the full one does not fit ("Nov" for "November 2026").
    QString Short;
};

class TVxTimeScale {
public:
    // dayWidth: pixels per day.
    explicit TVxTimeScale(double dayWidth);

    // The units starting in [from, to), plus the one running at from;
    // without labels where only the lines are drawn.
    QVector<TVxScaleMark> Upper(double from, double to, bool labelled = true) const;
    QVector<TVxScaleMark> Lower(double from, double to, bool labelled = true) const;
    // The lower line is days or hours: weekends can be told apart.
    bool ShowsDays() const { return m_lower == Unit::Day || m_lower == Unit::Hour; }

private:
    enum class Unit { Year, Month, Week, Day, Hour };
    QVector<TVxScaleMark> marks(Unit unit, double from, double to, bool labelled) const;
    // The start of the unit holding day, and the start of the next.
    double unitStart(Unit unit, double day) const;
    double nextStart(Unit unit, double start) const;
    QString label(Unit unit, double start) const;
    QString shortLabel(Unit unit, double start) const;

    double m_dayWidth;
    Unit m_upper;
    Unit m_lower;
    int m_hourStep = 1;
};
