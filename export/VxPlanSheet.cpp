// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanSheet.h"

#include "VxWeaPlan.h"

#include <QCoreApplication>

namespace {
enum Column {
    Loom,
    LoomType,
    Position,
    Job,
    Kind,
    Description,
    WarpType,
    WarpColour,
    Length,
    Ends,
    DentsPerCm,
    Start,
    Finish,
    Item,
    Fabric,
    Colour,
    WeftColour,
    Pieces,
    RemainingLength,
    RemainingWeight,
    ColumnCount
};

QString kindText(TVxPlanJobKind kind) {
    switch (kind) {
    case TVxPlanJobKind::Reed:
        return QCoreApplication::translate("VxPlanSheet", "Reed");
    case TVxPlanJobKind::Warp:
        return QCoreApplication::translate("VxPlanSheet", "Warp");
    case TVxPlanJobKind::Downtime:
        return QCoreApplication::translate("VxPlanSheet", "Downtime");
    }
    return QString();
}

// A float as its own digits: 7.3f widened to a double is 7.300000190734863.
double floatValue(float value) {
    return QString::number(value, 'g', 7).toDouble();
}

TVxCell text(const QString& value) {
    return value.isEmpty() ? TVxCell() : TVxCell::FromText(value);
}

// The cells a job's row and its items' rows share.
TVxSheetRow jobRow(const TVxPlanLoom& loom, int position, const TVxPlanJob& job) {
    TVxSheetRow row(ColumnCount);
    row[Loom] = text(loom.Name.isEmpty() ? QString::number(loom.ScheduleNo) : loom.Name);
    row[LoomType] = text(loom.LoomType);
    row[Position] = TVxCell::FromNumber(position);
    row[Job] = TVxCell::FromNumber(job.JobNo);
    row[Kind] = TVxCell::FromText(kindText(job.Kind));
    row[WarpType] = text(job.WarpType);
    row[WarpColour] = text(job.WarpCol);
    row[Start] = TVxCell::FromDate(job.StartDate);
    row[Finish] = TVxCell::FromDate(job.FinishDate);
    return row;
}

void fillJobFields(TVxSheetRow& row, const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        row[Ends] = TVxCell::FromNumber(job.TotalEnds);
        row[DentsPerCm] = TVxCell::FromNumber(floatValue(job.DentsPerCm));
        break;
    case TVxPlanJobKind::Warp: {
        row[Length] = TVxCell::FromNumber(job.WarpLen);
        if (const TWarpInfo* info = refs.WarpInfo(job.WarpType))
            row[Ends] = TVxCell::FromNumber(info->TotalEnds);
        const TVxWarpRemaining remaining = PlanWarpRemaining(job, refs);
        row[RemainingLength] = TVxCell::FromNumber(remaining.Len);
        row[RemainingWeight] = TVxCell::FromNumber(remaining.Wgt);
        break;
    }
    case TVxPlanJobKind::Downtime:
        row[Description] = text(job.Descr);
        break;
    }
}

TVxSheetRow itemRow(TVxSheetRow row, const TVxPlanItem& item) {
    row[Kind] = TVxCell::FromText(QCoreApplication::translate("VxPlanSheet", "Fabric"));
    row[Item] = TVxCell::FromNumber(item.ItemNo);
    row[Fabric] = text(item.FabricStru);
    row[Colour] = text(item.FabricCol);
    row[WeftColour] = text(item.WeftCol);
    row[Pieces] = TVxCell::FromNumber(item.Pieces);
    return row;
}
} // namespace

QStringList VxPlanSheetHeaders() {
    static const char* const headers[] = {
        QT_TRANSLATE_NOOP("VxPlanSheet", "Loom"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Loom Type"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Position"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Job"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Kind"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Description"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Warp Type"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Warp Colour"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Length (m)"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Ends"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Dents/cm"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Start"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Finish"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Item"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Fabric"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Colour"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Weft Colour"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Pieces"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Remaining Length (m)"),
        QT_TRANSLATE_NOOP("VxPlanSheet", "Remaining Weight (kg)"),
    };
    QStringList texts;
    for (const char* header : headers)
        texts << QCoreApplication::translate("VxPlanSheet", header);
    return texts;
}

TVxSheet VxPlanSheet(const TVxPlan& plan, const TVxWeaveRefs& refs) {
    TVxSheet sheet;
    sheet.Name = QCoreApplication::translate("VxPlanSheet", "Plan");
    sheet.Headers = VxPlanSheetHeaders();
    sheet.Rows.reserve(plan.JobCount() + plan.ItemCount());
    for (const TVxPlanLoom& loom : plan.Looms) {
        for (int i = 0; i < loom.Jobs.size(); ++i) {
            const TVxPlanJob& job = loom.Jobs[i];
            const TVxSheetRow shared = jobRow(loom, i + 1, job);
            TVxSheetRow row = shared;
            fillJobFields(row, job, refs);
            sheet.Rows.append(row);
            for (const TVxPlanItem& item : job.Items)
                sheet.Rows.append(itemRow(shared, item));
        }
    }
    return sheet;
}
