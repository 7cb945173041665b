// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWarpGauge.h"

#include "VxJob.h"

namespace {
double usedShare(int32_t used, int32_t capacity) {
    return capacity > 0 ? double(used) / capacity : (used > 0 ? 1.0 : 0.0);
}
} // namespace

QColor VxFillColor(int32_t used, int32_t capacity) {
    if (used > capacity) return QColor(220, 0, 0);
    if (10LL * used > 9LL * capacity) return QColor(240, 160, 0);
    return QColor(0, 170, 0);
}

void VxShowWarpGauges(TVxJob& job, const TVxWarpFill& fill) {
    if (fill.LenCapacity <= 0 && fill.WgtCapacity <= 0) {
        job.SetGauges({}, QString());
        return;
    }
    QVector<TVxJobGauge> gauges{
        {usedShare(fill.LenUsed, fill.LenCapacity), VxFillColor(fill.LenUsed, fill.LenCapacity)}};
    if (fill.WeightLimits())
        gauges.push_back({usedShare(fill.WgtUsed, fill.WgtCapacity),
                          VxFillColor(fill.WgtUsed, fill.WgtCapacity)});
    job.SetGauges(gauges, VxWarpFillText(fill));
}
