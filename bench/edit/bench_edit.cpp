// SPDX-License-Identifier: GPL-3.0-or-later
// Single edits on a large board: 200 rapier looms of 50 jobs (a reed and 49
// warps of four fabric items each), 10,000 jobs, shown in a window. Each
// kind of edit is made as the planner's intent reaches the document (a drop
// through the board's own event, the others as the commands the dialogs
// push): the edit with its undo step and the board drawn again, then its
// undo and its redo. Targets: each under 16 ms (one frame). Also the memory
// of 1,000 steps (target: under 100 MB) and a whole walk back to the start.
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppWindows.h"
#include "BenchSupport.h"
#include "BoardView.h"
#include "MainForm.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;
const int kRuns = 40;
const int kSteps = 1000;
// The edits go to the looms in view, whose columns are drawn at once.
const int kShownLooms = 8;

template <class F> double msOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents(); // the repaint it asked for
    return timer.nsecsElapsed() / 1e6;
}

// A warp from the middle of a loom dropped at the end of the next loom, as
// the board's drop reports it.
void dropWarp(TMainForm& main, int run) {
    TVxJobSchedule* source = main.ScheduleBox->Schedules(run % kShownLooms);
    TVxJobSchedule* target = main.ScheduleBox->Schedules((run + 1) % kShownLooms);
    TVxJob* warp = source->Jobs(source->JobCount() / 2);
    VxGuard(&main, [&] { target->OnDoJobDrop(target, warp, target->JobCount()); });
}

struct TEditKind {
    const char* Name;
    std::function<void(TMainForm&, int)> Edit;
};

std::vector<TEditKind> editKinds() {
    return {
        {"drop of a warp on another loom", dropWarp},
        {"fabric added",
         [](TMainForm& main, int run) {
             TVxPlanDocument& doc = *main.Document;
             doc.Push(new TVxAddItemCommand(doc, {run % kShownLooms, 1},
                                            TVxPlanItem{0, "P", "001", "WHT", 1}));
         }},
        {"job edited",
         [](TMainForm& main, int run) {
             TVxPlanDocument& doc = *main.Document;
             TVxPlanJob warp = doc.plan().Looms[run % kShownLooms].Jobs[2];
             warp.WarpLen += 10;
             warp.FinishDate += 1;
             doc.Push(new TVxEditJobCommand(doc, {run % kShownLooms, 2}, warp));
         }},
        {"job removed",
         [](TMainForm& main, int run) {
             TVxPlanDocument& doc = *main.Document;
             doc.Push(new TVxRemoveJobsCommand(doc, {run % kShownLooms, 3}));
         }},
    };
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!benchsupport::writeRapierPlant(folder.path(), kLooms)) return 1;
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    main.TextFolder = folder.path();
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    main.resize(1400, 900);
    main.show();
    main.Document->Push(
        new TVxLoadCommand(*main.Document, benchsupport::rapierPlan(kLooms, kJobsPerLoom), {}));
    main.Board->DrawAll();
    QUndoStack* stack = main.Document->undoStack();
    stack->clear();
    const TVxPlan start = main.Document->plan();
    std::printf("board: %d looms, %d jobs, %d fabric items\n", kLooms, start.JobCount(),
                start.ItemCount());

    double slowestEdit = 0;
    double slowestUndoRedo = 0;
    for (const TEditKind& kind : editKinds()) {
        std::vector<double> edit, undo, redo;
        for (int run = 0; run < kRuns; ++run) {
            const int steps = stack->count();
            edit.push_back(msOf([&] { kind.Edit(main, run * 7); }));
            if (stack->count() != steps + 1) {
                std::fprintf(stderr, "%s made no step\n", kind.Name);
                return 1;
            }
            undo.push_back(msOf([&] { stack->undo(); }));
            redo.push_back(msOf([&] { stack->redo(); }));
        }
        const double e = benchsupport::median(edit), u = benchsupport::median(undo),
                     r = benchsupport::median(redo);
        std::printf("%-32s with its undo step: %6.2f ms; undo %6.2f ms; redo %6.2f ms\n", kind.Name,
                    e, u, r);
        slowestEdit = std::max(slowestEdit, e);
        slowestUndoRedo = std::max({slowestUndoRedo, u, r});
    }
    std::printf("slowest edit with its undo step: %.2f ms (target < 16): %s\n", slowestEdit,
                slowestEdit < 16 ? "met" : "MISSED");
    std::printf("slowest undo or redo: %.2f ms (target < 16): %s\n", slowestUndoRedo,
                slowestUndoRedo < 16 ? "met" : "MISSED");

    const double before = benchsupport::residentMb();
    for (int i = stack->count(); i < kSteps; ++i)
        dropWarp(main, i * 7);
    const double after = benchsupport::residentMb();
    std::printf("memory of the steps up to %d: %.1f MB (target < 100 MB): %s\n", kSteps,
                after - before, after - before < 100 ? "met" : "MISSED");
    QElapsedTimer walk;
    walk.start();
    while (stack->canUndo())
        stack->undo();
    const bool backAtStart = main.Document->plan() == start;
    std::printf("all %d steps undone: %lld ms; plan as at the start: %s\n", kSteps, walk.elapsed(),
                backAtStart ? "yes" : "NO");
    main.Document->SetClean();
    return backAtStart ? 0 : 1;
}
