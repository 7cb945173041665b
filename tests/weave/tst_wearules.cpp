// The placement, dating, deletion and drag rules, run on real loom columns
// with the reference tables read from the shipped sample files.

#include "RefText.h"
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
        m_Context.WarpInfos = &m_WarpInfos;
        m_Context.FabricInfos = &m_FabricInfos;
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

private:
    TVxWeaveRules rules() const { return TVxWeaveRules(m_LoomTypes, m_Downtimes, m_Context); }
    // A loom of the given type from a plan like "R2400 W:A-WHT D W:A-NAT":
    // R<ends> a reed, W:<warp key> a 3000 m warp placed under the ends of its
    // type, D a downtime, each lasting two days.
    std::unique_ptr<TVxJobSchedule> loom(int type, const QString& plan) const;
    TVxWeaveJob* warpOn(TVxJobSchedule* s, int index) const {
        return dynamic_cast<TVxWeaveJob*>(s->Jobs(index));
    }
    QStringList downtimes() const { return m_Downtimes.Keys(); }

    TLoomTypeList m_LoomTypes;
    TWarpInfoList m_WarpInfos;
    TFabricInfoList m_FabricInfos;
    TDowntimeList m_Downtimes;
    TVxWeaveContext m_Context;
};

std::unique_ptr<TVxJobSchedule> TestWeaveRules::loom(int type, const QString& plan) const {
    auto schedule = std::make_unique<TVxJobSchedule>();
    schedule->Tag = type;
    TDateTime day = VxEncodeDate(2026, 3, 2);
    for (const QString& step : plan.split(' ', Qt::SkipEmptyParts)) {
        TVxJob* job = nullptr;
        if (step.startsWith('R')) {
            auto* reed = new TVxReedJob;
            reed->SetTotalEnds(step.mid(1).toInt());
            reed->Tag = reed->TotalEnds();
            job = reed;
        } else if (step.startsWith("W:")) {
            auto* warp = new TVxWeaveJob;
            const QString key = step.mid(2);
            warp->SetWarpType(WarpTypeOf(key));
            warp->SetWarpCol(WarpColOf(key));
            warp->SetWarpLen(3000);
            warp->Tag = m_WarpInfos.Find(warp->WarpType())->TotalEnds;
            job = warp;
        } else {
            auto* downtime = new TVxDowntimeJob;
            downtime->SetDescr(m_Downtimes.Key(0));
            job = downtime;
        }
        job->SetStartDate(day);
        job->SetFinishDate(day + 2);
        day += 2;
        schedule->InsertJob(job);
        UpdateCapacity(job, m_Context);
    }
    return schedule;
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
    auto s = loom(type, plan);

    QStringList texts;
    for (const TVxJobTypeEntry& entry : rules().OfferedJobTypes(s.get())) {
        texts << entry.Text;
        QCOMPARE(entry.IsWarp, warps.contains(entry.Text));
        if (entry.IsWarp) {
            const TFabricList* fabrics = rules().FabricListOf(s.get(), entry.Text);
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
    TVxJobSchedule s;
    for (int i = 0; i < dates.size(); i += 2) {
        auto* job = new TVxDowntimeJob;
        job->SetStartDate(base + dates[i]);
        job->SetFinishDate(dates[i + 1] < 0 ? 0 : base + dates[i + 1]);
        s.InsertJob(job);
    }
    TVxWeaveRules::ChainJobDates(&s, loomStart < 0 ? 0 : base + loomStart);
    QList<double> actual;
    for (int i = 0; i < s.JobCount(); ++i) {
        actual << s.Jobs(i)->StartDate() - base;
        actual << (s.Jobs(i)->FinishDate() == 0 ? -1 : s.Jobs(i)->FinishDate() - base);
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
    auto s = loom(Rapier, plan);
    QCOMPARE(TVxWeaveRules::ReedHasWarpBelow(s.get(), reed), blocked);
}

namespace {
// The status text a verdict leaves: "<leave>" when it leaves the bar alone.
QString statusOf(const TVxDragVerdict& v) {
    return v.Status ? *v.Status : QString("<leave>");
}
} // namespace

void TestWeaveRules::jobDragWithinLoom_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("status");
    // 0 R2400, 1 W A-WHT, 2 D, 3 W A-NAT, 4 R2640, 5 W C-BLU
    QTest::newRow("reed, own loom") << 0 << 3 << false << "Cannot move a reed";
    QTest::newRow("reed to the end") << 4 << -1 << false << "Cannot move a reed";
    QTest::newRow("downtime above the first reed") << 2 << 0 << true << "";
    QTest::newRow("warp above the first reed") << 1 << 0 << false << "Reed required";
    QTest::newRow("2400 warp between the reeds") << 3 << 2 << true << "";
    QTest::newRow("2400 warp on the 2640 reed itself") << 1 << 4 << false << "<leave>";
    QTest::newRow("2400 warp below the 2640 reed")
        << 1 << 5 << false << "Wrong reed type for this warp";
    QTest::newRow("2400 warp to the end") << 1 << -1 << false << "Wrong reed type for this warp";
    QTest::newRow("2640 warp to the end") << 5 << -1 << true << "";
    QTest::newRow("2640 warp between the 2400 jobs")
        << 5 << 3 << false << "Wrong reed type for this warp";
}

void TestWeaveRules::jobDragWithinLoom() {
    QFETCH(int, dragged);
    QFETCH(int, index);
    QFETCH(bool, accept);
    QFETCH(QString, status);
    auto s = loom(Rapier, "R2400 W:A-WHT D W:A-NAT R2640 W:C-BLU");
    const TVxDragVerdict v = rules().JobDragVerdict(s.get(), s->Jobs(dragged), index);
    QCOMPARE(v.Accept, accept);
    QCOMPARE(statusOf(v), status);
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
    auto source = loom(Rapier, "R2400 W:" + warp);
    auto target = loom(targetType, "R2400 D");
    if (!fabric.isEmpty()) {
        const QStringList f = fabric.split(',');
        AddWeaveItem(source->Jobs(1), 1, f[0], f[1], f[2], 1);
    }
    const TVxDragVerdict v = rules().JobDragVerdict(target.get(), source->Jobs(1), 1);
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
    auto source = loom(Rapier, "R2400 W:A-WHT");
    auto* item = AddWeaveItem(source->Jobs(1), 1, "P", "001", "WHT", pieces);
    auto s = loom(targetType, plan);
    TVxJob* job = target < 0 ? nullptr : s->Jobs(target);
    const TVxDragVerdict v = rules().ItemDragVerdict(s.get(), job, item);
    QCOMPARE(v.Accept, accept);
    QCOMPARE(statusOf(v), status);
    // Reordering within its own job is always allowed, full or not.
    QVERIFY(rules().ItemDragVerdict(source.get(), source->Jobs(1), item).Accept);
}

QTEST_MAIN(TestWeaveRules)
#include "tst_wearules.moc"
