// Time of the drag rules on a long loom: one drag-over check of a warp and of
// a fabric item on a 500-job loom, through the rules alone and through the
// main window's handlers (status bar included). Target: under 1 ms a check.
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
#include <cstdio>

namespace {
QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? QStringLiteral(PLEXIWEAVE_SOURCE_DIR "/samples") : env;
}

// A RAPIER loom: one 2400 reed at the top, then 499 warps of A-WHT with two
// fabric items each; the last reed is as far from the end as it can be.
void fillLoom(TMainForm& main, TVxJobSchedule* loom, int jobs) {
    main.BulkUpdate = true;
    TDateTime day = VxEncodeDate(2026, 1, 5);
    auto* reed = new TVxReedJob;
    reed->SetTotalEnds(2400);
    reed->Tag = 2400;
    loom->InsertJob(reed);
    for (int i = 1; i < jobs; ++i) {
        auto* warp = new TVxWeaveJob;
        warp->JobNo = i;
        warp->SetWarpType("A");
        warp->SetWarpCol("WHT");
        warp->SetWarpLen(3000);
        warp->Tag = 2400;
        warp->SetStartDate(day);
        warp->SetFinishDate(day + 2);
        day += 2;
        loom->InsertJob(warp);
        AddWeaveItem(warp, 2 * i, "P", "001", "WHT", 3);
        AddWeaveItem(warp, 2 * i + 1, "DB", "WHT", "WHT", 2);
    }
    main.BulkUpdate = false;
}

template <class F> double microsecondsPer(int runs, F&& check) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        check(i);
    return timer.nsecsElapsed() / 1000.0 / runs;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    if (main.ScheduleBox->ScheduleCount() < 2) {
        std::fprintf(stderr, "sample looms not found in %s\n", qPrintable(samplesDir()));
        return 1;
    }
    const int jobs = 500;
    TVxJobSchedule* loom = main.ScheduleBox->Schedules(0);
    TVxJobSchedule* other = main.ScheduleBox->Schedules(1);
    QElapsedTimer build;
    build.start();
    fillLoom(main, loom, jobs);
    fillLoom(main, other, 2);
    std::printf("building a %d-job loom with %d items: %.1f ms\n", jobs, 2 * (jobs - 1),
                build.nsecsElapsed() / 1e6);

    const TVxWeaveRules rules = main.Rules();
    TVxJob* lastWarp = loom->Jobs(jobs - 1);
    TVxJob* foreignWarp = other->Jobs(1);
    TVxJobItem* foreignItem = foreignWarp->Items(0);
    const int runs = 2000;
    bool accept = false;
    volatile bool sink = false;

    const double withinLoom =
        microsecondsPer(runs, [&](int) { sink = rules.JobDragVerdict(loom, lastWarp, -1).Accept; });
    const double fromOtherLoom = microsecondsPer(runs, [&](int i) {
        sink = rules.JobDragVerdict(loom, foreignWarp, i % 2 ? -1 : jobs - 1).Accept;
    });
    const double itemOver = microsecondsPer(runs, [&](int i) {
        sink = rules.ItemDragVerdict(loom, loom->Jobs(1 + i % (jobs - 1)), foreignItem).Accept;
    });
    const double handlerJob =
        microsecondsPer(runs, [&](int) { main.JobDragOver(loom, foreignWarp, -1, accept); });
    const double handlerReed =
        microsecondsPer(runs, [&](int) { main.JobDragOver(loom, loom->Jobs(0), 3, accept); });
    (void)sink;

    std::printf("job drag-over, warp to the end of its own loom (scans 500 jobs): %.2f us\n",
                withinLoom);
    std::printf("job drag-over, warp from another loom with its fabric checked: %.2f us\n",
                fromOtherLoom);
    std::printf("item drag-over onto a warp, capacity checked:                  %.2f us\n",
                itemOver);
    std::printf("JobDragOver handler, accepted (status cleared):                %.2f us\n",
                handlerJob);
    std::printf("JobDragOver handler, refused reed (status message shown):      %.2f us\n",
                handlerReed);
    const double worst = std::max({withinLoom, fromOtherLoom, itemOver, handlerJob, handlerReed});
    std::printf("worst drag-over check: %.3f ms (target under 1 ms): %s\n", worst / 1000,
                worst < 1000 ? "met" : "MISSED");
    main.Modified = false;
    return 0;
}
