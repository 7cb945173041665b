// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimelineGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
// The least width of a bar on the chart, in pixels: a reed is a mark, the
// others are at least a sliver that can be clicked.
constexpr int kReedWidth = 7;
constexpr int kLeastWidth = 3;
} // namespace

int TVxTimelineGeometry::LoomAt(int y) const {
    const int offset = y - ChartTop() + ScrollY;
    if (y < ChartTop() || offset < 0 || RowHeight <= 0) return -1;
    const int loom = offset / RowHeight;
    return loom < LoomCount ? loom : -1;
}

int TVxTimelineGeometry::ContentWidth() const {
    return int(std::ceil((PeriodEnd - PeriodStart) * DayWidth));
}

double TVxTimelineGeometry::BarEnd(const TVxPlanJob& job) {
    return job.FinishDate > job.StartDate ? job.FinishDate : job.StartDate;
}

QRect TVxTimelineGeometry::BarRect(int loom, const TVxPlanJob& job) const {
    const int left = int(std::lround(X(job.StartDate)));
    const int right = int(std::lround(X(BarEnd(job))));
    const int top = RowTop(loom);
    switch (job.Kind) {
    case TVxPlanJobKind::Warp:
        return QRect(left, top + 3, std::max(right - left, kLeastWidth), RowHeight - 6);
    case TVxPlanJobKind::Downtime:
        return QRect(left, top + 5, std::max(right - left, kLeastWidth), RowHeight - 10);
    case TVxPlanJobKind::Reed:
        break;
    }
    return QRect(left, top + 2, std::max(right - left, kReedWidth), RowHeight - 4);
}

int TVxTimelineGeometry::JobAt(int loom, const TVxPlanLoom& plan, const QPoint& point) const {
    // Reeds are drawn over the other bars, the later bar over the earlier:
    // the top one takes the click.
    int found = -1;
    for (int j = plan.Jobs.size() - 1; j >= 0; --j) {
        const TVxPlanJob& job = plan.Jobs[j];
        if (!BarRect(loom, job).contains(point)) continue;
        if (job.Kind == TVxPlanJobKind::Reed) return j;
        if (found < 0) found = j;
    }
    return found;
}
