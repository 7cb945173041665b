#include "VxWarpGauge.h"

#include "VxDate.h"
#include "VxJob.h"

namespace {
QString usedText(const QString& what, int32_t used, int32_t capacity, const QString& unit) {
    QString text =
        QStringLiteral("%1 used: %2 of %3 %4").arg(what).arg(used).arg(capacity).arg(unit);
    if (capacity > 0) text += QStringLiteral(" (%1 %)").arg(VxRound(100.0 * used / capacity));
    if (used > capacity) text += QStringLiteral(", %1 %2 over").arg(used - capacity).arg(unit);
    return text;
}

double share(int32_t used, int32_t capacity) {
    return capacity > 0 ? double(used) / capacity : (used > 0 ? 1.0 : 0.0);
}
} // namespace

QColor VxFillColor(int32_t used, int32_t capacity) {
    if (used > capacity) return QColor(220, 0, 0);
    if (10LL * used > 9LL * capacity) return QColor(240, 160, 0);
    return QColor(0, 170, 0);
}

QString VxWarpFillText(const TVxWarpFill& fill) {
    return usedText(QStringLiteral("Length"), fill.LenUsed, fill.LenCapacity, QStringLiteral("m")) +
           QLatin1Char('\n') +
           usedText(QStringLiteral("Weight"), fill.WgtUsed, fill.WgtCapacity, QStringLiteral("kg"));
}

void VxShowWarpGauges(TVxJob& job, const TVxWarpFill& fill) {
    if (fill.LenCapacity <= 0 && fill.WgtCapacity <= 0) {
        job.SetGauges({}, QString());
        return;
    }
    QVector<TVxJobGauge> gauges{
        {share(fill.LenUsed, fill.LenCapacity), VxFillColor(fill.LenUsed, fill.LenCapacity)}};
    if (fill.WeightLimits())
        gauges.push_back(
            {share(fill.WgtUsed, fill.WgtCapacity), VxFillColor(fill.WgtUsed, fill.WgtCapacity)});
    job.SetGauges(gauges, VxWarpFillText(fill));
}
