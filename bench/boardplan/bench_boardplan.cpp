// Time of putting a large plan on the board and reading it back: 200 rapier
// looms of 50 jobs (a reed and 49 warps of four fabric items each), 10,000
// jobs in all, the whole board with its bookkeeping (captions, capacities,
// weaving times, footers, loom start dates).
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppUnit.h"
#include "BenchSupport.h"
#include "MainUnit.h"
#include "VxDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;

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
    if (!benchsupport::writeRapierPlant(folder.path(), kLooms)) {
        std::fprintf(stderr, "sample reference files not found in %s\n",
                     qPrintable(benchsupport::samplesDir()));
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
    const TVxPlan plan = benchsupport::rapierPlan(kLooms, kJobsPerLoom);
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
