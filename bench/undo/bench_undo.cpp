// Undo and redo on a large board: 200 rapier looms of 50 jobs (a reed and 49
// warps of four fabric items each), 10,000 jobs. A step moves a warp with its
// fabric to the next loom, as a drop does (the handlers re-date every loom).
// Figures: the time to take the step, to undo it and to redo it (targets:
// undo and redo under 50 ms), and the memory of 1,000 such steps (target:
// under 100 MB).
//
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppUnit.h"
#include "BenchSupport.h"
#include "MainUnit.h"
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

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;
const int kSteps = 1000;

// Resident memory of the process, in MB.
double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// A warp from the middle of loom `from` dropped at the end of the next loom,
// as the drag tracker's drop does it, as one user action.
void moveWarp(TMainForm& main, int from) {
    TVxScheduleBox* box = main.ScheduleBox;
    TVxJobSchedule* source = box->Schedules(from % kLooms);
    TVxJobSchedule* target = box->Schedules((from + 1) % kLooms);
    TVxJob* warp = source->Jobs(source->JobCount() / 2);
    VxGuard(&main, [&] { target->OnDoJobDrop(target, warp, target->JobCount()); });
}

template <class F> double msOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    main.Document->Push(
        new TVxLoadCommand(*main.Document, benchsupport::rapierPlan(kLooms, kJobsPerLoom), {}));
    main.Document->undoStack()->clear();
    const TVxPlan start = main.Document->plan();
    std::printf("board: %d looms, %d jobs, %d fabric items\n", kLooms, start.JobCount(),
                start.ItemCount());

    const double before = residentMb();
    std::vector<double> take;
    for (int i = 0; i < kSteps; ++i)
        take.push_back(msOf([&] { moveWarp(main, i * 7); }));
    const double after = residentMb();
    QUndoStack* stack = main.Document->undoStack();
    std::printf("steps taken: %d, the last \"%s\"\n", stack->count(),
                qPrintable(stack->undoText()));

    std::vector<double> undo;
    std::vector<double> redo;
    for (int i = 0; i < 50; ++i) {
        undo.push_back(msOf([&] { main.Document->undoStack()->undo(); }));
        redo.push_back(msOf([&] { main.Document->undoStack()->redo(); }));
    }
    const double allUndone = msOf([&] {
        while (stack->canUndo())
            main.Document->undoStack()->undo();
    });
    const bool backAtStart = main.Document->plan() == start;
    const double undoMs = median(undo);
    const double redoMs = median(redo);

    std::printf("taking a step (a drop re-dating every loom), median: %8.2f ms\n", median(take));
    std::printf("undo of a step, median:                          %8.2f ms (target < 50): %s\n",
                undoMs, undoMs < 50 ? "met" : "MISSED");
    std::printf("redo of a step, median:                          %8.2f ms (target < 50): %s\n",
                redoMs, redoMs < 50 ? "met" : "MISSED");
    std::printf("memory of %d steps: %.1f MB (target < 100 MB): %s\n", kSteps, after - before,
                after - before < 100 ? "met" : "MISSED");
    std::printf("all %d steps undone: %.0f ms; board as at the start: %s\n", kSteps, allUndone,
                backAtStart ? "yes" : "NO");

    // The whole board cleared in one step, for comparison.
    {
        VxDialogScript script;
        script.answers = {QMessageBox::Yes};
        VxGuard(&main, [&] { main.ClearButtonClick(); });
    }
    const double undoClear = msOf([&] { main.Document->undoStack()->undo(); });
    std::printf("undo of \"Clear all jobs\" (all 10,000 jobs back): %.0f ms\n", undoClear);
    main.Document->SetClean();
    return backAtStart ? 0 : 1;
}
