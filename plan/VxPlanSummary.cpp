// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanSummary.h"

#include "VxDate.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>
#include <cmath>

namespace {
const QChar kKeySeparator = QLatin1Char('|');

std::optional<double> plus(const std::optional<double>& sum, const std::optional<double>& value) {
    if (!value) return sum;
    return sum.value_or(0) + *value;
}

// Missing from one plan: nothing of it planned, though a figure whose rate
// is unknown stays unknown.
std::optional<double> zeroUnless(bool unknown) {
    return unknown ? std::nullopt : std::optional<double>(0);
}

TVxSummaryTable loomTable(const TVxPlanFigures& before, const TVxPlanFigures& after,
                          const std::function<QString(int)>& loomName) {
    TVxSummaryTable table;
    table.Title = QCoreApplication::translate("VxPlanSummary", "Looms");
    table.KeyHeadings = {QCoreApplication::translate("VxPlanSummary", "Loom")};
    table.Figures = {
        {QCoreApplication::translate("VxPlanSummary", "Last finish"), TVxFigureKind::Date},
        {QCoreApplication::translate("VxPlanSummary", "Downtime days"), TVxFigureKind::Days}};
    QHash<int, int> rowOf;
    auto add = [&](const TVxPlanFigures::TLoom& loom, bool isAfter) {
        auto found = rowOf.find(loom.ScheduleNo);
        if (found == rowOf.end()) {
            found = rowOf.insert(loom.ScheduleNo, int(table.Rows.size()));
            table.Rows.append(
                {{loomName ? loomName(loom.ScheduleNo) : QString::number(loom.ScheduleNo)},
                 {std::nullopt, std::nullopt},
                 {std::nullopt, std::nullopt}});
        }
        auto& figures = isAfter ? table.Rows[*found].After : table.Rows[*found].Before;
        figures = {loom.LastFinish, loom.DowntimeDays};
    };
    for (const TVxPlanFigures::TLoom& loom : after.Looms)
        add(loom, true);
    for (const TVxPlanFigures::TLoom& loom : before.Looms)
        add(loom, false);
    return table;
}

// Rows by key in code order; a key missing from one plan reads as nothing
// planned there.
template <typename Figure, typename Values>
void keyedRows(TVxSummaryTable& table, const QHash<QString, Figure>& before,
               const QHash<QString, Figure>& after, Values values) {
    QMap<QString, int> keys;
    for (auto it = before.begin(); it != before.end(); ++it)
        keys.insert(it.key(), 0);
    for (auto it = after.begin(); it != after.end(); ++it)
        keys.insert(it.key(), 0);
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        const auto b = before.find(it.key());
        const auto a = after.find(it.key());
        const Figure* known = b != before.end() ? &*b : &*a;
        TVxSummaryRow row;
        row.Keys = TVxPlanFigures::KeyParts(it.key());
        row.Before = b != before.end() ? values(*b) : values(Figure{}, *known);
        row.After = a != after.end() ? values(*a) : values(Figure{}, *known);
        table.Rows.append(row);
    }
}
} // namespace

QString TVxOutputRates::FabricKey(const QString& fabricStru, const QString& fabricCol) {
    return TVxPlanFigures::Key(fabricStru, fabricCol);
}

std::optional<double> TVxOutputRates::WarpWeight(const TVxPlanJob& warp) const {
    const auto rate = Warps.find(warp.WarpType);
    if (rate == Warps.end() || rate->Length == 0) return std::nullopt;
    return double(warp.WarpLen) / rate->Length * rate->Weight;
}

QString TVxPlanFigures::Key(const QString& first, const QString& second) {
    return first + kKeySeparator + second;
}

QStringList TVxPlanFigures::KeyParts(const QString& key) {
    const int at = int(key.indexOf(kKeySeparator));
    return {key.left(at), key.mid(at + 1)};
}

TVxPlanFigures VxPlanFigures(const TVxPlan& plan, const TVxOutputRates& rates) {
    TVxPlanFigures figures;
    // By code, then colour: no key is built per job or item.
    QHash<QString, QHash<QString, TVxPlanFigures::TWarp>> warps;
    QHash<QString, QHash<QString, qint64>> pieces;
    for (const TVxPlanLoom& loom : plan.Looms) {
        TVxPlanFigures::TLoom row;
        row.ScheduleNo = loom.ScheduleNo;
        for (const TVxPlanJob& job : loom.Jobs) {
            const double start = std::trunc(job.StartDate), finish = std::trunc(job.FinishDate);
            if (finish != 0) row.LastFinish = std::max(row.LastFinish.value_or(finish), finish);
            if (job.Kind == TVxPlanJobKind::Downtime && finish != 0)
                row.DowntimeDays += finish - start;
            if (job.Kind != TVxPlanJobKind::Warp) continue;
            TVxPlanFigures::TWarp& warp = warps[job.WarpType][job.WarpCol];
            warp.Warps += 1;
            warp.Weight = plus(warp.Weight, rates.WarpWeight(job));
            for (const TVxPlanItem& item : job.Items)
                pieces[item.FabricStru][item.FabricCol] += item.Pieces;
        }
        figures.Looms.append(row);
    }
    for (auto type = warps.begin(); type != warps.end(); ++type)
        for (auto col = type->begin(); col != type->end(); ++col)
            figures.Warps.insert(TVxPlanFigures::Key(type.key(), col.key()), *col);
    for (auto stru = pieces.begin(); stru != pieces.end(); ++stru)
        for (auto col = stru->begin(); col != stru->end(); ++col) {
            const QString key = TVxPlanFigures::Key(stru.key(), col.key());
            TVxPlanFigures::TFabric& fabric = figures.Fabrics[key];
            fabric.Pieces = *col;
            // Every piece of a fabric has its length.
            const auto length = rates.PieceLengths.find(key);
            if (length != rates.PieceLengths.end()) fabric.Metres = double(*col) * *length;
        }
    return figures;
}

std::optional<double> TVxSummaryRow::Difference(int figure) const {
    const std::optional<double> before = Before.value(figure), after = After.value(figure);
    if (!before || !after) return std::nullopt;
    return *after - *before;
}

QString VxFigureText(TVxFigureKind kind, const std::optional<double>& value) {
    if (!value) return {};
    if (kind == TVxFigureKind::Date) return VxDayText(*value);
    return QString::number(VxRound(*value));
}

QString VxDifferenceText(const std::optional<double>& difference) {
    if (!difference) return {};
    const long long whole = VxRound(*difference);
    if (whole == 0) return {};
    return (whole > 0 ? QStringLiteral("+") : QString()) + QString::number(whole);
}

QVector<TVxSummaryTable> VxCompareOutput(const TVxPlan& before, const TVxPlan& after,
                                         const TVxOutputRates& rates,
                                         const std::function<QString(int)>& loomName) {
    const TVxPlanFigures b = VxPlanFigures(before, rates), a = VxPlanFigures(after, rates);

    TVxSummaryTable fabrics;
    fabrics.Title = QCoreApplication::translate("VxPlanSummary", "Fabrics");
    fabrics.KeyHeadings = {QCoreApplication::translate("VxPlanSummary", "Fabric"),
                           QCoreApplication::translate("VxPlanSummary", "Colour")};
    fabrics.Figures = {
        {QCoreApplication::translate("VxPlanSummary", "Pieces"), TVxFigureKind::Count},
        {QCoreApplication::translate("VxPlanSummary", "Greige metres"), TVxFigureKind::Metres}};
    keyedRows(fabrics, b.Fabrics, a.Fabrics,
              [](const TVxPlanFigures::TFabric& f,
                 const TVxPlanFigures::TFabric& known = {}) -> QVector<std::optional<double>> {
                  if (f.Pieces == 0 && !f.Metres) return {0, zeroUnless(!known.Metres)};
                  return {double(f.Pieces), f.Metres};
              });

    TVxSummaryTable warps;
    warps.Title = QCoreApplication::translate("VxPlanSummary", "Warps");
    warps.KeyHeadings = {QCoreApplication::translate("VxPlanSummary", "Warp type"),
                         QCoreApplication::translate("VxPlanSummary", "Colour")};
    warps.Figures = {
        {QCoreApplication::translate("VxPlanSummary", "Warps"), TVxFigureKind::Count},
        {QCoreApplication::translate("VxPlanSummary", "Yarn weight"), TVxFigureKind::Weight}};
    keyedRows(warps, b.Warps, a.Warps,
              [](const TVxPlanFigures::TWarp& w,
                 const TVxPlanFigures::TWarp& known = {}) -> QVector<std::optional<double>> {
                  if (w.Warps == 0) return {0, zeroUnless(!known.Weight)};
                  return {double(w.Warps), w.Weight};
              });

    return {loomTable(b, a, loomName), fabrics, warps};
}
