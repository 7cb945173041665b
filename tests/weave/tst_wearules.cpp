// SPDX-License-Identifier: GPL-3.0-or-later
// The placement, dating, deletion and move rules on plan values, with the
// reference tables read from the shipped sample files.

#include "RefText.h"
#include "VxDate.h"
#include "VxDragOutlook.h"
#include "VxWeaPlan.h"
#include "VxWeaRules.h"

#include <QtTest>

namespace {
QString samplesDir() {
    return qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
}

// Sample loom types, by their index in the loom-type table.
enum { Rapier = 0, Airjet = 1, Projectile = 2 };
} // namespace

class TestWeaveRules : public QObject {
    Q_OBJECT
public:
    TestWeaveRules() {
        TRefTextLoader loader(samplesDir());
        m_LoomTypes = loader.BuildLoomTypes();
        m_WarpInfos = loader.BuildWarpInfos();
        m_FabricInfos = loader.BuildFabricInfos();
        m_Downtimes = loader.BuildDowntimeTypes();
        m_Refs = {&m_LoomTypes, &m_WarpInfos, &m_FabricInfos, &m_Downtimes};
    }

private slots:
    void initTestCase();
    void offeredJobTypes_data();
    void offeredJobTypes();
    void chainJobDates_data();
    void chainJobDates();
    void reedHasWarpBelow_data();
    void reedHasWarpBelow();
    void jobDragWithinLoom_data();
    void jobDragWithinLoom();
    void jobDragToAnotherLoom_data();
    void jobDragToAnotherLoom();
    void itemDrag_data();
    void itemDrag();
    void dragOutlook_data();
    void dragOutlook();

private:
    TVxWeaveRules rules() const { return TVxWeaveRules(m_Refs); }
    // A loom of the given type from a plan like "R2400 W:A-WHT D W:A-NAT":
    // R<ends> a reed, W:<warp key> a 3000 m warp, D a downtime, each lasting
    // two days.
    TVxPlanLoom loom(int type, const QString& plan) const;
    QStringList downtimes() const { return m_Downtimes.Keys(); }

    TLoomTypeList m_LoomTypes;
    TWarpInfoList m_WarpInfos;
    TFabricInfoList m_FabricInfos;
    TDowntimeList m_Downtimes;
    TVxWeaveRefs m_Refs;
};

TVxPlanLoom TestWeaveRules::loom(int type, const QString& plan) const {
    TVxPlanLoom loom;
    loom.LoomType = type < 0 ? QString("NONE") : m_LoomTypes.Key(type);
    TDateTime day = VxEncodeDate(2026, 3, 2);
    for (const QString& step : plan.split(' ', Qt::SkipEmptyParts)) {
        TVxPlanJob job;
        if (step.startsWith('R')) {
            job.Kind = TVxPlanJobKind::Reed;
            job.TotalEnds = step.mid(1).toInt();
        } else if (step.startsWith("W:")) {
            job.Kind = TVxPlanJobKind::Warp;
            job.WarpType = WarpTypeOf(step.mid(2));
            job.WarpCol = WarpColOf(step.mid(2));
            job.WarpLen = 3000;
        } else {
            job.Descr = m_Downtimes.Key(0);
        }
        job.StartDate = day;
        job.FinishDate = day + 2;
        day += 2;
        loom.Jobs << job;
    }
    return loom;
}

void TestWeaveRules::initTestCase() {
    QCOMPARE(m_LoomTypes.Keys(), QStringList({"RAPIER", "AIRJET", "PROJECTILE"}));
    QCOMPARE(m_WarpInfos.Find("A")->TotalEnds, 2400);
    QCOMPARE(m_WarpInfos.Find("C")->TotalEnds, 2640);
}

void TestWeaveRules::offeredJobTypes_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QStringList>("warps");

    QTest::newRow("empty loom: no warp before a reed") << int(Rapier) << "" << QStringList();
    QTest::newRow("under a 2400 reed")
        << int(Rapier) << "R2400" << QStringList({"A-WHT", "A-NAT", "B-WHT"});
    QTest::newRow("the lowest reed decides")
        << int(Rapier) << "R2400 W:A-WHT R2640" << QStringList({"C-BLU", "C-WHT", "D-NAT"});
    QTest::newRow("downtime after the reed")
        << int(Rapier) << "R2400 D" << QStringList({"A-WHT", "A-NAT", "B-WHT"});
    QTest::newRow("downtime only counts as ends 0") << int(Rapier) << "D D" << QStringList();
    QTest::newRow("loom type's own warps")
        << int(Projectile) << "R2400" << QStringList({"A-WHT", "A-NAT"});
    QTest::newRow("unknown loom type") << -1 << "R2400" << QStringList();
}

void TestWeaveRules::offeredJobTypes() {
    QFETCH(int, type);
    QFETCH(QString, plan);
    QFETCH(QStringList, warps);
    const TVxPlanLoom s = loom(type, plan);

    QStringList texts;
    for (const TVxJobTypeEntry& entry : rules().OfferedJobTypes(s)) {
        texts << entry.Text;
        QCOMPARE(entry.IsWarp, warps.contains(entry.Text));
        if (entry.IsWarp) {
            const TFabricList* fabrics = m_Refs.FabricList(s.LoomType, entry.Text);
            QVERIFY(fabrics);
            QCOMPARE(entry.Fabrics, fabrics->Keys());
            QVERIFY(!entry.Fabrics.isEmpty());
        }
    }
    QCOMPARE(texts, QStringList{"Reed"} + warps + downtimes());
}

void TestWeaveRules::chainJobDates_data() {
    QTest::addColumn<QList<double>>("dates"); // start, finish pairs; -1: no date
    QTest::addColumn<double>("loomStart");
    QTest::addColumn<QList<double>>("expected");

    QTest::newRow("first job 5 days later moves every job")
        << QList<double>{5, 7, 2, 5, 5, 6} << 5.0 << QList<double>{5, 7, 7, 10, 10, 11};
    QTest::newRow("middle job 3 days longer moves only the later ones")
        << QList<double>{0, 2, 2, 7, 4, 5} << 0.0 << QList<double>{0, 2, 2, 7, 7, 8};
    QTest::newRow("no finish passes its start on")
        << QList<double>{10, 12, 12, -1, 14, 15} << 10.0 << QList<double>{10, 12, 12, -1, 12, 13};
    QTest::newRow("no loom start keeps the first start")
        << QList<double>{3, 4, 9, 11} << -1.0 << QList<double>{3, 4, 4, 6};
    QTest::newRow("a single job is left alone")
        << QList<double>{3, 4} << 8.0 << QList<double>{3, 4};
}

void TestWeaveRules::chainJobDates() {
    QFETCH(QList<double>, dates);
    QFETCH(double, loomStart);
    QFETCH(QList<double>, expected);
    // Day numbers well away from 0, which means "no date".
    const TDateTime base = VxEncodeDate(2026, 5, 1);
    TVxPlanLoom s;
    for (int i = 0; i < dates.size(); i += 2) {
        TVxPlanJob job;
        job.StartDate = base + dates[i];
        job.FinishDate = dates[i + 1] < 0 ? 0 : base + dates[i + 1];
        s.Jobs << job;
    }
    s.StartDate = loomStart < 0 ? 0 : base + loomStart;
    ChainJobDates(s);
    QList<double> actual;
    for (const TVxPlanJob& job : s.Jobs) {
        actual << job.StartDate - base;
        actual << (job.FinishDate == 0 ? -1 : job.FinishDate - base);
    }
    QCOMPARE(actual, expected);
}

void TestWeaveRules::reedHasWarpBelow_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<int>("reed");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("warp below") << "R2400 W:A-WHT" << 0 << true;
    QTest::newRow("warp after downtime") << "R2400 D D W:A-WHT" << 0 << true;
    QTest::newRow("only downtime below") << "R2400 D" << 0 << false;
    QTest::newRow("next reed comes first") << "R2400 R2640 W:C-BLU" << 0 << false;
    QTest::newRow("second reed with its warp") << "R2400 R2640 W:C-BLU" << 1 << true;
    QTest::newRow("last job") << "R2400 W:A-WHT R2640" << 2 << false;
}

void TestWeaveRules::reedHasWarpBelow() {
    QFETCH(QString, plan);
    QFETCH(int, reed);
    QFETCH(bool, blocked);
    QCOMPARE(ReedHasWarpBelow(loom(Rapier, plan), reed), blocked);
}

namespace {
// The status text a verdict leaves: "<leave>" when it leaves the bar alone.
QString statusOf(const TVxDragVerdict& v) {
    return v.Status ? *v.Status : QString("<leave>");
}
} // namespace

void TestWeaveRules::jobDragWithinLoom_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("to"); // its place among the other jobs of the loom
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("status");
    // 0 R2400, 1 W A-WHT, 2 D, 3 W A-NAT, 4 R2640, 5 W C-BLU
    QTest::newRow("reed, own loom") << 0 << 2 << false << "Cannot move a reed";
    QTest::newRow("reed to the end") << 4 << 5 << false << "Cannot move a reed";
    QTest::newRow("downtime above the first reed") << 2 << 0 << true << "";
    QTest::newRow("warp above the first reed") << 1 << 0 << false << "Reed required";
    QTest::newRow("2400 warp between the reeds") << 3 << 2 << true << "";
    QTest::newRow("2400 warp straight above the 2640 reed") << 1 << 3 << false << "<leave>";
    QTest::newRow("2400 warp just below the 2640 reed")
        << 1 << 4 << false << "Wrong reed type for this warp";
    QTest::newRow("2400 warp to the end") << 1 << 5 << false << "Wrong reed type for this warp";
    QTest::newRow("2640 warp to the end") << 5 << 5 << true << "";
    QTest::newRow("2640 warp between the 2400 jobs")
        << 5 << 2 << false << "Wrong reed type for this warp";
}

void TestWeaveRules::jobDragWithinLoom() {
    QFETCH(int, dragged);
    QFETCH(int, to);
    QFETCH(bool, accept);
    QFETCH(QString, status);
    TVxPlan plan;
    plan.Looms << loom(Rapier, "R2400 W:A-WHT D W:A-NAT R2640 W:C-BLU");
    const TVxDragVerdict v = rules().JobMoveVerdict(plan, {0, dragged}, 0, to);
    QCOMPARE(v.Accept, accept);
    QCOMPARE(statusOf(v), status);
    // A refusal always has its reason, for a move made without a cursor.
    QCOMPARE(v.Reason.isEmpty(), accept);
}

void TestWeaveRules::jobDragToAnotherLoom_data() {
    QTest::addColumn<QString>("warp");
    QTest::addColumn<QString>("fabric"); // structure, colour, weft; empty: none
    QTest::addColumn<int>("targetType");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("status");
    QTest::newRow("same loom type") << "B-WHT"
                                    << "T,001,WHT" << int(Rapier) << true << "";
    QTest::newRow("warp unknown to the loom type")
        << "B-WHT"
        << "" << int(Projectile) << false << "Cannot go on this loom type";
    QTest::newRow("known warp, fabric not weavable there")
        << "A-WHT"
        << "P,001,WHT" << int(Projectile) << false << "Has fabric that cannot go on this loom type";
    QTest::newRow("known warp and fabric") << "A-WHT"
                                           << "DB,WHT,WHT" << int(Projectile) << true << "";
    QTest::newRow("empty warp passes") << "A-WHT"
                                       << "" << int(Projectile) << true << "";
}

void TestWeaveRules::jobDragToAnotherLoom() {
    QFETCH(QString, warp);
    QFETCH(QString, fabric);
    QFETCH(int, targetType);
    QFETCH(bool, accept);
    QFETCH(QString, status);
    TVxPlan plan;
    plan.Looms << loom(Rapier, "R2400 W:" + warp) << loom(targetType, "R2400 D");
    if (!fabric.isEmpty()) {
        const QStringList f = fabric.split(',');
        plan.Looms[0].Jobs[1].Items << TVxPlanItem{1, f[0], f[1], f[2], 1};
    }
    const TVxDragVerdict v = rules().JobMoveVerdict(plan, {0, 1}, 1, 1);
    QCOMPARE(v.Accept, accept);
    QCOMPARE(statusOf(v), status);
}

void TestWeaveRules::itemDrag_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<int>("targetType");
    QTest::addColumn<int>("target"); // -1: over no job
    QTest::addColumn<int>("pieces");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("status");
    const QString plan = "R2400 D W:A-WHT W:A-NAT";
    QTest::newRow("over no job") << plan << int(Rapier) << -1 << 1 << false << "";
    QTest::newRow("on a reed") << plan << int(Rapier) << 0 << 1 << false
                               << "Can only go on a weaving job";
    QTest::newRow("on downtime") << plan << int(Rapier) << 1 << 1 << false
                                 << "Can only go on a weaving job";
    QTest::newRow("on a warp of another colour")
        << plan << int(Rapier) << 3 << 1 << false << "Cannot go on this loom/warp type";
    QTest::newRow("on a loom type without the fabric")
        << plan << int(Projectile) << 2 << 1 << false << "Cannot go on this loom/warp type";
    QTest::newRow("fits") << plan << int(Rapier) << 2 << 40 << true << "";
    // 3000 m of A: 2850 m and 142 kg to fill; 50 pieces of P need 130 kg and
    // 3000 m.
    QTest::newRow("too long for what is left")
        << plan << int(Rapier) << 2 << 50 << false << "Not enough capacity left";
}

void TestWeaveRules::itemDrag() {
    QFETCH(QString, plan);
    QFETCH(int, targetType);
    QFETCH(int, target);
    QFETCH(int, pieces);
    QFETCH(bool, accept);
    QFETCH(QString, status);
    const TVxPlanItem item{1, "P", "001", "WHT", pieces};
    const TVxDragVerdict v = rules().ItemDropVerdict(loom(targetType, plan), target, item, false);
    QCOMPARE(v.Accept, accept);
    QCOMPARE(statusOf(v), status);
    // Reordering within its own job is always allowed, full or not.
    TVxPlanLoom source = loom(Rapier, "R2400 W:A-WHT");
    source.Jobs[1].Items << item;
    QVERIFY(rules().ItemDropVerdict(source, 1, item, true).Accept);
}

void TestWeaveRules::dragOutlook_data() {
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("pieces"); // of its fabric dragged; 0: the job is
    QTest::addColumn<QStringList>("looms");
    const QString open = "open";
    const QString reedRequired = "Reed required";
    const QString wrongReed = "Wrong reed type for this warp";
    const QString noWeaving = "Can only go on a weaving job";
    QTest::newRow("2400 warp with fabric") << 1 << 0
                                           << QStringList{open, open,
                                                          "Has fabric that cannot go on this "
                                                          "loom type",
                                                          reedRequired};
    QTest::newRow("2640 warp") << 5 << 0 << QStringList{open, wrongReed, wrongReed, reedRequired};
    QTest::newRow("downtime") << 2 << 0 << QStringList{open, open, open, open};
    QTest::newRow("reed") << 0 << 0 << QStringList(4, "Cannot move a reed");
    QTest::newRow("fabric") << 1 << 1 << QStringList{open, open, noWeaving, noWeaving};
    QTest::newRow("fabric too long for any other warp")
        << 1 << 50 << QStringList{open, "Not enough capacity left", noWeaving, noWeaving};
}

// Every loom's verdict at drag start, and each of its places agreeing with
// the drag-over rule asked place by place.
void TestWeaveRules::dragOutlook() {
    QFETCH(int, job);
    QFETCH(int, pieces);
    QFETCH(QStringList, looms);
    TVxPlan plan;
    plan.Looms << loom(Rapier, "R2400 W:A-WHT D W:A-NAT R2640 W:C-BLU")
               << loom(Rapier, "R2400 D W:A-WHT") << loom(Projectile, "R2400") << loom(Rapier, "");
    const TVxPlanItem item{1, "P", "001", "WHT", std::max(pieces, 1)};
    plan.Looms[0].Jobs[1].Items << item;
    const TVxWeaveRules r = rules();
    const TVxDragOutlook outlook = pieces > 0 ? TVxDragOutlook::ForItem(plan, r, {0, job}, 0)
                                              : TVxDragOutlook::ForJob(plan, r, {0, job});
    QStringList shown;
    for (int l = 0; l < plan.Looms.size(); ++l) {
        shown << (outlook.Loom(l).Open ? "open" : outlook.Loom(l).Reason);
        const std::vector<TVxDragVerdict>& places = outlook.Places(l);
        const int count = plan.Looms[l].Jobs.size() + (pieces > 0 ? 0 : l == 0 ? 0 : 1);
        QCOMPARE(int(places.size()), count);
        for (int p = 0; p < count; ++p) {
            const TVxDragVerdict one =
                pieces > 0 ? r.ItemDropVerdict(plan.Looms[l], p, item, l == 0 && p == job)
                           : r.JobMoveVerdict(plan, {0, job}, l, p);
            QCOMPARE(places[p].Accept, one.Accept);
            QCOMPARE(places[p].Reason, one.Reason);
            QCOMPARE(statusOf(places[p]), statusOf(one));
        }
    }
    QCOMPARE(shown, looms);
}

QTEST_MAIN(TestWeaveRules)
#include "tst_wearules.moc"
