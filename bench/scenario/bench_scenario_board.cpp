// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a plant-sized stored scenario onto the board: 200 looms, each with
// a reed and 49 warps, 10,000 jobs and 40,000 fabric items, read from an
// SQLite file by the scenario store and put on the main window's columns
// (text-mode reference data from the sample files, 200 looms). Prints the
// read and board times for the whole plant and for half of it, to show the
// time grows linearly with the rows. Target for the whole plant: under 250
// ms, the columns out of view drawn after it while the program is idle.

#include "BoardView.h"
#include "DbSchema.h"
#include "MainForm.h"
#include "ScenarioStore.h"
#include "SchedDB.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdio>

namespace {
TVxPlan plantPlan(int looms) {
    TVxPlan plan;
    int jobNo = 0, itemNo = 0;
    for (int l = 0; l < looms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = 1001 + l;
        TVxPlanJob reed;
        reed.Kind = TVxPlanJobKind::Reed;
        reed.JobNo = ++jobNo;
        reed.TotalEnds = 2400;
        reed.DentsPerCm = 7.5f;
        reed.StartDate = reed.FinishDate = 46000;
        loom.Jobs.append(reed);
        for (int p = 1; p < 50; ++p) {
            TVxPlanJob job;
            job.Kind = TVxPlanJobKind::Warp;
            job.JobNo = ++jobNo;
            job.WarpType = "A";
            job.WarpCol = "WHT";
            job.WarpLen = 3000;
            job.StartDate = 46000 + p * 3;
            job.FinishDate = 46003 + p * 3;
            for (int q = 0; q < (p == 1 ? 8 : 4); ++q) {
                TVxPlanItem item;
                item.ItemNo = ++itemNo;
                item.FabricStru = "P";
                item.FabricCol = "001";
                item.WeftCol = "WHT";
                item.Pieces = 1;
                job.Items.append(item);
            }
            loom.Jobs.append(job);
        }
        plan.Looms.append(loom);
    }
    plan.NextJobNo = jobNo + 1;
    plan.NextItemNo = itemNo + 1;
    return plan;
}

void run(const QTemporaryDir& dir, int looms) {
    // The sample reference files, with one loom line per loom of the plan.
    const QString text = dir.filePath(QStringLiteral("text%1").arg(looms));
    QDir().mkpath(text);
    for (const char* name : {"WarpType.csv", "FabricType.csv", "StruLoom.csv", "DowntimeType.csv"})
        QFile::copy(QDir(ShippedSamplesFolder()).filePath(name), QDir(text).filePath(name));
    {
        QFile spec(QDir(text).filePath("LoomSpec.csv"));
        spec.open(QIODevice::WriteOnly);
        for (int l = 0; l < looms; ++l)
            spec.write(QStringLiteral("M%1,%2,RAPIER,Loom %1,\n").arg(l).arg(1001 + l).toUtf8());
    }
    const TVxPlan plan = plantPlan(looms);
    QVector<int> nos;
    for (const TVxPlanLoom& loom : plan.Looms)
        nos << loom.ScheduleNo;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "board");
        db.setDatabaseName(dir.filePath(QStringLiteral("board%1.db").arg(looms)));
        db.open();
        db.transaction();
        CreatePlannerTables(db, MissingPlannerTables(db), ShippedSamplesFolder());
        db.commit();
        TScenarioStore(db).Save(1, "Plant", plan, TScenarioSaveMode::New);

        TMainForm main;
        main.TextFolder = text;
        {
            VxDialogScript script; // the mode dialog: text files
            script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
            main.FormShow();
        }
        main.show();
        QElapsedTimer timer;
        timer.start();
        const TVxPlan stored = TScenarioStore(db).Load(1, nos);
        const qint64 readMs = timer.restart();
        main.Document->Push(new TVxLoadCommand(*main.Document, stored, {1, "Plant"}));
        QApplication::processEvents(); // the one repaint
        const qint64 boardMs = timer.elapsed();
        const TVxPlan shown = main.Document->plan();
        bool same = shown.Looms.size() == plan.Looms.size();
        for (int l = 0; same && l < plan.Looms.size(); ++l)
            same = shown.Looms[l].Jobs == plan.Looms[l].Jobs;
        std::printf("scenario load of %d jobs + %d items onto the board: %lld ms "
                    "(read %lld ms, board %lld ms)%s\n",
                    plan.JobCount(), plan.ItemCount(), readMs + boardMs, readMs, boardMs,
                    same ? "" : " DIFFERENT PLAN");
        if (plan.JobCount() == 10000)
            std::printf("scenario load onto the board: %lld ms (target < 250): %s\n",
                        readMs + boardMs, readMs + boardMs < 250 ? "met" : "MISSED");
        // The looms out of view follow while the program is idle.
        timer.restart();
        main.Board->DrawAll();
        std::printf("  the looms out of view drawn after it: %lld ms\n", timer.elapsed());
    }
    QSqlDatabase::removeDatabase("board");
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    run(dir, 100);
    run(dir, 200);
    return 0;
}
