// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWeaPlan.h"

#include "VxAbort.h"
#include "VxDate.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace {
// Capacities are shown in 32 bits; figures beyond that only come from absurd
// data and are held at the limit rather than wrapped.
int32_t roundToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(VxRound(value));
}

// A whole figure in plain decimal digits, however large.
QString wholeText(double value) {
    return QString::number(value, 'f', 0);
}

QString jobCaption(int jobNo, const QString& text) {
    return QString::number(jobNo) + QStringLiteral(":  ") + text;
}
} // namespace

QString VxReedText() {
    return QCoreApplication::translate("VxWeaPlan", "Reed");
}

QString VxReedCaption(int jobNo, int32_t totalEnds) {
    return jobCaption(jobNo, QCoreApplication::translate("VxWeaPlan", "Reed %1").arg(totalEnds));
}

QString VxWarpCaption(int jobNo, const QString& warpKey, int32_t warpLen) {
    return jobCaption(jobNo,
                      warpKey + QLatin1Char(' ') + QString::number(warpLen) + QLatin1Char('m'));
}

QString VxDowntimeCaption(int jobNo, const QString& descr) {
    return jobCaption(jobNo, descr);
}

QString VxFabricItemCaption(const QString& fabricKey, int32_t pieces) {
    return (pieces >= 2 ? QCoreApplication::translate("VxWeaPlan", "%1/%2pcs")
                        : QCoreApplication::translate("VxWeaPlan", "%1/%2pc"))
        .arg(fabricKey, QString::number(pieces));
}

QString VxWarpStatusText(const TVxWarpRemaining& remaining) {
    return QCoreApplication::translate("VxWeaPlan", "Rem: %1m / %2kg")
        .arg(remaining.Len)
        .arg(remaining.Wgt);
}

QString PlanWarpKey(const TVxPlanJob& job) {
    return MakeWarpKey(job.WarpType, job.WarpCol);
}

QString PlanFabricKey(const TVxPlanItem& item) {
    return MakeFabricKey(item.FabricStru, item.FabricCol, item.WeftCol);
}

QString PlanJobCaption(const TVxPlanJob& job) {
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        return VxReedCaption(job.JobNo, job.TotalEnds);
    case TVxPlanJobKind::Warp:
        return VxWarpCaption(job.JobNo, PlanWarpKey(job), job.WarpLen);
    case TVxPlanJobKind::Downtime:
        return VxDowntimeCaption(job.JobNo, job.Descr);
    }
    return QString();
}

QString PlanItemCaption(const TVxPlanItem& item) {
    return VxFabricItemCaption(PlanFabricKey(item), item.Pieces);
}

QString PlanJobKindText(const TVxPlanJob& job) {
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        return VxReedText();
    case TVxPlanJobKind::Warp:
        return PlanWarpKey(job);
    case TVxPlanJobKind::Downtime:
        return job.Descr;
    }
    return QString();
}

QString PlanJobLabel(const TVxPlanJob& job) {
    static const char* const labels[] = {QT_TRANSLATE_NOOP("VxWeaPlan", "reed %1"),
                                         QT_TRANSLATE_NOOP("VxWeaPlan", "warp %1"),
                                         QT_TRANSLATE_NOOP("VxWeaPlan", "downtime %1")};
    return QCoreApplication::translate("VxWeaPlan", labels[int(job.Kind)]).arg(job.JobNo);
}

QString PlanFabricLabel(const TVxPlanItem& item) {
    return QCoreApplication::translate("VxWeaPlan", "fabric %1").arg(PlanItemCaption(item));
}

TVxWarpRemaining WarpRemaining(const QString& warpType, int32_t warpLen,
                               const QVector<TVxPlanItem>& items, const TVxWeaveRefs& refs) {
    // A fabric missing from the reference data (a stored scenario outliving
    // its fabric type) takes nothing: its figures are unknown. Sums in
    // double: whole numbers are exact far beyond any real warp, and absurd
    // counts cannot wrap.
    double lengthSum = 0;
    double weightSum = 0;
    for (const TVxPlanItem& item : items) {
        const TFabricInfo* fabric = refs.FabricInfo(item.FabricStru);
        if (!fabric) continue;
        lengthSum += static_cast<double>(fabric->PieceLen) * item.Pieces;
        weightSum += std::nearbyint(static_cast<double>(item.Pieces) * fabric->WarpPceWgt);
    }
    // An unknown warp type offers no capacity, and neither does a warp type
    // without a standard length: there is no weight share to divide.
    double greigeLen = 0;
    double warpWeight = 0;
    if (const TWarpInfo* info = refs.WarpInfo(warpType)) {
        greigeLen = warpLen * static_cast<double>(info->GreigeFraction);
        if (info->WarpLen != 0)
            warpWeight =
                static_cast<double>(warpLen) / info->WarpLen * info->WarpWgt * info->GreigeFraction;
    }
    return {roundToInt32(greigeLen - lengthSum), roundToInt32(warpWeight - weightSum)};
}

TVxWarpRemaining PlanWarpRemaining(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp) return {};
    return WarpRemaining(job.WarpType, job.WarpLen, job.Items, refs);
}

QString PlanJobStatusText(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp) return QString();
    return VxWarpStatusText(PlanWarpRemaining(job, refs));
}

void CheckCapacity(const TVxWarpRemaining& left, const QString& fabricStru, long long addedPieces,
                   const TVxWeaveRefs& refs) {
    const TFabricInfo* fabric = refs.FabricInfo(fabricStru);
    if (!fabric && addedPieces != 0)
        throw EVxError(QCoreApplication::translate("VxWeaPlan", "Unknown fabric structure: %1")
                           .arg(fabricStru));
    const TFabricInfo none;
    if (!fabric) fabric = &none;
    // In double: a piece count typed by hand, or a weight beyond any integer
    // type, is refused as over capacity instead of wrapping. "Not at least
    // 0" also refuses a figure that is not a number.
    const double lengthLeft = left.Len - static_cast<double>(fabric->PieceLen) * addedPieces;
    const double weightNeeded =
        std::nearbyint(static_cast<double>(addedPieces) * fabric->WarpPceWgt);
    const double weightLeft = left.Wgt - weightNeeded;
    if (!(lengthLeft >= 0))
        throw EVxError(QCoreApplication::translate("VxWeaPlan", "Length over capacity by %1m")
                           .arg(wholeText(-lengthLeft)));
    if (!(weightLeft >= 0))
        throw EVxError(QCoreApplication::translate("VxWeaPlan", "Weight over capacity by %1kg")
                           .arg(wholeText(-weightLeft)));
}

void CheckCapacity(const TVxPlanJob& job, const QString& fabricStru, long long addedPieces,
                   const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp) return;
    CheckCapacity(PlanWarpRemaining(job, refs), fabricStru, addedPieces, refs);
}

float PlanWeaveHours(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp) return 0;
    float hours = 0;
    // Each product is formed wide and the running sum kept in single
    // precision.
    for (const TVxPlanItem& item : job.Items)
        if (const TFabricInfo* fabric = refs.FabricInfo(item.FabricStru))
            hours =
                static_cast<float>(hours + static_cast<double>(fabric->HrsPerPiece) * item.Pieces);
    return hours;
}

int32_t PlanEstWeaveHours(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    return roundToInt32(PlanWeaveHours(job, refs));
}

void StretchForWeaveTime(TVxPlanJob& job, const TVxWeaveRefs& refs) {
    const float hours = PlanWeaveHours(job, refs);
    if ((job.FinishDate - job.StartDate) * 24 < hours)
        job.FinishDate = job.StartDate + roundToInt32(static_cast<double>(hours) / 24);
}

int32_t ReedEndsAt(const TVxPlanLoom& loom, int index) {
    for (int i = std::min(index, int(loom.Jobs.size()) - 1); i >= 0; --i)
        if (loom.Jobs[i].Kind == TVxPlanJobKind::Reed) return loom.Jobs[i].TotalEnds;
    return 0;
}

bool ReedHasWarpBelow(const TVxPlanLoom& loom, int reedIndex) {
    for (int i = reedIndex + 1; i < loom.Jobs.size(); ++i) {
        if (loom.Jobs[i].Kind == TVxPlanJobKind::Reed) return false;
        if (loom.Jobs[i].Kind == TVxPlanJobKind::Warp) return true;
    }
    return false;
}

void ChainJobDates(TVxPlanLoom& loom) {
    if (loom.Jobs.size() < 2) return;
    double running = loom.StartDate;
    for (TVxPlanJob& job : loom.Jobs) {
        const double duration = job.FinishDate != 0 ? job.FinishDate - job.StartDate : 0;
        if (running != 0) job.StartDate = running;
        if (job.FinishDate != 0) {
            job.FinishDate = job.StartDate + duration;
            running = job.FinishDate;
        }
    }
}

void SettleLoom(TVxPlanLoom& loom, const TVxWeaveRefs& refs) {
    for (TVxPlanJob& job : loom.Jobs)
        if (job.Kind == TVxPlanJobKind::Warp) StretchForWeaveTime(job, refs);
    ChainJobDates(loom);
}

QString LoomFooter(const TVxPlanLoom& loom) {
    if (loom.Jobs.isEmpty()) return QString();
    return QCoreApplication::translate("VxWeaPlan", "Finish: %1")
        .arg(VxDateToStr(loom.Jobs.last().FinishDate));
}
