// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The queries of the yarn requirements and greige output reports over a
// stored scenario, with their field settings and calculated columns. The
// report windows show and print them; QtCore and QtSql only.
//
// Each query takes the scenario number as its parameter "scenariono" and
// orders its rows in the client by date (then job number), since the SQL
// leaves the order to the engine.

#include "VxDataSet.h"

#include <QCoreApplication>
#include <QStringList>

class TSchedDB;

// "Total length 12,000   Total weight 4,100" for the shown rows: the
// figures are the sums of the named columns, written with the column's
// display format (or as whole numbers).
struct TVxReportTotal {
    QString Caption; // "Total length"
    QString FieldName;
};
QString VxReportTotals(const TVxDataSet& dataSet, const QList<TVxReportTotal>& totals);

// What a report window asks of its queries.
class TReportData {
    Q_DECLARE_TR_FUNCTIONS(TReportData)

public:
    virtual ~TReportData() = default;
    // The groupings of both reports' rows, in their order: "By Date", "By
    // Job".
    static QStringList Groupings();
    // Every query of the report takes the scenario number as "scenariono".
    virtual void SetScenarioNo(int scenarioNo) = 0;
    // The totals line of a query of this report.
    virtual QString TotalsText(const TVxQuery& query) const = 0;
};

class TReqmtsData : public TReportData {
public:
    explicit TReqmtsData(TSchedDB& db);

    static QStringList Types(); // "Warp Reqmts", "Weft Reqmts"

    TVxQuery WarpReqDateQuery;
    TVxQuery WarpReqJobQuery;
    TVxQuery WeftReqDateQuery;
    TVxQuery WeftReqJobQuery;

    // The query of a type and a grouping (indexes into Types and
    // Groupings); nullptr for anything else.
    TVxQuery* QueryFor(int type, int grouping);
    void SetScenarioNo(int scenarioNo) override;
    QString TotalsText(const TVxQuery& query) const override;

    // WEFTWEIGHT = SUM x WEFTPCEWGT, rounded halves to even.
    static void WeftReqQueryCalcFields(TVxDataSet& dataSet);
};

class TOutputData : public TReportData {
public:
    explicit TOutputData(TSchedDB& db);

    TVxQuery OutDateQuery;
    TVxQuery OutJobQuery;
    // FABRICTYPE by FABRICSTRU, FABRICCOL: the piece length of each fabric.
    TVxTable FabricLen;

    TVxQuery* QueryFor(int grouping);
    void SetScenarioNo(int scenarioNo) override;
    QString TotalsText(const TVxQuery& query) const override;

    // FABRICLEN = SUM x PIECELEN of the row's fabric; empty when FabricLen
    // has no such fabric.
    void OutQueryCalcFields(TVxDataSet& dataSet);
};
