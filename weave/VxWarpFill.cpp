// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWarpFill.h"

#include "VxDate.h"
#include "VxWeaPlan.h"

#include <QCoreApplication>

namespace {
// "Length used: 2650 of 2850 m (93 %)", and ", 40 m over" when it is.
QString usedText(const char* usedOf, const char* over, int32_t used, int32_t capacity) {
    QString text = QCoreApplication::translate("VxWarpFill", usedOf).arg(used).arg(capacity);
    if (capacity > 0) text += QStringLiteral(" (%1 %)").arg(VxRound(100.0 * used / capacity));
    if (used > capacity)
        text += QCoreApplication::translate("VxWarpFill", over).arg(used - capacity);
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
    return usedText(QT_TRANSLATE_NOOP("VxWarpFill", "Length used: %1 of %2 m"),
                    QT_TRANSLATE_NOOP("VxWarpFill", ", %1 m over"), fill.LenUsed,
                    fill.LenCapacity) +
           QLatin1Char('\n') +
           usedText(QT_TRANSLATE_NOOP("VxWarpFill", "Weight used: %1 of %2 kg"),
                    QT_TRANSLATE_NOOP("VxWarpFill", ", %1 kg over"), fill.WgtUsed,
                    fill.WgtCapacity);
}
