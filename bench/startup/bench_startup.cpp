// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in text mode with many looms: the five reference files of the
// sample plant with 1,000 to 4,000 rapier looms, from the mode dialog's OK
// to the window painted with its columns. The target is 4,000 looms in
// under 1.5 s, and times that grow with the looms, not their square.

#include "BenchSupport.h"
#include "MainForm.h"
#include "VxDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {
double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Wall time in ms, and the processor time in cpu: on a busy machine the wall
// time mostly measures the queue for a processor.
qint64 startUp(const QString& folder, double& cpu) {
    TMainForm main;
    main.TextFolder = folder;
    VxDialogScript script; // the mode dialog: text files
    script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMilliseconds();
    main.show();
    main.FormShow();
    QApplication::processEvents(); // the first paint
    const qint64 ms = timer.elapsed();
    cpu = cpuMilliseconds() - cpuStart;
    if (main.ScheduleBox->ScheduleCount() == 0 || !script.messages.isEmpty())
        std::printf("  (the start-up did not come up cleanly)\n");
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    for (int looms : {1000, 2000, 4000}) {
        QTemporaryDir dir;
        if (!benchsupport::writeRapierPlant(dir.path(), looms)) return 1;
        double cpu = 0;
        const qint64 wall = startUp(dir.path(), cpu);
        std::printf("start-up with %s looms: %lld ms (%.0f ms processor)\n",
                    qPrintable(QLocale(QLocale::English).toString(looms)), wall, cpu);
    }
    return 0;
}
