// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportData.h"

#include "VxDate.h"
#include "VxFieldFormat.h"

#include <QCoreApplication>

namespace {
TVxField field(const char* name, TVxFieldKind kind, const char* label, int width,
               const char* format = "", bool visible = true) {
    TVxField f;
    f.FieldName = QLatin1String(name);
    f.Kind = kind;
    f.DisplayLabel = TReportData::tr(label);
    f.DisplayWidth = width;
    f.DisplayFormat = QLatin1String(format);
    f.Visible = visible;
    return f;
}

constexpr auto Date = TVxFieldKind::DateTime;
constexpr auto Text = TVxFieldKind::String;
constexpr auto Int = TVxFieldKind::Integer;
constexpr auto Float = TVxFieldKind::Float;

// The warp weight is the job's share of a standard warp's weight: the ratio
// is taken in floating point (two integer columns would divide to 0), and a
// standard length of 0 gives no weight rather than a division error.
// Every warp job counts, so two alike on one day are not folded into one.
QStringList warpSql(bool byJob) {
    return {byJob ? QStringLiteral("select wj.jobno, wj.startdate, wj.warptype, wj.warpcol, "
                                   "wj.warplen,")
                  : QStringLiteral("select wj.startdate, wj.warptype, wj.warpcol, wj.warplen,"),
            QStringLiteral("  cast(wj.warplen as double precision) / nullif(wt.warplen, 0) * "
                           "wt.warpwgt as warpweight"),
            QStringLiteral("from weavejob wj, warptype wt"),
            QStringLiteral("where wj.scenariono = :scenariono and wj.warptype = wt.warptype")};
}

// The sum is named SUM on every engine.
QStringList weftSql(bool byJob) {
    return {byJob
                ? QStringLiteral("select distinct wj.jobno, wj.startdate, ft.weftstru, "
                                 "ft.wefttwist, ft.weftcol, ft.weftpcewgt, sum (wi.weftpcs) as SUM")
                : QStringLiteral("select distinct wj.startdate, ft.weftstru, ft.wefttwist,  "
                                 "ft.weftcol, ft.weftpcewgt, sum (wi.weftpcs) as SUM"),
            QStringLiteral("from weavejob wj, weaveitem wi, fabrictype ft"),
            QStringLiteral("where wj.scenariono = :scenariono "),
            QStringLiteral("   and wj.scenariono = wi.scenariono "),
            QStringLiteral("   and wj.jobno = wi.jobno"),
            QStringLiteral("   and wi.fabricstru = ft.fabricstru"),
            QStringLiteral("   and wi.fabriccol = ft.fabriccol"),
            QStringLiteral("   and wi.weftcol = ft.weftcol"),
            byJob ? QStringLiteral("group by wj.jobno, wj.startdate, ft.weftstru, ft.wefttwist, "
                                   "ft.weftcol, ft.weftpcewgt")
                  : QStringLiteral("group by wj.startdate, ft.weftstru, ft.wefttwist,  ft.weftcol, "
                                   "ft.weftpcewgt")};
}

QStringList outSql(bool byJob) {
    return {byJob ? QStringLiteral("select wj.jobno, wj.enddate, wi.fabricstru, wi.fabriccol, "
                                   "sum(wi.weftpcs) as SUM")
                  : QStringLiteral("select wj.enddate, wi.fabricstru, wi.fabriccol, "
                                   "sum(wi.weftpcs) as SUM"),
            QStringLiteral("from weavejob wj, weaveitem wi"),
            QStringLiteral("where wj.scenariono = :scenariono and wj.scenariono = wi.scenariono "),
            QStringLiteral("   and wj.jobno = wi.jobno"),
            byJob ? QStringLiteral("group by wj.jobno, wj.enddate, wi.fabricstru, wi.fabriccol")
                  : QStringLiteral("group by wj.enddate, wi.fabricstru, wi.fabriccol")};
}

// Field settings, and the display order: the date, then the job number,
// then the other columns of the result (hidden ones too), so both engines
// show the same order.
void setFields(TVxQuery& query, const QList<TVxField>& fields, const QString& date) {
    QStringList sort{date};
    for (const TVxField& f : fields) {
        if (f.Calculated)
            query.AddCalcField(f);
        else
            query.SetFieldDisplay(f);
        if (!f.Calculated && f.FieldName != date) sort << f.FieldName;
    }
    if (sort.contains(QStringLiteral("JOBNO"))) sort.move(sort.indexOf(QStringLiteral("JOBNO")), 1);
    query.SetSortFields(sort);
}

// The weft's yarn, titled "Struct" like a fabric's structure; other
// languages may tell the two apart.
TVxField weftStructure() {
    TVxField f = field("WEFTSTRU", Text, "", 6);
    f.DisplayLabel = TReportData::tr("Struct", "weft yarn");
    return f;
}

TVxField calc(TVxField f) {
    f.Calculated = true;
    return f;
}
} // namespace

QString VxReportTotals(const TVxDataSet& dataSet, const QList<TVxReportTotal>& totals) {
    if (!dataSet.Active()) return {};
    QStringList parts;
    for (const TVxReportTotal& t : totals) {
        const int i = dataSet.FieldIndex(t.FieldName);
        if (i < 0) continue;
        const QString format = dataSet.Fields()[i].DisplayFormat;
        parts << QStringLiteral("%1: %2").arg(
            t.Caption, VxFormatFloat(format.isEmpty() ? QStringLiteral("0") : format,
                                     dataSet.Total(t.FieldName)));
    }
    return parts.join(QStringLiteral("   "));
}

// ---------------------------------------------------------------------------

QStringList TReqmtsData::Types() {
    return {TReportData::tr("Warp Reqmts"), TReportData::tr("Weft Reqmts")};
}

QStringList TReportData::Groupings() {
    return {tr("By Date"), tr("By Job")};
}

TReqmtsData::TReqmtsData(TSchedDB& db)
    : WarpReqDateQuery(db, QStringLiteral("WarpReqDateQuery"), warpSql(false)),
      WarpReqJobQuery(db, QStringLiteral("WarpReqJobQuery"), warpSql(true)),
      WeftReqDateQuery(db, QStringLiteral("WeftReqDateQuery"), weftSql(false)),
      WeftReqJobQuery(db, QStringLiteral("WeftReqJobQuery"), weftSql(true)) {
    const QString date = QStringLiteral("STARTDATE");
    setFields(
        WarpReqDateQuery,
        {field("STARTDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
         field("WARPTYPE", Text, QT_TRANSLATE_NOOP("TReportData", "Type"), 5),
         field("WARPCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
         field("WARPLEN", Int, QT_TRANSLATE_NOOP("TReportData", "Length"), 7),
         field("WARPWEIGHT", Float, QT_TRANSLATE_NOOP("TReportData", "Weight"), 7, "######0")},
        date);
    setFields(WarpReqJobQuery,
              {field("JOBNO", Int, QT_TRANSLATE_NOOP("TReportData", "Job No"), 6),
               field("STARTDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
               field("WARPTYPE", Text, QT_TRANSLATE_NOOP("TReportData", "Type"), 5),
               field("WARPCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
               field("WARPLEN", Int, QT_TRANSLATE_NOOP("TReportData", "Length"), 7),
               field("WARPWEIGHT", Float, QT_TRANSLATE_NOOP("TReportData", "Weight"), 7, "#####0")},
              date);
    setFields(
        WeftReqDateQuery,
        {field("STARTDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
         weftStructure(), field("WEFTTWIST", Text, QT_TRANSLATE_NOOP("TReportData", "Twist"), 5),
         field("WEFTCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
         field("WEFTPCEWGT", Float, "WEFTPCEWGT", 0, "", false),
         field("SUM", Int, QT_TRANSLATE_NOOP("TReportData", "Pieces"), 6),
         calc(field("WEFTWEIGHT", Float, QT_TRANSLATE_NOOP("TReportData", "Weight"), 7, "####0"))},
        date);
    setFields(
        WeftReqJobQuery,
        {field("JOBNO", Int, QT_TRANSLATE_NOOP("TReportData", "Job No"), 7),
         field("STARTDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
         weftStructure(), field("WEFTTWIST", Text, QT_TRANSLATE_NOOP("TReportData", "Twist"), 5),
         field("WEFTCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
         field("WEFTPCEWGT", Float, "WEFTPCEWGT", 0, "", false),
         field("SUM", Int, QT_TRANSLATE_NOOP("TReportData", "Pieces"), 6),
         calc(field("WEFTWEIGHT", Float, QT_TRANSLATE_NOOP("TReportData", "Weight"), 7, "#####0"))},
        date);
    WeftReqDateQuery.OnCalcFields = &TReqmtsData::WeftReqQueryCalcFields;
    WeftReqJobQuery.OnCalcFields = &TReqmtsData::WeftReqQueryCalcFields;
}

TVxQuery* TReqmtsData::QueryFor(int type, int grouping) {
    if (grouping < 0 || grouping > 1) return nullptr;
    if (type == 0) return grouping == 0 ? &WarpReqDateQuery : &WarpReqJobQuery;
    if (type == 1) return grouping == 0 ? &WeftReqDateQuery : &WeftReqJobQuery;
    return nullptr;
}

void TReqmtsData::SetScenarioNo(int scenarioNo) {
    for (TVxQuery* q : {&WarpReqDateQuery, &WarpReqJobQuery, &WeftReqDateQuery, &WeftReqJobQuery})
        q->SetParam(QStringLiteral("scenariono"), scenarioNo);
}

QString TReqmtsData::TotalsText(const TVxQuery& query) const {
    const bool warp = &query == &WarpReqDateQuery || &query == &WarpReqJobQuery;
    if (warp)
        return VxReportTotals(query,
                              {{TReportData::tr("Total length"), QStringLiteral("WARPLEN")},
                               {TReportData::tr("Total weight"), QStringLiteral("WARPWEIGHT")}});
    return VxReportTotals(query, {{TReportData::tr("Total pieces"), QStringLiteral("SUM")},
                                  {TReportData::tr("Total weight"), QStringLiteral("WEFTWEIGHT")}});
}

void TReqmtsData::WeftReqQueryCalcFields(TVxDataSet& dataSet) {
    const double weight = double(VxRound(dataSet.AsInteger(QStringLiteral("SUM")) *
                                         dataSet.AsFloat(QStringLiteral("WEFTPCEWGT"))));
    dataSet.SetCalcValue(QStringLiteral("WEFTWEIGHT"), weight);
}

// ---------------------------------------------------------------------------

TOutputData::TOutputData(TSchedDB& db)
    : OutDateQuery(db, QStringLiteral("OutDateQuery"), outSql(false)),
      OutJobQuery(db, QStringLiteral("OutJobQuery"), outSql(true)),
      FabricLen(db, QStringLiteral("FABRICTYPE"),
                {QStringLiteral("FABRICSTRU"), QStringLiteral("FABRICCOL")}) {
    const QString date = QStringLiteral("ENDDATE");
    setFields(OutDateQuery,
              {field("ENDDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
               field("FABRICSTRU", Text, QT_TRANSLATE_NOOP("TReportData", "Struct"), 5),
               field("FABRICCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
               field("SUM", Int, QT_TRANSLATE_NOOP("TReportData", "Pieces"), 6),
               calc(field("FABRICLEN", Int, QT_TRANSLATE_NOOP("TReportData", "Length"), 6))},
              date);
    setFields(OutJobQuery,
              {field("JOBNO", Int, QT_TRANSLATE_NOOP("TReportData", "Job No"), 6),
               field("ENDDATE", Date, QT_TRANSLATE_NOOP("TReportData", "Date"), 12, "dd/mm/yyyy"),
               field("FABRICSTRU", Text, QT_TRANSLATE_NOOP("TReportData", "Struct"), 5),
               field("FABRICCOL", Text, QT_TRANSLATE_NOOP("TReportData", "Colour"), 6),
               field("SUM", Int, QT_TRANSLATE_NOOP("TReportData", "Pieces"), 6),
               calc(field("FABRICLEN", Int, QT_TRANSLATE_NOOP("TReportData", "Length"), 6))},
              date);
    OutDateQuery.OnCalcFields = [this](TVxDataSet& ds) { OutQueryCalcFields(ds); };
    OutJobQuery.OnCalcFields = [this](TVxDataSet& ds) { OutQueryCalcFields(ds); };
}

TVxQuery* TOutputData::QueryFor(int grouping) {
    if (grouping == 0) return &OutDateQuery;
    if (grouping == 1) return &OutJobQuery;
    return nullptr;
}

void TOutputData::SetScenarioNo(int scenarioNo) {
    OutDateQuery.SetParam(QStringLiteral("scenariono"), scenarioNo);
    OutJobQuery.SetParam(QStringLiteral("scenariono"), scenarioNo);
}

QString TOutputData::TotalsText(const TVxQuery& query) const {
    return VxReportTotals(query, {{TReportData::tr("Total pieces"), QStringLiteral("SUM")},
                                  {TReportData::tr("Total length"), QStringLiteral("FABRICLEN")}});
}

void TOutputData::OutQueryCalcFields(TVxDataSet& dataSet) {
    if (!FabricLen.Active()) FabricLen.Open();
    const QString stru = dataSet.AsString(QStringLiteral("FABRICSTRU"));
    const QString col = dataSet.AsString(QStringLiteral("FABRICCOL"));
    if (stru.isEmpty() || col.isEmpty() || !FabricLen.FindKey({stru, col})) return;
    dataSet.SetCalcValue(QStringLiteral("FABRICLEN"),
                         dataSet.AsInteger(QStringLiteral("SUM")) *
                             FabricLen.AsInteger(QStringLiteral("PIECELEN")));
}
