// SPDX-License-Identifier: GPL-3.0-or-later
// The weaving job kinds: their panel texts and per-kind menus; the capacity,
// weaving-time and footer arithmetic on plan values.

#include "RefText.h"
#include "VxAbort.h"
#include "VxDate.h"
#include "VxDialogs.h"
#include "VxWeaSch.h"

#include <QtTest>
#include <limits>
#include <memory>

namespace {
// Reference figures chosen so that halves really occur: a greige fraction of
// exactly one half and weights of x.5 are representable in single precision.
struct Tables {
    TWarpInfoList warps;
    TFabricInfoList fabrics;
    TVxWeaveRefs refs;

    Tables() {
        addWarp("A", 1000, 5.0f, 0.5f);   // 500 m greige, 2.5 kg of warp share
        addWarp("B", 3000, 150.0f, 1.0f); // no loss
        addWarp("Z", 0, 80.0f, 1.0f);     // no standard length: no weight share
        addFabric("AB", 40, 2.5f, 6.0f);
        addFabric("C", 40, 2.4f, 12.0f);
        addFabric("D", 100, 1.0f, 7.5f);
        addFabric("HW", 40, std::numeric_limits<float>::max(), 1.0f); // absurd weight
        refs.WarpInfos = &warps;
        refs.FabricInfos = &fabrics;
    }
    void addWarp(const QString& type, int len, float wgt, float greige) {
        auto info = std::make_unique<TWarpInfo>();
        info->WarpLen = len;
        info->WarpWgt = wgt;
        info->GreigeFraction = greige;
        warps.Add(type, std::move(info));
    }
    void addFabric(const QString& stru, int pieceLen, float warpWgt, float hours) {
        auto info = std::make_unique<TFabricInfo>();
        info->PieceLen = pieceLen;
        info->WarpPceWgt = warpWgt;
        info->HrsPerPiece = hours;
        fabrics.Add(stru, std::move(info));
    }
};

TVxPlanJob planWarp(const QString& type, int len) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Warp;
    job.JobNo = 7;
    job.WarpType = type;
    job.WarpCol = QStringLiteral("WHT");
    job.WarpLen = len;
    return job;
}

TVxWeaveJob* newWarp(const QString& type, int len, int jobNo = 7) {
    auto* job = new TVxWeaveJob;
    job->JobNo = jobNo;
    job->SetWarpType(type);
    job->SetWarpCol(QStringLiteral("WHT"));
    job->SetWarpLen(len);
    return job;
}
} // namespace

class TestWeaSch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { VxSetShortDateFormat(QStringLiteral("dd/mm/yy")); }

    void jobCaptions_data();
    void jobCaptions();
    void setterRebuildsAtOnce();
    void warpStatusAndHint_data();
    void warpStatusAndHint();
    void itemCaption_data();
    void itemCaption();
    void kindsLookAndMenus();

    void updateCapacity_data();
    void updateCapacity();
    void sampleWarpCapacity();
    void updateWeaveTime_data();
    void updateWeaveTime();
    void checkCapacity_data();
    void checkCapacity();

    void addWeaveItemRaisesOnceWhenComplete();
    void footer();
};

void TestWeaSch::jobCaptions_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("reed") << "reed"
                          << "12:  Reed 2640";
    QTest::newRow("warp") << "warp"
                          << "7:  A-WHT 3000m";
    QTest::newRow("downtime") << "downtime"
                              << "4:  Loom service";
}

void TestWeaSch::jobCaptions() {
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    std::unique_ptr<TVxJob> job;
    if (kind == "reed") {
        auto* reed = new TVxReedJob;
        job.reset(reed);
        reed->JobNo = 12;
        reed->SetTotalEnds(2640);
        reed->SetDentsPerCm(6.5f);
    } else if (kind == "warp") {
        job.reset(newWarp("A", 3000));
    } else {
        auto* downtime = new TVxDowntimeJob;
        job.reset(downtime);
        downtime->JobNo = 4;
        downtime->SetDescr("Loom service");
    }
    QCOMPARE(job->UpperCaption(), expected);
    QCOMPARE(JobKindText(job.get()), kind == "reed"   ? QString("Reed")
                                     : kind == "warp" ? QString("A-WHT")
                                                      : QString("Loom service"));
}

void TestWeaSch::setterRebuildsAtOnce() {
    TVxReedJob reed;
    reed.JobNo = 12;
    reed.SetTotalEnds(2640);
    reed.SetTotalEnds(2400);
    QCOMPARE(reed.UpperCaption(), QString("12:  Reed 2400"));

    std::unique_ptr<TVxWeaveJob> warp(newWarp("A", 3000));
    warp->SetWarpCol("RED");
    QCOMPARE(warp->UpperCaption(), QString("7:  A-RED 3000m"));
    warp->SetWarpLen(2500);
    QCOMPARE(warp->UpperCaption(), QString("7:  A-RED 2500m"));
    QCOMPARE(warp->WarpKey(), QString("A-RED"));
}

void TestWeaSch::warpStatusAndHint_data() {
    QTest::addColumn<int>("remLen");
    QTest::addColumn<int>("remWgt");
    QTest::addColumn<int>("hours");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("hintShown");
    QTest::newRow("room left") << 2850 << 212 << 36 << "Rem: 2850m / 212kg" << true;
    QTest::newRow("over-filled") << -40 << 3 << 1 << "Rem: -40m / 3kg" << true;
    QTest::newRow("both negative, no time") << -1 << -7 << 0 << "Rem: -1m / -7kg" << false;
}

void TestWeaSch::warpStatusAndHint() {
    QFETCH(int, remLen);
    QFETCH(int, remWgt);
    QFETCH(int, hours);
    QFETCH(QString, status);
    QFETCH(bool, hintShown);
    std::unique_ptr<TVxWeaveJob> warp(newWarp("A", 3000));
    QVERIFY2(warp->StatusText().isEmpty(), "no status before the first recomputation");
    warp->SetRemaining({remLen, remWgt});
    warp->SetEstWeaveHours(hours);
    QCOMPARE(warp->StatusText(), status);
    QCOMPARE(warp->DatesRow.ShowHint, hintShown);
    if (hintShown)
        QCOMPARE(warp->DatesRow.Hint, QStringLiteral("Est weave time: %1hrs").arg(hours));
}

void TestWeaSch::itemCaption_data() {
    QTest::addColumn<QString>("stru");
    QTest::addColumn<QString>("col");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<QString>("caption");
    QTest::newRow("one piece") << "AB"
                               << "RED" << 1 << "ABRED : NAT/1pc";
    QTest::newRow("two pieces") << "AB"
                                << "RED" << 2 << "ABRED : NAT/2pcs";
    QTest::newRow("three pieces") << "AB"
                                  << "RED" << 3 << "ABRED : NAT/3pcs";
    QTest::newRow("none") << "B"
                          << "001" << 0 << "B001 : NAT/0pc";
    QTest::newRow("negative") << "B"
                              << "001" << -2 << "B001 : NAT/-2pc";
}

void TestWeaSch::itemCaption() {
    QFETCH(QString, stru);
    QFETCH(QString, col);
    QFETCH(int, pieces);
    QFETCH(QString, caption);
    TVxWeaveJobItem item;
    item.SetFabricStru(stru);
    item.SetFabricCol(col);
    item.SetWeftCol("NAT");
    item.SetPieces(pieces);
    QCOMPARE(item.Caption(), caption);
    QCOMPARE(item.FabricKey(), caption.section('/', 0, 0));
}

void TestWeaSch::kindsLookAndMenus() {
    TVxJobSchedule loom;
    loom.MenuCaptions().AddItem = "&Add Fabric...";
    loom.MenuCaptions().ClearItems = "&Clear Fabrics";
    loom.MenuCaptions().EditJob = "&Edit Warp";
    loom.MenuCaptions().RemoveJob = "&Remove Warp";

    auto* reed = new TVxReedJob;
    auto* warp = new TVxWeaveJob;
    auto* downtime = new TVxDowntimeJob;
    for (TVxJob* job :
         {static_cast<TVxJob*>(reed), static_cast<TVxJob*>(warp), static_cast<TVxJob*>(downtime)}) {
        loom.InsertJob(job);
        SetJobMenuCaptions(job);
        QVERIFY(!job->CaptionFont().bold());
    }
    QCOMPARE(reed->CaptionColor(), QColor(0, 128, 0));
    QCOMPARE(downtime->CaptionColor(), QColor(128, 0, 128));
    QCOMPARE(warp->CaptionColor(), TVxJob().CaptionColor());

    QCOMPARE(reed->MenuCaptions().AddItem, QString());
    QCOMPARE(reed->MenuCaptions().ClearItems, QString());
    QCOMPARE(reed->MenuCaptions().EditJob, QString("&Edit Reed..."));
    QCOMPARE(reed->MenuCaptions().RemoveJob, QString("&Remove Reed"));
    QCOMPARE(downtime->MenuCaptions().EditJob, QString("&Edit Downtime..."));
    QCOMPARE(downtime->MenuCaptions().RemoveJob, QString("&Remove Downtime"));
    QCOMPARE(warp->MenuCaptions().AddItem, QString("&Add Fabric..."));
    QCOMPARE(warp->MenuCaptions().ClearItems, QString("&Clear Fabrics"));
    QCOMPARE(warp->MenuCaptions().EditJob, QString("&Edit Warp"));
}

void TestWeaSch::updateCapacity_data() {
    QTest::addColumn<QString>("warpType");
    QTest::addColumn<int>("warpLen");
    QTest::addColumn<QStringList>("items"); // "STRU:pieces"
    QTest::addColumn<int>("remLen");
    QTest::addColumn<int>("remWgt");
    // 1000 m x 0.5 = 500 m; 1000/1000 x 5 kg x 0.5 = 2.5 kg, half to even 2.
    QTest::newRow("empty, halves to even") << "A" << 1000 << QStringList() << 500 << 2;
    // 1001 x 0.5 = 500.5 m rounds to 500; the weight 2.5025 rounds to 3.
    QTest::newRow("length half to even") << "A" << 1001 << QStringList() << 500 << 3;
    // Each item is rounded before it is added: 2.5 -> 2 twice gives 4, where
    // the rounded sum would have been 5. 6000 x 0.5 = 3000 m, 15 kg share.
    QTest::newRow("items rounded one by one")
        << "A" << 6000 << QStringList{"AB:1", "AB:1"} << 3000 - 80 << 15 - 4;
    // The sum is taken off before rounding: 500.5 - 40 = 460.5 -> 460.
    QTest::newRow("sum subtracted before rounding")
        << "A" << 1001 << QStringList{"C:1"} << 460 << 1;
    QTest::newRow("over-filled goes negative")
        << "B" << 3000 << QStringList{"D:31"} << -100 << 150 - 31;
    QTest::newRow("unknown warp type offers nothing")
        << "Q" << 3000 << QStringList{"D:1"} << -100 << -1;
    QTest::newRow("unknown fabric takes nothing")
        << "B" << 3000 << QStringList{"XX:5"} << 3000 << 150;
    QTest::newRow("warp type without standard length") << "Z" << 3000 << QStringList() << 3000 << 0;
    // Absurd figures hold at the bottom of the range instead of wrapping into
    // capacity that is not there.
    const int least = std::numeric_limits<int32_t>::min();
    QTest::newRow("weight beyond any integer")
        << "B" << 3000 << QStringList{"HW:1"} << 3000 - 40 << least;
    QTest::newRow("piece count beyond any length")
        << "B" << 3000 << QStringList{"D:2147483647", "D:2147483647"} << least << least;
}

void TestWeaSch::updateCapacity() {
    QFETCH(QString, warpType);
    QFETCH(int, warpLen);
    QFETCH(QStringList, items);
    QFETCH(int, remLen);
    QFETCH(int, remWgt);
    Tables tables;
    TVxPlanJob warp = planWarp(warpType, warpLen);
    int itemNo = 1;
    for (const QString& spec : items)
        warp.Items << TVxPlanItem{itemNo++, spec.section(':', 0, 0), "RED", "NAT",
                                  spec.section(':', 1).toInt()};
    QCOMPARE(PlanWarpRemaining(warp, tables.refs), (TVxWarpRemaining{remLen, remWgt}));
    QCOMPARE(PlanJobStatusText(warp, tables.refs),
             QStringLiteral("Rem: %1m / %2kg").arg(remLen).arg(remWgt));

    // Other kinds show none.
    TVxPlanJob reed;
    reed.Kind = TVxPlanJobKind::Reed;
    QVERIFY(PlanJobStatusText(reed, tables.refs).isEmpty());
}

void TestWeaSch::sampleWarpCapacity() {
    // The shipped reference files: warp A is 3000 m of 150 kg at 95 % greige
    // length; fabric P takes 60 m, 2.6 kg and 3.5 h a piece.
    VxDialogScript script;
    TRefTextLoader loader(qEnvironmentVariable("PLEXIWEAVE_SAMPLES"));
    const TWarpInfoList warps = loader.BuildWarpInfos();
    const TFabricInfoList fabrics = loader.BuildFabricInfos();
    QCOMPARE(script.texts(), QStringList());
    TVxWeaveRefs refs;
    refs.WarpInfos = &warps;
    refs.FabricInfos = &fabrics;
    TVxPlanJob warp = planWarp("a", 3000); // keys ignore case
    QCOMPARE(PlanJobStatusText(warp, refs), QString("Rem: 2850m / 142kg"));
    warp.Items << TVxPlanItem{1, "P", "001", "WHT", 10};
    QCOMPARE(PlanJobStatusText(warp, refs), QString("Rem: 2250m / 116kg"));
    QCOMPARE(PlanEstWeaveHours(warp, refs), 35);
}

void TestWeaSch::updateWeaveTime_data() {
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("stru");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("finishDays");
    QTest::newRow("30h on 1 day keeps 1 day") << 1 << "AB" << 5 << 30 << 1;
    QTest::newRow("36h on 1 day takes 2 days") << 1 << "AB" << 6 << 36 << 2;
    QTest::newRow("15h on 1 day changes nothing") << 1 << "D" << 2 << 15 << 1;
    QTest::newRow("never shortened") << 5 << "C" << 1 << 12 << 5;
    QTest::newRow("no items, no hint") << 2 << "AB" << 0 << 0 << 2;
    // 7.5 h x 5 = 37.5 h rounds to 38 shown; 37.5/24 = 1.5625 -> 2 days.
    QTest::newRow("estimate half to even") << 1 << "D" << 5 << 38 << 2;
    QTest::newRow("2.5 h rounds to 2") << 1 << "Y" << 1 << 2 << 1;
}

void TestWeaSch::updateWeaveTime() {
    QFETCH(int, days);
    QFETCH(QString, stru);
    QFETCH(int, pieces);
    QFETCH(int, hours);
    QFETCH(int, finishDays);
    Tables tables;
    tables.addFabric("Y", 10, 1.0f, 2.5f);
    TVxPlanJob warp = planWarp("B", 3000);
    const TDateTime start = VxEncodeDate(2026, 3, 2);
    warp.StartDate = start;
    warp.FinishDate = start + days;
    if (pieces > 0) warp.Items << TVxPlanItem{1, stru, "RED", "NAT", pieces};

    QCOMPARE(PlanEstWeaveHours(warp, tables.refs), hours);
    StretchForWeaveTime(warp, tables.refs);
    QCOMPARE(warp.StartDate, start);
    QCOMPARE(warp.FinishDate, start + finishDays);
    // The board shows the hint only while there is an estimate.
    std::unique_ptr<TVxWeaveJob> drawn(newWarp("B", 3000));
    drawn->SetEstWeaveHours(hours);
    QCOMPARE(drawn->DatesRow.ShowHint, hours > 0);
}

void TestWeaSch::checkCapacity_data() {
    QTest::addColumn<int>("remLen");
    QTest::addColumn<int>("remWgt");
    QTest::addColumn<QString>("stru");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("error");
    // C: 40 m and 2.4 kg per piece.
    QTest::newRow("2 of 40m in 100m") << 100 << 500 << "C" << 2 << "";
    QTest::newRow("3 of 40m in 100m") << 100 << 500 << "C" << 3 << "Length over capacity by 20m";
    QTest::newRow("2 need 5kg of 5kg") << 1000 << 5 << "C" << 2 << "";
    QTest::newRow("3 need 7kg of 5kg") << 1000 << 5 << "C" << 3 << "Weight over capacity by 2kg";
    QTest::newRow("length before weight") << 100 << 5 << "C" << 3 << "Length over capacity by 20m";
    QTest::newRow("fewer pieces always fit") << 10 << 1 << "C" << -2 << "";
    QTest::newRow("already over, nothing added")
        << -40 << 3 << "C" << 0 << "Length over capacity by 40m";
    QTest::newRow("unknown fabric, nothing added") << 0 << 0 << "??" << 0 << "";
    QTest::newRow("unknown fabric added")
        << 100 << 100 << "??" << 1 << "Unknown fabric structure: ??";
    QTest::newRow("huge count does not wrap")
        << 100 << 100 << "D" << 100000000 << "Length over capacity by 9999999900m";
    QTest::newRow("largest count") << 100 << 100 << "D" << std::numeric_limits<int32_t>::max()
                                   << "Length over capacity by 214748364600m";
    // The weight figure is the single-precision maximum itself, in digits.
    const QString floatMax = QString::number(double(std::numeric_limits<float>::max()), 'f', 0);
    QTest::newRow("weight beyond any integer")
        << 1000 << 100 << "HW" << 1 << QString("Weight over capacity by %1kg").arg(floatMax);
    QTest::newRow("weight beyond any integer, already over")
        << 1000 << -142 << "HW" << 1 << QString("Weight over capacity by %1kg").arg(floatMax);
}

void TestWeaSch::checkCapacity() {
    QFETCH(int, remLen);
    QFETCH(int, remWgt);
    QFETCH(QString, stru);
    QFETCH(int, added);
    QFETCH(QString, error);
    Tables tables;
    QString message;
    try {
        CheckCapacity(TVxWarpRemaining{remLen, remWgt}, stru, added, tables.refs);
    } catch (const EVxError& e) {
        message = e.message();
    }
    QCOMPARE(message, error);

    TVxPlanJob downtime;
    CheckCapacity(downtime, stru, 1000, tables.refs); // never refuses
}

void TestWeaSch::addWeaveItemRaisesOnceWhenComplete() {
    TVxJobSchedule loom;
    auto* warp = newWarp("B", 3000);
    loom.InsertJob(warp);
    QStringList seen;
    loom.OnAfterItemAdd = [&](TVxJobSchedule* schedule, TVxJob* job, TVxJobItem* item) {
        QCOMPARE(schedule, &loom);
        QCOMPARE(job, static_cast<TVxJob*>(warp));
        seen << QStringLiteral("%1 %2").arg(item->ItemNo).arg(item->Caption());
    };
    auto* item = AddWeaveItem(warp, 42, "AB", "RED", "NAT", 3);
    QCOMPARE(seen, QStringList{"42 ABRED : NAT/3pcs"});
    QCOMPARE(warp->ItemCount(), 1);
    QCOMPARE(item->Job(), static_cast<TVxJob*>(warp));
}

void TestWeaSch::footer() {
    TVxPlanLoom loom;
    QCOMPARE(LoomFooter(loom), QString());
    for (int i = 0; i < 2; ++i) {
        TVxPlanJob job;
        job.StartDate = VxEncodeDate(2026, 1, 10 + 3 * i);
        job.FinishDate = VxEncodeDate(2026, 1, 12 + 3 * i);
        loom.Jobs << job;
    }
    QCOMPARE(LoomFooter(loom), QString("Finish: 15/01/26"));
}

QTEST_MAIN(TestWeaSch)
#include "tst_weasch.moc"
