#include "VxWarpFill.h"

#include "VxDate.h"
#include "VxWeaPlan.h"

namespace {
QString usedText(const QString& what, int32_t used, int32_t capacity, const QString& unit) {
    QString text =
        QStringLiteral("%1 used: %2 of %3 %4").arg(what).arg(used).arg(capacity).arg(unit);
    if (capacity > 0) text += QStringLiteral(" (%1 %)").arg(VxRound(100.0 * used / capacity));
    if (used > capacity) text += QStringLiteral(", %1 %2 over").arg(used - capacity).arg(unit);
    return text;
}

} // namespace

TVxWarpFill PlanWarpFill(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp || !refs.WarpInfo(job.WarpType)) return {};
    // What the bare warp offers less what is left: the same rounding as the
    // status row's "Rem:", so the figures always add up.
    const TVxWarpRemaining bare = WarpRemaining(job.WarpType, job.WarpLen, {}, refs);
    const TVxWarpRemaining left = PlanWarpRemaining(job, refs);
    TVxWarpFill fill;
    fill.LenCapacity = bare.Len;
    fill.LenUsed = bare.Len - left.Len;
    fill.WgtCapacity = bare.Wgt;
    fill.WgtUsed = bare.Wgt - left.Wgt;
    return fill;
}

QString VxWarpFillText(const TVxWarpFill& fill) {
    return usedText(QStringLiteral("Length"), fill.LenUsed, fill.LenCapacity, QStringLiteral("m")) +
           QLatin1Char('\n') +
           usedText(QStringLiteral("Weight"), fill.WgtUsed, fill.WgtCapacity, QStringLiteral("kg"));
}
