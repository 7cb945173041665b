#include "VxWeaSch.h"

#include "VxAbort.h"
#include "VxDate.h"

#include <QColor>
#include <QFont>
#include <cmath>
#include <limits>

namespace {
QFont plainFont(QFont font) {
    font.setBold(false);
    return font;
}

// Capacities are shown in 32 bits; figures beyond that only come from absurd
// data and are held at the limit rather than wrapped.
int32_t roundToInt32(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(VxRound(value));
}

QString jobCaption(int jobNo, const QString& text) {
    return QString::number(jobNo) + QStringLiteral(":  ") + text;
}
} // namespace

QColor VxReedColor() {
    return QColor(0, 128, 0);
}
QColor VxDowntimeColor() {
    return QColor(128, 0, 128);
}

// ---------------------------------------------------------------- reed job

TVxReedJob::TVxReedJob() {
    SetCaptionColor(VxReedColor());
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxReedJob::SetTotalEnds(int32_t value) {
    m_totalEnds = value;
    updateCaption();
}

void TVxReedJob::SetDentsPerCm(float value) {
    m_dentsPerCm = value;
    updateCaption();
}

void TVxReedJob::updateCaption() {
    SetUpperCaption(jobCaption(JobNo, QStringLiteral("Reed ") + QString::number(m_totalEnds)));
}

// ---------------------------------------------------------------- warp job

TVxWeaveJob::TVxWeaveJob() {
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxWeaveJob::SetWarpType(const QString& value) {
    m_warpType = value;
    updateCaption();
}

void TVxWeaveJob::SetWarpCol(const QString& value) {
    m_warpCol = value;
    updateCaption();
}

void TVxWeaveJob::SetWarpLen(int32_t value) {
    m_warpLen = value;
    updateCaption();
}

void TVxWeaveJob::SetRemainingLen(int32_t value) {
    m_remainingLen = value;
    updateStatus();
}

void TVxWeaveJob::SetRemainingWgt(int32_t value) {
    m_remainingWgt = value;
    updateStatus();
}

void TVxWeaveJob::SetEstWeaveHours(int32_t value) {
    m_estWeaveHours = value;
    DatesRow.Hint = QStringLiteral("Est weave time: %1hrs").arg(value);
    DatesRow.ShowHint = value > 0;
}

QString TVxWeaveJob::WarpKey() const {
    return MakeWarpKey(m_warpType, m_warpCol);
}

void TVxWeaveJob::updateCaption() {
    SetUpperCaption(jobCaption(JobNo, WarpKey() + QLatin1Char(' ') + QString::number(m_warpLen) +
                                          QLatin1Char('m')));
}

void TVxWeaveJob::updateStatus() {
    SetStatusText(QStringLiteral("Rem: %1m / %2kg").arg(m_remainingLen).arg(m_remainingWgt));
}

// ------------------------------------------------------------ downtime job

TVxDowntimeJob::TVxDowntimeJob() {
    SetCaptionColor(VxDowntimeColor());
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxDowntimeJob::SetDescr(const QString& value) {
    m_descr = value;
    SetUpperCaption(jobCaption(JobNo, m_descr));
}

// ------------------------------------------------------------ fabric item

TVxWeaveJobItem::TVxWeaveJobItem() = default;

void TVxWeaveJobItem::SetFabricStru(const QString& value) {
    m_fabricStru = value;
    updateCaption();
}

void TVxWeaveJobItem::SetFabricCol(const QString& value) {
    m_fabricCol = value;
    updateCaption();
}

void TVxWeaveJobItem::SetWeftCol(const QString& value) {
    m_weftCol = value;
    updateCaption();
}

void TVxWeaveJobItem::SetPieces(int32_t value) {
    m_pieces = value;
    updateCaption();
}

QString TVxWeaveJobItem::FabricKey() const {
    return MakeFabricKey(m_fabricStru, m_fabricCol, m_weftCol);
}

TVxWeaveJob* TVxWeaveJobItem::WeaveJob() const {
    auto* job = dynamic_cast<TVxWeaveJob*>(Job());
    if (!job) throw EVxError(QStringLiteral("Fabric item %1 is not on a warp job").arg(ItemNo));
    return job;
}

void TVxWeaveJobItem::updateCaption() {
    SetCaption(FabricItemCaption(FabricKey(), m_pieces));
}

QString FabricItemCaption(const QString& fabricKey, int32_t pieces) {
    QString caption = fabricKey + QLatin1Char('/') + QString::number(pieces) + QStringLiteral("pc");
    if (pieces >= 2) caption += QLatin1Char('s');
    return caption;
}

// ---------------------------------------------------------------- routines

const TWarpInfo* TVxWeaveContext::WarpInfo(const QString& warpType) const {
    return WarpInfos ? WarpInfos->Find(warpType) : nullptr;
}

const TFabricInfo* TVxWeaveContext::FabricInfo(const QString& fabricStru) const {
    return FabricInfos ? FabricInfos->Find(fabricStru) : nullptr;
}

TVxWeaveJobItem* AddWeaveItem(TVxJob* job, int itemNo, const QString& fabricStru,
                              const QString& fabricCol, const QString& weftCol, int32_t pieces) {
    if (!job) throw EVxError(QStringLiteral("No job to add the fabric item to"));
    auto* item = new TVxWeaveJobItem;
    item->ItemNo = itemNo;
    item->SetFabricStru(fabricStru);
    item->SetFabricCol(fabricCol);
    item->SetWeftCol(weftCol);
    item->SetPieces(pieces);
    job->InsertItem(item);
    return item;
}

QString JobKindText(const TVxJob* job) {
    if (auto* warp = dynamic_cast<const TVxWeaveJob*>(job)) return warp->WarpKey();
    if (dynamic_cast<const TVxReedJob*>(job)) return QStringLiteral("Reed");
    if (auto* downtime = dynamic_cast<const TVxDowntimeJob*>(job)) return downtime->Descr();
    return QString();
}

void UpdateCapacity(TVxJob* job, const TVxWeaveContext& context) {
    auto* warp = dynamic_cast<TVxWeaveJob*>(job);
    if (!warp) return;
    // A fabric missing from the reference data (a stored scenario outliving
    // its fabric type) takes nothing: its figures are unknown.
    long long lengthSum = 0;
    long long weightSum = 0;
    for (int i = 0; i < warp->ItemCount(); ++i) {
        auto* item = dynamic_cast<TVxWeaveJobItem*>(warp->Items(i));
        if (!item) continue;
        const TFabricInfo* fabric = context.FabricInfo(item->FabricStru());
        if (!fabric) continue;
        lengthSum += static_cast<long long>(fabric->PieceLen) * item->Pieces();
        weightSum += VxRound(static_cast<double>(item->Pieces()) * fabric->WarpPceWgt);
    }
    // An unknown warp type offers no capacity, and neither does a warp type
    // without a standard length: there is no weight share to divide.
    double greigeLen = 0;
    double warpWeight = 0;
    if (const TWarpInfo* info = context.WarpInfo(warp->WarpType())) {
        greigeLen = warp->WarpLen() * static_cast<double>(info->GreigeFraction);
        if (info->WarpLen != 0)
            warpWeight = static_cast<double>(warp->WarpLen()) / info->WarpLen * info->WarpWgt *
                         info->GreigeFraction;
    }
    warp->SetRemainingLen(roundToInt32(greigeLen - static_cast<double>(lengthSum)));
    warp->SetRemainingWgt(roundToInt32(warpWeight - static_cast<double>(weightSum)));
}

void UpdateWeaveTime(TVxJob* job, const TVxWeaveContext& context) {
    auto* warp = dynamic_cast<TVxWeaveJob*>(job);
    if (!warp) return;
    float hours = 0;
    for (int i = 0; i < warp->ItemCount(); ++i) {
        auto* item = dynamic_cast<TVxWeaveJobItem*>(warp->Items(i));
        if (!item) continue;
        // Each product is formed wide and the running sum kept in single
        // precision.
        if (const TFabricInfo* fabric = context.FabricInfo(item->FabricStru()))
            hours = static_cast<float>(hours +
                                       static_cast<double>(fabric->HrsPerPiece) * item->Pieces());
    }
    warp->SetEstWeaveHours(roundToInt32(hours));
    if ((warp->FinishDate() - warp->StartDate()) * 24 < hours) {
        warp->SetFinishDate(warp->StartDate() + roundToInt32(static_cast<double>(hours) / 24));
        if (TVxJobSchedule* schedule = warp->Schedule()) UpdateFooter(schedule, context);
    }
}

void CheckCapacity(const TVxJob* job, const QString& fabricStru, int32_t addedPieces,
                   const TVxWeaveContext& context) {
    auto* warp = dynamic_cast<const TVxWeaveJob*>(job);
    if (!warp) return;
    const TFabricInfo* fabric = context.FabricInfo(fabricStru);
    if (!fabric && addedPieces != 0)
        throw EVxError(QStringLiteral("Unknown fabric structure: ") + fabricStru);
    const TFabricInfo none;
    if (!fabric) fabric = &none;
    // 64 bits: a piece count typed by hand may be far beyond what fits.
    const long long lengthLeft =
        warp->RemainingLen() - static_cast<long long>(fabric->PieceLen) * addedPieces;
    const long long weightNeeded = VxRound(static_cast<double>(addedPieces) * fabric->WarpPceWgt);
    const long long weightLeft = warp->RemainingWgt() - weightNeeded;
    if (lengthLeft < 0)
        throw EVxError(QStringLiteral("Length over capacity by %1m").arg(-lengthLeft));
    if (weightLeft < 0)
        throw EVxError(QStringLiteral("Weight over capacity by %1kg").arg(-weightLeft));
}

void UpdateFooter(TVxJobSchedule* schedule, const TVxWeaveContext& context) {
    if (context.IsBulkUpdate()) return;
    if (schedule->JobCount() == 0)
        schedule->SetFooter(QString());
    else
        schedule->SetFooter(QStringLiteral("Finish: ") +
                            VxDateToStr(schedule->Jobs(schedule->JobCount() - 1)->FinishDate()));
}

void SetJobMenuCaptions(TVxJob* job) {
    QString kind;
    if (dynamic_cast<TVxReedJob*>(job))
        kind = QStringLiteral("Reed");
    else if (dynamic_cast<TVxDowntimeJob*>(job))
        kind = QStringLiteral("Downtime");
    else
        return;
    job->MenuCaptions().AddItem.clear();
    job->MenuCaptions().ClearItems.clear();
    job->MenuCaptions().EditJob = QStringLiteral("&Edit %1...").arg(kind);
    job->MenuCaptions().RemoveJob = QStringLiteral("&Remove %1").arg(kind);
}
