// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How busy the plant is over a period: for each loom the share of the period
// it spends weaving (under its warps), and for each day how many looms weave
// on it. Reeds and downtime are not weaving. Kept up to date loom by loom,
// so a change to one loom costs the days of that loom's warps, not the
// plant's.

#include "VxPlan.h"

#include <QVector>

class TVxPlantLoad {
public:
    // The period runs from the start of day `first` up to the start of day
    // `last` + 1 (whole days); every loom of the plan is counted.
    void Reset(const TVxPlan& plan, int first, int last);
    // Counts the looms again as the plan has them now.
    void Update(const TVxPlan& plan, const QVector<int>& looms);

    int FirstDay() const { return m_first; }
    int DayCount() const { return m_busy.size(); }
    int LoomCount() const { return m_share.size(); }
    // 0 to 1.
    double WeavingShare(int loom) const { return m_share.value(loom); }
    // Looms weaving at some time of the day (0 outside the period).
    int BusyOn(int day) const { return m_busy.value(day - m_first); }

private:
    // The day spans [first, last) the loom weaves, merged and cut to the
    // period.
    QVector<QPair<double, double>> weaving(const TVxPlanLoom& loom) const;
    void count(int loom, const QVector<QPair<double, double>>& spans, int sign);

    int m_first = 0;
    QVector<int> m_busy;
    QVector<double> m_share;
    QVector<QVector<QPair<double, double>>> m_spans;
};
