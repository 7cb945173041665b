// SPDX-License-Identifier: GPL-3.0-or-later
// The planner on a generated plant, to look at the board and the timeline by
// hand: `plant_demo` shows the sample plant, `plant_demo 200` a plant of 200
// rapier looms. Every loom gets a reed and warps of its own warp types with
// fabric filling them between about 60 % and a little over 100 %, a
// downtime now and then, and runs out somewhere between a few days ago and
// two months from today. Not a benchmark: it prints nothing and stays open.
// It speaks the system's language (LANGUAGE=de plant_demo for German).

#include "AppWindows.h"
#include "BenchSupport.h"
#include "MainForm.h"
#include "ProgramLanguage.h"
#include "RefData.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"
#include "VxWeaPlan.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <random>

namespace {
// The warps of a loom's type with the given ends.
QStringList warpsWithEnds(const TVxWeaveRefs& refs, const QString& loomType, int ends) {
    QStringList keys;
    const TWarpList* warps = refs.WarpList(loomType);
    for (int i = 0; warps && i < warps->Count(); ++i) {
        const TWarpInfo* info = refs.WarpInfo(WarpTypeOf(warps->Key(i)));
        if (info && info->TotalEnds == ends) keys << warps->Key(i);
    }
    return keys;
}

// Fabric pieces on the warp until it is filled to about `fill` of its length.
void fillWarp(TVxPlanJob& warp, const QString& loomType, double fill, const TVxWeaveRefs& refs,
              int& itemNo, std::mt19937& random) {
    const TFabricList* fabrics = refs.FabricList(loomType, PlanWarpKey(warp));
    if (!fabrics || fabrics->Count() == 0) return;
    const int capacity = PlanWarpRemaining(warp, refs).Len;
    while (warp.Items.size() < 4) {
        const QString key = fabrics->Key(int(random() % unsigned(fabrics->Count())));
        const TFabricInfo* info = refs.FabricInfo(FabricStruOf(key));
        if (!info || info->PieceLen <= 0) return;
        const int left = PlanWarpRemaining(warp, refs).Len - int(capacity * (1 - fill));
        const int pieces = std::min(int(1 + random() % 12), left / info->PieceLen);
        if (pieces <= 0) return;
        TVxPlanItem item;
        item.ItemNo = itemNo++;
        item.FabricStru = FabricStruOf(key);
        item.FabricCol = FabricColOf(key);
        item.WeftCol = WeftColOf(key);
        item.Pieces = pieces;
        warp.Items << item;
    }
}

TVxPlan generatedPlan(const TVxPlan& looms, const TVxWeaveRefs& refs) {
    std::mt19937 random(29);
    const double today = VxToday();
    const QStringList downtimes = refs.DowntimeTypes ? refs.DowntimeTypes->Keys() : QStringList();
    TVxPlan plan = looms;
    int jobNo = 1;
    int itemNo = 1;
    for (TVxPlanLoom& loom : plan.Looms) {
        const TWarpList* warps = refs.WarpList(loom.LoomType);
        if (!warps || warps->Count() == 0) continue;
        const TWarpInfo* first =
            refs.WarpInfo(WarpTypeOf(warps->Key(int(random() % unsigned(warps->Count())))));
        if (!first) continue;
        const QStringList keys = warpsWithEnds(refs, loom.LoomType, first->TotalEnds);
        loom.StartDate = today - 20 - random() % 20;
        const double runsOut = today - 3 + random() % 60;
        TVxPlanJob reed;
        reed.Kind = TVxPlanJobKind::Reed;
        reed.JobNo = jobNo++;
        reed.TotalEnds = first->TotalEnds;
        reed.DentsPerCm = 6.5f;
        reed.StartDate = reed.FinishDate = loom.StartDate;
        loom.Jobs << reed;
        double day = loom.StartDate;
        while (day < runsOut) {
            if (!downtimes.isEmpty() && random() % 6 == 0) {
                TVxPlanJob stop;
                stop.Kind = TVxPlanJobKind::Downtime;
                stop.JobNo = jobNo++;
                stop.Descr = downtimes[int(random() % unsigned(downtimes.size()))];
                stop.StartDate = day;
                stop.FinishDate = day += 1 + random() % 3;
                loom.Jobs << stop;
            }
            TVxPlanJob warp;
            warp.Kind = TVxPlanJobKind::Warp;
            warp.JobNo = jobNo++;
            const QString key = keys[int(random() % unsigned(keys.size()))];
            warp.WarpType = WarpTypeOf(key);
            warp.WarpCol = WarpColOf(key);
            warp.WarpLen = refs.WarpInfo(warp.WarpType)->WarpLen;
            warp.StartDate = warp.FinishDate = day;
            fillWarp(warp, loom.LoomType, 0.6 + (random() % 46) / 100.0, refs, itemNo, random);
            StretchForWeaveTime(warp, refs);
            day = std::max(warp.FinishDate, day + 2);
            warp.FinishDate = day;
            loom.Jobs << warp;
        }
        SettleLoom(loom, refs);
    }
    plan.NextJobNo = jobNo;
    plan.NextItemNo = itemNo;
    return plan;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PlexiweaveInitApplication(app);
    // The system's language, as the program speaks it without a choice.
    TProgramLanguage::Install(QString());
    const int looms = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    QTemporaryDir folder;
    if (looms > 0) {
        if (!benchsupport::writeRapierPlant(folder.path(), looms)) return 1;
    } else {
        for (const char* name :
             {"WarpType.csv", "FabricType.csv", "StruLoom.csv", "LoomSpec.csv", "DowntimeType.csv"})
            QFile::copy(QDir(benchsupport::samplesDir()).filePath(name), folder.filePath(name));
    }
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    main.TextFolder = folder.path();
    main.show();
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    main.Document->Push(new TVxLoadCommand(
        *main.Document, generatedPlan(main.Document->plan(), main.Document->Refs()), {}));
    return app.exec();
}
