// SPDX-License-Identifier: GPL-3.0-or-later
// The timeline and find on a large plant: 200 rapier looms of 50 jobs (a
// reed and 49 warps of four fabric items each), 10,000 jobs, over a year.
// Figures (medians of repeated runs, in processor time of the process; the
// wall clock beside it; targets in brackets):
//   timeline full paint (8 ms): the whole 1600 x 1000 view at the zooms a
//     planner uses (the year in the width, weeks, days, hours), the slowest;
//   timeline zoom step (16 ms): one step in or out with the paint it
//     causes, the slowest step;
//   find over the plant (20 ms): every job and fabric searched, the slowest
//     of a few queries;
//   timeline memory growth (50 MB): resident memory the view and all of the
//     above added.
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "BenchBoard.h"
#include "VxPlanCommand.h"
#include "VxPlanFinder.h"
#include "VxTimelineView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;
const int kRuns = 25;

// The median time of the runs. On a machine shared with other work the wall
// clock counts the waits for a core too; the processor time the program
// takes does not, so that is the figure, with the wall clock's beside it.
double g_wallMs = 0;
template <class F> double medianMs(F&& work, int runs = kRuns) {
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double started = benchsupport::cpuMs();
        work();
        cpu.push_back(benchsupport::cpuMs() - started);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    g_wallMs = wall[wall.size() / 2];
    return cpu[cpu.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlexiweaveInitApplication(app);
    QTemporaryDir folder;
    TAppWindows windows;
    if (!benchsupport::startRapierBoard(windows, folder, kLooms)) return 1;
    TMainForm& main = *windows.MainForm;
    main.Document->Push(
        new TVxLoadCommand(*main.Document, benchsupport::rapierPlan(kLooms, kJobsPerLoom), {}));
    std::printf("plant: %d looms, %d jobs, %d fabric items\n", kLooms,
                main.Document->plan().JobCount(), main.Document->plan().ItemCount());

    const double before = benchsupport::residentMb();
    TVxTimelineView view(*main.Document);
    view.resize(1600, 1000);
    view.show();
    const double first = VxEncodeDate(2026, 1, 5);
    view.SetPeriod(first, first + 364);
    view.SetToday(first + 120.4);
    QApplication::processEvents();

    double fullPaint = 0;
    view.FitPeriod();
    for (double dayWidth : {view.DayWidth(), 8.0, 48.0, 576.0}) {
        view.SetDayWidth(dayWidth);
        view.ScrollToDate(first + 100);
        const double ms = medianMs([&] { view.viewport()->repaint(); });
        std::printf("  full paint at %.1f px a day: %.2f ms (wall clock %.2f ms)\n", dayWidth, ms,
                    g_wallMs);
        fullPaint = std::max(fullPaint, ms);
    }
    std::printf("timeline full paint: %.2f ms\n", fullPaint);

    double zoomStep = 0;
    view.FitPeriod();
    for (int i = 0; i < 22; ++i) {
        // In to hours, then out again; each step as the + or - key makes it.
        const bool in = i < 11;
        const double before = view.DayWidth();
        const double ms = medianMs(
            [&] {
                view.SetDayWidth(before);
                if (in)
                    view.ZoomIn();
                else
                    view.ZoomOut();
                view.viewport()->repaint();
            },
            9);
        zoomStep = std::max(zoomStep, ms);
        view.SetDayWidth(before);
        if (in)
            view.ZoomIn();
        else
            view.ZoomOut();
    }
    std::printf("timeline zoom step: %.2f ms\n", zoomStep);

    double find = 0;
    for (const char* query : {"P001", "A-WHT", "4711", "DB WHT", "nothing like it"}) {
        int hits = 0;
        const double ms = medianMs([&] {
            hits = TVxPlanFinder(QString::fromLatin1(query)).FindIn(main.Document->plan()).size();
        });
        std::printf("  find \"%s\": %d found, %.2f ms (wall clock %.2f ms)\n", query, hits, ms,
                    g_wallMs);
        find = std::max(find, ms);
    }
    std::printf("find over the plant: %.2f ms\n", find);

    std::printf("timeline memory growth: %.1f MB\n", benchsupport::residentMb() - before);
    return 0;
}
