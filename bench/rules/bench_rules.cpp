// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the drag rules on a long loom: one drag-over check of a warp and of
// a fabric item on a 500-job loom, through the rules alone and through the
// main window's handlers (status bar included). Target: under 1 ms a check.
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppWindows.h"
#include "BoardController.h"
#include "MainForm.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"

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

// A RAPIER loom: one 2400 reed at the top, then jobs - 1 warps of A-WHT with
// two fabric items each; the last reed is as far from the end as it can be.
TVxPlanLoom planLoom(int scheduleNo, int jobs) {
    TVxPlanLoom loom;
    loom.ScheduleNo = scheduleNo;
    TDateTime day = VxEncodeDate(2026, 1, 5);
    TVxPlanJob reed;
    reed.Kind = TVxPlanJobKind::Reed;
    reed.TotalEnds = 2400;
    loom.Jobs << reed;
    for (int i = 1; i < jobs; ++i) {
        TVxPlanJob warp;
        warp.Kind = TVxPlanJobKind::Warp;
        warp.JobNo = scheduleNo * 1000 + i;
        warp.WarpType = "A";
        warp.WarpCol = "WHT";
        warp.WarpLen = 3000;
        warp.StartDate = day;
        warp.FinishDate = day += 2;
        warp.Items << TVxPlanItem{2 * warp.JobNo, "P", "001", "WHT", 3}
                   << TVxPlanItem{2 * warp.JobNo + 1, "DB", "WHT", "WHT", 2};
        loom.Jobs << warp;
    }
    return loom;
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
    TVxPlan plan;
    plan.Looms << planLoom(loom->ScheduleNo, jobs) << planLoom(other->ScheduleNo, 2);
    main.Document->Push(new TVxLoadCommand(*main.Document, plan, {}));
    std::printf("building a %d-job loom with %d items: %.1f ms\n", jobs, 2 * (jobs - 1),
                build.nsecsElapsed() / 1e6);

    const TVxWeaveRules rules = main.Document->Rules();
    const TVxPlan& shown = main.Document->plan();
    const TVxPlanItem& foreignItem = shown.Looms[1].Jobs[1].Items[0];
    TVxJob* foreignWarp = other->Jobs(1);
    const int runs = 2000;
    bool accept = false;
    volatile bool sink = false;

    const double withinLoom = microsecondsPer(runs, [&](int) {
        sink = rules.JobMoveVerdict(shown, {0, jobs - 1}, 0, jobs - 1).Accept;
    });
    const double fromOtherLoom = microsecondsPer(runs, [&](int i) {
        sink = rules.JobMoveVerdict(shown, {1, 1}, 0, i % 2 ? jobs : jobs - 1).Accept;
    });
    const double itemOver = microsecondsPer(runs, [&](int i) {
        sink = rules.ItemDropVerdict(shown.Looms[0], 1 + i % (jobs - 1), foreignItem, false).Accept;
    });
    TBoardController& controller = *main.Controller;
    const double handlerJob =
        microsecondsPer(runs, [&](int) { controller.JobDragOver(loom, foreignWarp, -1, accept); });
    const double handlerReed =
        microsecondsPer(runs, [&](int) { controller.JobDragOver(loom, loom->Jobs(0), 3, accept); });
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
    main.Document->SetClean();
    return 0;
}
