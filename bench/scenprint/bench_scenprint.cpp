// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the scenario listing of a large plant: 200 looms of 50 jobs (a
// reed, then warps with three fabric items and a downtime every tenth job).
// Targets: the delimited export under 1 s, the paged PDF under 5 s, each
// from the plan values to the finished file.
//
// Pass a folder to keep the written plan.txt and plan.pdf there.
// Run from anywhere: the sample reference files are found through
// PLEXIWEAVE_SAMPLES or ../samples next to the source tree.

#include "AppWindows.h"
#include "MainForm.h"
#include "VxDate.h"
#include "VxDialogs.h"
#include "VxScenPage.h"
#include "VxScenPrn.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {
QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? QStringLiteral(PLEXIWEAVE_SOURCE_DIR "/samples") : env;
}

TVxPlan bigPlan(int looms, int jobs) {
    TVxPlan plan;
    int jobNo = 1;
    int itemNo = 1;
    for (int l = 0; l < looms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = l + 1;
        double day = VxEncodeDate(2026, 1, 5);
        for (int j = 0; j < jobs; ++j) {
            TVxPlanJob job;
            job.JobNo = jobNo++;
            job.StartDate = day;
            job.FinishDate = day + 2;
            day += 2;
            if (j == 0) {
                job.Kind = TVxPlanJobKind::Reed;
                job.TotalEnds = 2400;
            } else if (j % 10 == 0) {
                job.Kind = TVxPlanJobKind::Downtime;
                job.Descr = QStringLiteral("Planned maintenance, \"weekly\"");
            } else {
                job.Kind = TVxPlanJobKind::Warp;
                job.WarpType = QStringLiteral("A");
                job.WarpCol = QStringLiteral("WHT");
                job.WarpLen = 3000;
                for (const char* stru : {"P", "P", "DB"}) {
                    TVxPlanItem item;
                    item.ItemNo = itemNo++;
                    item.FabricStru = QLatin1String(stru);
                    item.FabricCol = QStringLiteral("001");
                    item.WeftCol = QStringLiteral("WHT");
                    item.Pieces = 3;
                    job.Items.append(item);
                }
            }
            loom.Jobs.append(job);
        }
        plan.Looms.append(loom);
    }
    return plan;
}

double msSince(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

// Processor time of this process: on a busy machine the wall clock also
// counts the time spent waiting for a core.
double cpuMs() {
    return 1000.0 * std::clock() / CLOCKS_PER_SEC;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlexiweaveInitApplication(app);
    QDir::setCurrent(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    if (main.WarpInfos.Count() == 0) {
        std::fprintf(stderr, "sample reference files not found in %s\n", qPrintable(samplesDir()));
        return 1;
    }
    const int looms = 200;
    const int jobs = 50;
    const TVxPlan plan = bigPlan(looms, jobs);
    const QDateTime printed = QDateTime::currentDateTime();
    QTemporaryDir temporary;
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());

    auto listing = [&] {
        TVxPrintJob job;
        job.Title = QStringLiteral("Print Options");
        const TVxJobTextSource texts = PlanJobTexts(main.Document->Refs());
        for (const TVxPlanLoom& loom : plan.Looms)
            job.AddColumn(QStringLiteral("Loom %1 : RAPIER").arg(loom.ScheduleNo),
                          VxScheduleLines(loom, texts));
        return job;
    };

    QElapsedTimer timer;
    timer.start();
    const TVxPrintJob job = listing();
    const double linesMs = msSince(timer);
    int lines = 0;
    for (const TVxPrintLines& column : job.Columns)
        lines += column.size();

    double cpu = cpuMs();
    timer.start();
    const QString csv = dir.filePath("plan.txt");
    VxWriteDelimitedFile(csv, listing(), printed);
    const double exportMs = msSince(timer);
    const double exportCpu = cpuMs() - cpu;
    cpu = cpuMs();

    timer.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("plan.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    const TVxPrintJob paperJob = listing();
    const TVxScenarioLayout layout(paperJob, &printer);
    VxPrintScenario(&printer, paperJob, printed);
    const double printMs = msSince(timer);
    const double printCpu = cpuMs() - cpu;

    std::printf("plan: %d looms x %d jobs, %d lines, %d rows\n", looms, jobs, lines, job.RowCount);
    std::printf("lines from the plan values:      %8.1f ms\n", linesMs);
    std::printf("delimited export (%6.1f KiB):    %8.1f ms, %6.1f ms processor (target under "
                "1000 ms): %s\n",
                QFileInfo(csv).size() / 1024.0, exportMs, exportCpu,
                exportMs < 1000 ? "met" : "MISSED");
    std::printf("PDF, %d pages (%6.1f KiB):    %8.1f ms, %6.1f ms processor (target under "
                "5000 ms): %s\n",
                int(layout.Pages().size()), QFileInfo(dir.filePath("plan.pdf")).size() / 1024.0,
                printMs, printCpu, printMs < 5000 ? "met" : "MISSED");
    main.Document->SetClean();
    return 0;
}
