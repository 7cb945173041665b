// Time of putting a large plan on the board and reading it back: 200 rapier
// looms of 50 jobs (a reed and 49 warps of four fabric items each), 10,000
// jobs in all, the whole board with its bookkeeping (captions, capacities,
// weaving times, footers, loom start dates).
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppUnit.h"
#include "MainUnit.h"
#include "VxDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;

QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? QStringLiteral(PLEXIWEAVE_SOURCE_DIR "/samples") : env;
}

// The sample reference files with the looms replaced by kLooms rapiers.
bool writePlant(const QString& folder) {
    for (const char* name : {"WarpType.csv", "FabricType.csv", "StruLoom.csv", "DowntimeType.csv"})
        if (!QFile::copy(QDir(samplesDir()).filePath(name), QDir(folder).filePath(name)))
            return false;
    QFile looms(QDir(folder).filePath("LoomSpec.csv"));
    if (!looms.open(QIODevice::WriteOnly)) return false;
    for (int i = 1; i <= kLooms; ++i)
        looms.write(
            QStringLiteral("L%1,%2,RAPIER,R%1 190cm,\n").arg(i, 3, 10, QChar('0')).arg(i).toUtf8());
    return true;
}

TVxPlanItem fabric(int& itemNo, const char* stru, const char* col, const char* weft, int pieces) {
    TVxPlanItem item;
    item.ItemNo = itemNo++;
    item.FabricStru = stru;
    item.FabricCol = col;
    item.WeftCol = weft;
    item.Pieces = pieces;
    return item;
}

TVxPlan bigPlan() {
    TVxPlan plan;
    int jobNo = 1;
    int itemNo = 1;
    for (int l = 1; l <= kLooms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = l;
        TDateTime day = VxEncodeDate(2026, 1, 5);
        loom.StartDate = VxDateToStr(day);
        TVxPlanJob reed;
        reed.Kind = TVxPlanJobKind::Reed;
        reed.JobNo = jobNo++;
        reed.TotalEnds = 2400;
        reed.DentsPerCm = 6.5f;
        reed.StartDate = reed.FinishDate = day;
        loom.Jobs.push_back(reed);
        for (int j = 1; j < kJobsPerLoom; ++j) {
            TVxPlanJob warp;
            warp.Kind = TVxPlanJobKind::Warp;
            warp.JobNo = jobNo++;
            warp.WarpType = "A";
            warp.WarpCol = "WHT";
            warp.WarpLen = 3000;
            warp.StartDate = day;
            warp.FinishDate = day += 10;
            warp.Items = {
                fabric(itemNo, "P", "001", "WHT", 2), fabric(itemNo, "P", "002", "NAT", 1),
                fabric(itemNo, "DB", "WHT", "WHT", 3), fabric(itemNo, "P", "001", "WHT", 1)};
            loom.Jobs.push_back(warp);
        }
        plan.Looms.push_back(loom);
    }
    plan.NextJobNo = jobNo;
    plan.NextItemNo = itemNo;
    return plan;
}

template <class F> double msOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!writePlant(folder.path())) {
        std::fprintf(stderr, "sample reference files not found in %s\n", qPrintable(samplesDir()));
        return 1;
    }
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    main.TextFolder = folder.path();
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    const TVxPlan plan = bigPlan();
    std::printf("plan: %d looms, %d jobs, %d fabric items\n", int(plan.Looms.size()),
                plan.JobCount(), plan.ItemCount());

    TVxPlan read;
    const double onEmpty = msOf([&] { main.ShowPlan(plan); });
    const double reading = msOf([&] { read = main.CurrentPlan(); });
    const double replacing = msOf([&] { main.ShowPlan(read); });
    const double oneLoom =
        msOf([&] { main.ShowLoomPlan(main.ScheduleBox->Schedules(7), read.Looms[7]); });
    const bool same = main.CurrentPlan() == plan;

    std::printf("plan -> empty board:               %8.1f ms\n", onEmpty);
    std::printf("board -> plan:                     %8.1f ms\n", reading);
    std::printf("plan -> full board (replacing):    %8.1f ms\n", replacing);
    std::printf("round trip board -> plan -> board: %8.1f ms\n", reading + replacing);
    std::printf("one loom of %d jobs replaced:      %8.1f ms\n", kJobsPerLoom, oneLoom);
    std::printf("plan read back unchanged: %s\n", same ? "yes" : "NO");
    main.Modified = false;
    return same ? 0 : 1;
}
