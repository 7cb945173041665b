// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimelineTips.h"

#include "VxDate.h"
#include "VxTimelineGeometry.h"
#include "VxWarpFill.h"
#include "VxWeaPlan.h"

#include <QCoreApplication>
#include <cmath>

namespace {
// "Wed 09/12/26", with the time when the date carries one.
QString momentText(double date) {
    const bool timed = std::abs(date - std::round(date)) > 1e-6;
    return VxFormatDate(
        timed ? QStringLiteral("ddd dd/mm/yy hh:nn") : QStringLiteral("ddd dd/mm/yy"), date);
}

QString lengthText(double length) {
    const double rounded = std::round(length * 10) / 10;
    return rounded == 1 ? QCoreApplication::translate("VxTimelineTips", "1 day")
                        : QCoreApplication::translate("VxTimelineTips", "%1 days").arg(rounded);
}
} // namespace

QString VxTimelineJobTip(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    QStringList lines{PlanJobCaption(job)};
    if (job.FinishDate > job.StartDate)
        lines << QStringLiteral("%1 \u2013 %2 (%3)")
                     .arg(momentText(job.StartDate), momentText(job.FinishDate),
                          lengthText(job.FinishDate - job.StartDate));
    else
        lines << momentText(job.StartDate);
    for (const TVxPlanItem& item : job.Items)
        lines << QStringLiteral("  ") + PlanItemCaption(item);
    if (job.Kind == TVxPlanJobKind::Warp) {
        lines << PlanJobStatusText(job, refs);
        const TVxWarpFill fill = PlanWarpFill(job, refs);
        if (fill.LenCapacity > 0 || fill.WgtCapacity > 0) lines << VxWarpFillText(fill);
        const int hours = PlanEstWeaveHours(job, refs);
        if (hours > 0)
            lines << QCoreApplication::translate("VxWeaSch", "Est weave time: %1hrs").arg(hours);
    }
    return lines.join(QLatin1Char('\n'));
}

QString VxTimelineLoomTip(const TVxPlanLoom& loom, double share) {
    QString tip = loom.Name;
    if (!loom.LoomType.isEmpty()) tip += QStringLiteral(" : ") + loom.LoomType;
    tip += QLatin1Char('\n') +
           QCoreApplication::translate("VxTimelineTips", "Weaving %1 % of the period")
               .arg(VxRound(100 * share));
    double last = 0;
    for (const TVxPlanJob& job : loom.Jobs)
        last = std::max(last, TVxTimelineGeometry::BarEnd(job));
    tip +=
        QLatin1Char('\n') +
        (loom.Jobs.isEmpty() ? QCoreApplication::translate("VxTimelineTips", "No jobs")
                             : QCoreApplication::translate("VxTimelineTips", "Last job finishes %1")
                                   .arg(momentText(last)));
    return tip;
}

QString VxTimelineDayTip(int day, int busy, int looms) {
    return QCoreApplication::translate("VxTimelineTips", "%1: %2 of %3 looms weaving")
        .arg(momentText(day))
        .arg(busy)
        .arg(looms);
}
