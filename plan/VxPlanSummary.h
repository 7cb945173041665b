// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a plan puts out, and two plans side by side: per loom the latest
// finish and the days of downtime, per fabric (structure and colour) the
// pieces and greige metres, per warp type and colour the warps and their
// yarn weight.
//
// The figures are those of the greige output and yarn requirements reports
// on the stored plan: greige metres are pieces times the fabric's piece
// length, a warp's weight is its length over the standard warp length times
// the standard warp weight. A fabric or warp type the reference data does
// not know has no metres or weight (the reports leave them empty).

#include "VxPlan.h"

#include <QHash>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

// The reference figures the reports multiply by.
struct TVxOutputRates {
    struct TWarpRate {
        double Length = 0; // standard warp length
        double Weight = 0; // weight of a standard warp
    };
    // By warp type code.
    QHash<QString, TWarpRate> Warps;
    // By fabric structure and colour (FabricKey).
    QHash<QString, double> PieceLengths;

    static QString FabricKey(const QString& fabricStru, const QString& fabricCol);
    // None for an unknown type or a standard length of 0.
    std::optional<double> WarpWeight(const TVxPlanJob& warp) const;
};

// The figures of one plan.
struct TVxPlanFigures {
    struct TLoom {
        int ScheduleNo = 0;
        std::optional<double> LastFinish; // none without a dated job
        double DowntimeDays = 0;
    };
    struct TFabric {
        qint64 Pieces = 0;
        std::optional<double> Metres;
    };
    struct TWarp {
        int Warps = 0;
        std::optional<double> Weight;
    };
    QVector<TLoom> Looms;
    // By "structure|colour" and "type|colour" (see KeyParts).
    QHash<QString, TFabric> Fabrics;
    QHash<QString, TWarp> Warps;

    static QString Key(const QString& first, const QString& second);
    static QStringList KeyParts(const QString& key);
};

TVxPlanFigures VxPlanFigures(const TVxPlan& plan, const TVxOutputRates& rates);

// How a figure reads.
enum class TVxFigureKind { Date, Days, Count, Weight, Metres };

struct TVxSummaryColumn {
    QString Heading;
    TVxFigureKind Kind;
};

// One row: its key texts, and each figure in both plans (none: not known
// or not there).
struct TVxSummaryRow {
    QStringList Keys;
    QVector<std::optional<double>> Before;
    QVector<std::optional<double>> After;

    // After minus before (for dates, in days); none when either is missing.
    std::optional<double> Difference(int figure) const;
};

struct TVxSummaryTable {
    QString Title;
    QStringList KeyHeadings;
    QVector<TVxSummaryColumn> Figures;
    QVector<TVxSummaryRow> Rows;
};

// A figure as text: dates as dd/mm/yyyy, the rest as whole numbers
// (halves to even), none as empty. A difference reads with its sign.
QString VxFigureText(TVxFigureKind kind, const std::optional<double>& value);
QString VxDifferenceText(const std::optional<double>& difference);

// The three tables (looms, fabrics, warps) of two plans side by side. Looms
// follow the later plan's order, then those only the earlier one has;
// fabrics and warps go by their codes. loomName names a loom by its number.
QVector<TVxSummaryTable> VxCompareOutput(const TVxPlan& before, const TVxPlan& after,
                                         const TVxOutputRates& rates,
                                         const std::function<QString(int)>& loomName);
