// SPDX-License-Identifier: GPL-3.0-or-later
// Two stored scenarios compared, on an SQLite file and on the PostgreSQL
// test server: the comparison survives the round trip through the store,
// and the output summary agrees with the report queries on the same
// scenario.

#include "OutputRates.h"
#include "PlanBuild.h"
#include "ReportData.h"
#include "ScenarioStore.h"
#include "SchedData.h"
#include "VxChangeRows.h"
#include "VxPromptLog.h"
#include "VxScratchDb.h"

#include <QtTest>

using namespace planbuild;

namespace {
const double kDay = 46000;

// Warps of a known type, of type Z (a standard length of 0: no weight) and
// of a type no WARPTYPE row has; a fabric FABRICTYPE lacks.
TVxPlan before() {
    return plan(
        {loom(101, {reed(1, 2400, kDay, kDay),
                    warp(2, "A", "WHT", 3000, kDay, kDay + 10,
                         {item(1, "P", "001", "WHT", 10), item(2, "ZZ", "999", "WHT", 3)}),
                    downtime(3, "Cleaning", kDay + 10, kDay + 12)}),
         loom(102, {reed(4, 2400, kDay, kDay),
                    warp(5, "A", "NAT", 2500, kDay, kDay + 8, {item(3, "P", "003", "NAT", 4)}),
                    warp(6, "Z", "WHT", 1000, kDay + 8, kDay + 9)})});
}

// The downtime gone, a warp moved and lengthened, pieces changed, a warp of
// an unknown type added.
TVxPlan after() {
    TVxPlan p = before();
    p.Looms[0].Jobs.removeLast();
    TVxPlanJob moved = p.Looms[1].Jobs.takeAt(1);
    moved.WarpLen = 3000;
    moved.Items[0].Pieces = 6;
    p.Looms[0].Jobs << moved << warp(7, "Q", "RED", 2000, kDay + 20, kDay + 30);
    return p;
}

QStringList changeLines(const TVxPlanDiff& diff) {
    QStringList lines;
    for (const TVxChangeRow& r : VxChangeRows(diff, {}))
        lines << QStringList{r.LoomName, r.JobText, r.ItemText, r.Change, r.Was, r.Now, r.MatchedBy}
                     .join('|');
    return lines;
}

// The report rows of a query, summed by two columns: key -> {rows, sum of
// `sumField`, sum of `valueField` (none while every value is empty)}.
struct TReportSums {
    int Rows = 0;
    double Sum = 0;
    std::optional<double> Value;
};
QHash<QString, TReportSums> sumsBy(TVxQuery& query, const char* first, const char* second,
                                   const char* sumField, const char* valueField) {
    QHash<QString, TReportSums> sums;
    query.Open();
    for (query.First(); !query.Eof(); query.Next()) {
        TReportSums& s = sums[TVxPlanFigures::Key(query.AsString(first), query.AsString(second))];
        s.Rows += 1;
        if (sumField) s.Sum += query.AsFloat(sumField);
        if (!query.IsNull(valueField)) s.Value = s.Value.value_or(0) + query.AsFloat(valueField);
    }
    query.Close();
    return sums;
}

bool same(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() && (!a || qAbs(*a - *b) < 1e-9);
}
} // namespace

class TstCompareOutput : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;
    TVxPromptLog m_log;

private slots:
    void initTestCase_data() { vxtest::addEngineRows(); }
    void init() {
        QFETCH_GLOBAL(bool, postgres);
        if (postgres && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(postgres);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        const QString ini = m_tmp.filePath("aliases.ini");
        m_db->WriteAliasFile(ini);
        m_session = std::make_unique<TVxDbSession>(ini);
        m_data = std::make_unique<TSchedData>(*m_session, m_log.prompts());
        if (postgres) m_log.passwords.push_back(vxtest::env("PLEXIWEAVE_PG_PASSWORD"));
        m_data->SchedDB.Open();
        QSqlQuery q(m_data->SchedDB.Database());
        QVERIFY(q.exec("insert into warptype (warptype, warplen, warpwgt) values ('Z', 0, 100)"));
        TScenarioStore store(m_data->SchedDB.Database());
        store.Save(1, "Before", before(), TScenarioSaveMode::New);
        store.Save(2, "After", after(), TScenarioSaveMode::New);
    }
    void cleanup() {
        m_data.reset();
        m_session.reset();
        m_db.reset();
    }

    void storedScenariosCompareAsTheirPlans() {
        TScenarioStore store(m_data->SchedDB.Database());
        const QVector<int> looms = loomNos(before());
        const QStringList stored =
            changeLines(VxComparePlans(store.Load(1, looms), store.Load(2, looms)));
        QCOMPARE(stored, changeLines(VxComparePlans(before(), after())));
        QVERIFY(stored.contains("101|5||Moved|102, place 2|101, place 3|number"));
        QVERIFY(stored.contains("101|5||Length|2500|3000|number"));
    }

    void summaryAgreesWithTheReports() {
        TScenarioStore store(m_data->SchedDB.Database());
        const TVxPlan stored = store.Load(2, loomNos(before()));
        const TVxPlanFigures figures =
            VxPlanFigures(stored, ReadOutputRates(m_data->SchedDB.Database()));

        TReqmtsData reqs(m_data->SchedDB);
        reqs.SetScenarioNo(2);
        const auto warps =
            sumsBy(reqs.WarpReqJobQuery, "WARPTYPE", "WARPCOL", nullptr, "WARPWEIGHT");
        // The report leaves out a warp whose type WARPTYPE lacks; the
        // summary counts it, without a weight.
        QCOMPARE(figures.Warps.size(), warps.size() + 1);
        QVERIFY(!figures.Warps.value("Q|RED").Weight);
        for (auto it = warps.begin(); it != warps.end(); ++it) {
            QCOMPARE(figures.Warps.value(it.key()).Warps, it->Rows);
            QVERIFY2(same(figures.Warps.value(it.key()).Weight, it->Value), qPrintable(it.key()));
        }

        TOutputData out(m_data->SchedDB);
        out.FabricLen.Open(); // as the window does before its queries
        out.SetScenarioNo(2);
        const auto fabrics = sumsBy(out.OutJobQuery, "FABRICSTRU", "FABRICCOL", "SUM", "FABRICLEN");
        QCOMPARE(figures.Fabrics.size(), fabrics.size());
        for (auto it = fabrics.begin(); it != fabrics.end(); ++it) {
            QCOMPARE(double(figures.Fabrics.value(it.key()).Pieces), it->Sum);
            QVERIFY2(same(figures.Fabrics.value(it.key()).Metres, it->Value), qPrintable(it.key()));
        }

        // Looms: 101 now ends with the added warp, 18 days later, without
        // its two days of downtime.
        const TVxSummaryTable looms =
            VxCompareOutput(store.Load(1, loomNos(before())), stored, {}, {}).first();
        QCOMPARE(looms.Rows[0].Keys, QStringList{"101"});
        QCOMPARE(looms.Rows[0].Difference(0), std::optional<double>(18));
        QCOMPARE(looms.Rows[0].Difference(1), std::optional<double>(-2));
    }
};

QTEST_GUILESS_MAIN(TstCompareOutput)
#include "tst_compareoutput.moc"
