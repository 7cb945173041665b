// SPDX-License-Identifier: GPL-3.0-or-later
// Drag-time marks and preview on a large board: 200 rapier looms of 50 jobs
// (a reed and 49 warps of four fabric items each), 10,000 jobs, shown in a
// window. A warp (and then a fabric item) is picked up from the middle of
// the first loom and carried over places of the looms in view, each step a
// new place, through the component's drag tracking as the mouse drives it.
// Figures: the start of a drag with the verdicts of all looms (target:
// under 16 ms) and one drag-over step with its verdict and the preview of
// the drop there (target: under 4 ms), medians and worst; and the same
// step with the repaint it causes, for comparison.
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "BenchBoard.h"
#include "VxDragTracker.h"
#include "VxPlanCommand.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;

template <class F> double msOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

struct Figures {
    double Median = 0;
    double Worst = 0;
};
Figures figures(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// Screen points over the jobs of the looms in view, loom by loom, and the
// columns they are on.
std::vector<QPoint> placesInView(TVxScheduleBox* box, std::vector<TVxJobSchedule*>& columns) {
    std::vector<QPoint> places;
    for (int l = 1; l < box->ScheduleCount(); ++l) {
        TVxJobSchedule* column = box->Schedules(l);
        if (column->x() + column->width() > box->viewport()->width()) break;
        QWidget* view = column->JobArea()->viewport();
        for (int j = 0; j < column->JobCount(); ++j) {
            TVxJob* job = column->Jobs(j);
            const QPoint at = column->JobArea()->JobOrigin(job) + QPoint(job->Width() / 2, 8);
            if (at.y() > view->height()) break;
            places.push_back(view->mapToGlobal(at));
            columns.push_back(column);
        }
    }
    return places;
}

// Drags `source` from `from` over every place: the start and each step timed,
// with and without the repaint that follows it.
void measure(const char* what, QObject* source, QWidget* grabber, QPoint from,
             const std::vector<QPoint>& places, const std::vector<TVxJobSchedule*>& columns) {
    std::vector<double> starts;
    for (int i = 0; i < 15; ++i) {
        starts.push_back(msOf([&] { VxDragBegin(source, grabber, from); }));
        VxDragMove(places[size_t(i) % places.size()]);
        VxDragDrop(from); // over itself: refused, nothing moves
        QApplication::processEvents();
    }
    VxDragBegin(source, grabber, from);
    std::vector<double> steps;
    std::vector<double> painted;
    int previewed = 0;
    for (int round = 0; round < 3; ++round)
        for (size_t i = 0; i < places.size(); ++i) {
            // Every other step goes back to the start so each place is new.
            const size_t place = (i * 7 + size_t(round)) % places.size();
            const QPoint at = places[place];
            steps.push_back(msOf([&] { VxDragMove(at); }));
            if (!columns[place]->Decoration().Footer.isEmpty()) ++previewed;
            VxDragMove(from);
            painted.push_back(msOf([&] {
                VxDragMove(at);
                QApplication::processEvents();
            }));
            VxDragMove(from);
            QApplication::processEvents();
        }
    VxDragDrop(from);
    const Figures start = figures(starts);
    const Figures step = figures(steps);
    const Figures paint = figures(painted);
    std::printf("%s: %zu places on %d looms in view, %d of %zu steps previewed\n", what,
                places.size(),
                int(std::set<TVxJobSchedule*>(columns.begin(), columns.end()).size()), previewed,
                steps.size());
    std::printf("marks for all looms at drag start: %.2f ms (worst %.2f; target < 16): %s\n",
                start.Median, start.Worst, start.Median < 16 ? "met" : "MISSED");
    std::printf("drag-over with verdicts and preview: %.2f ms (worst %.2f; target < 4): %s\n",
                step.Median, step.Worst, step.Median < 4 ? "met" : "MISSED");
    std::printf("  the same step with its repaint: %.2f ms (worst %.2f)\n", paint.Median,
                paint.Worst);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    TAppWindows windows;
    if (!benchsupport::startRapierBoard(windows, folder, kLooms)) return 1;
    TMainForm& main = *windows.MainForm;
    TVxPlan plan = benchsupport::rapierPlan(kLooms, kJobsPerLoom);
    // One A-NAT warp, whose fabric no other warp of the board takes: its
    // drag asks every warp of every loom.
    TVxPlanJob& natural = plan.Looms[0].Jobs[3];
    natural.WarpCol = "NAT";
    int itemNo = plan.NextItemNo;
    natural.Items = {benchsupport::fabric(itemNo, "P", "003", "NAT", 2)};
    plan.NextItemNo = itemNo;
    main.Document->Push(new TVxLoadCommand(*main.Document, plan, {}));
    main.resize(1400, 900);
    main.show();
    QApplication::processEvents();
    const TVxPlan start = main.Document->plan();
    std::printf("board: %d looms, %d jobs, %d fabric items\n", kLooms, start.JobCount(),
                start.ItemCount());

    TVxScheduleBox* box = main.ScheduleBox;
    TVxJobSchedule* first = box->Schedules(0);
    QWidget* grabber = first->JobArea()->viewport();
    TVxJob* warp = first->Jobs(2);
    const QPoint from =
        grabber->mapToGlobal(first->JobArea()->JobOrigin(warp) + QPoint(warp->Width() / 2, 8));
    std::vector<TVxJobSchedule*> columns;
    const std::vector<QPoint> places = placesInView(box, columns);
    measure("a warp", warp, grabber, from, places, columns);
    TVxJobItem* fabric = warp->Items(1);
    const QPoint onItem =
        grabber->mapToGlobal(first->JobArea()->JobOrigin(warp) + fabric->BoundsRect().center());
    measure("a fabric item", fabric, grabber, onItem, places, columns);
    TVxJob* odd = first->Jobs(3);
    TVxJobItem* lonely = odd->Items(0);
    const QPoint onLonely =
        grabber->mapToGlobal(first->JobArea()->JobOrigin(odd) + lonely->BoundsRect().center());
    measure("a fabric no other warp takes", lonely, grabber, onLonely, places, columns);
    const bool unchanged = main.Document->plan() == start;
    std::printf("board unchanged by the drags: %s\n", unchanged ? "yes" : "NO");
    main.Document->SetClean();
    return unchanged ? 0 : 1;
}
