// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the schedule component's figures for a plant of 200 looms with 50
// jobs each and 4 items per job (10,000 jobs, 40,000 items), built through
// the model's operations: creation and layout, one full paint, Restack of a
// 500-job schedule, one drag-over step on it, and resident memory growth.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_schedule

#include "VxSched.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {
double residentMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0) : 0;
}

// CPU time of the calling thread: the machine is shared, so wall-clock
// figures swing with the load; this one counts only our own work.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Timing {
    double wallMs;
    double cpuMs;
};

template <typename F> Timing median(int runs, F&& f) {
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double cpu = threadCpuMs();
        t.start();
        f();
        walls.push_back(t.nsecsElapsed() / 1e6);
        cpus.push_back(threadCpuMs() - cpu);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void fillJob(TVxJob* job, int& itemNo) {
    for (int k = 0; k < 4; ++k, ++itemNo)
        job->AddItem(itemNo, QStringLiteral("ABRED : NAT/%1pcs").arg(k + 1));
    job->SetStatusText(QStringLiteral("Rem: 2850m / 212kg"));
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* box = new TVxScheduleBox(&window);
    window.setCentralWidget(box);
    window.resize(1280, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    app.processEvents();

    const double memBefore = residentMb();
    const TDateTime day = VxEncodeDate(2026, 3, 2);
    int jobNo = 1, itemNo = 1;
    const Timing create = median(1, [&] {
        for (int s = 0; s < 200; ++s) {
            TVxJobSchedule* schedule =
                box->AddSchedule(s + 1, QStringLiteral("Loom %1 : A").arg(s + 1),
                                 QStringLiteral("Finish: 12/03/26"));
            for (int j = 0; j < 50; ++j, ++jobNo) {
                TVxJob* job = schedule->AddJob(jobNo, QStringLiteral("%1:  A-WHT 3000m").arg(jobNo),
                                               QString(), day + j * 3, day + j * 3 + 2);
                fillJob(job, itemNo);
            }
        }
        app.processEvents();
    });
    const double memAfter = residentMb();

    // Show every column from its first job, as a planner opening the plant,
    // then paint everything visible into a ready image.
    for (int s = 0; s < box->ScheduleCount(); ++s)
        box->Schedules(s)->JobArea()->SetScrollPos(0);
    app.processEvents();
    // The visible area is the columns in the box's viewport: paint each of
    // them (header, job area with its jobs, footer) into one image. Rendering
    // the whole window adds the widget machinery's walk over all 200 columns
    // (its pending-event pass), which a screen update does not do; it is
    // shown for reference.
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    const Timing paint = median(15, [&] {
        QPainter painter(&image);
        for (int s = 0; s < box->ScheduleCount(); ++s) {
            TVxJobSchedule* column = box->Schedules(s);
            if (column->x() >= box->viewport()->width()) break;
            column->render(&painter, column->mapTo(&window, QPoint(0, 0)));
        }
    });
    const Timing windowPaint = median(15, [&] { window.render(&image); });
    if (argc > 1) image.save(QString::fromLocal8Bit(argv[1]));

    TVxJobSchedule* big = box->AddSchedule(999, QStringLiteral("Loom 999"), QString());
    for (int j = 0; j < 500; ++j, ++jobNo)
        fillJob(big->AddJob(jobNo, QStringLiteral("%1").arg(jobNo), QString(), day, day + 1),
                itemNo);
    const Timing restack = median(51, [&] { big->Restack(); });

    // One drag-over step: a job dragged over the 500-job column, the mouse
    // moving one pixel at a time over its jobs.
    box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum());
    app.processEvents();
    QWidget* viewport = big->JobArea()->viewport();
    QWindow* handle = window.windowHandle();
    auto at = [&](QPoint p) { return viewport->mapTo(&window, p); };
    const QPoint start = big->JobArea()->JobOrigin(big->Jobs(0)) + QPoint(40, 8);
    QTest::mousePress(handle, Qt::LeftButton, {}, at(start));
    QTest::mouseMove(handle, at(start + QPoint(0, 20)));
    int dragOvers = 0;
    big->OnJobDragOver = [&](TVxJobSchedule*, TVxJob*, int, bool&) { ++dragOvers; };
    int y = 30;
    const Timing drag = median(101, [&] {
        QTest::mouseMove(handle, at(QPoint(40, y)));
        y = y >= 300 ? 30 : y + 1;
    });
    const bool dragging = VxScheduleDragActive();
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at(QPoint(40, y)));

    std::printf("Schedule component, 200 schedules x 50 jobs x 4 items "
                "(10,000 jobs, 40,000 items)\n");
    std::printf("                                      wall        cpu    target\n");
    std::printf("  create and lay out everything: %8.1f ms %8.1f ms  < 1500 ms\n", create.wallMs,
                create.cpuMs);
    std::printf("  one full paint of the window:  %8.2f ms %8.2f ms  < 16 ms\n", paint.wallMs,
                paint.cpuMs);
    std::printf("  (the whole window rendered:    %8.2f ms %8.2f ms)\n", windowPaint.wallMs,
                windowPaint.cpuMs);
    std::printf("  Restack of a 500-job schedule: %8.4f ms %8.4f ms  < 5 ms\n", restack.wallMs,
                restack.cpuMs);
    std::printf("  one drag-over step (500 jobs): %8.4f ms %8.4f ms  (%d drag-over events, %s)\n",
                drag.wallMs, drag.cpuMs, dragOvers, dragging ? "dragging" : "not dragging");
    std::printf("  resident memory growth:        %8.1f MB               < 200 MB\n",
                memAfter - memBefore);
    return 0;
}
