// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing two plant-sized plans: 200 rapier looms of 50 jobs (a reed and 49
// warps of four fabric items each), 10,000 jobs, against a copy with 500
// warps moved to other looms or places and 200 edits (warp lengths and fabric
// pieces), every loom re-dated after the moves.
// Figures: the comparison alone (target: under 50 ms), and from choosing
// the stored scenario to the comparison on screen, the store's read of the
// 10,000 jobs included (target: under 300 ms).

#include "BenchSupport.h"
#include "CompareMode.h"
#include "ComparePanel.h"
#include "DbSchema.h"
#include "MainForm.h"
#include "SchedDB.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"
#include "VxWeaPlan.h"

#include <QApplication>
#include <QDialog>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdio>

namespace {
const int kLooms = 200;
const int kJobsPerLoom = 50;

// Dates one after the other from each loom's first job, as the board keeps them.
void chainDates(TVxPlanLoom& loom) {
    double day = loom.Jobs.isEmpty() ? 0 : loom.Jobs.first().StartDate;
    for (TVxPlanJob& job : loom.Jobs) {
        const double length = job.FinishDate - job.StartDate;
        job.StartDate = day;
        job.FinishDate = day += length;
    }
}

TVxPlan changed(const TVxPlan& base) {
    TVxPlan plan = base;
    for (int m = 0; m < 500; ++m) {
        TVxPlanLoom& from = plan.Looms[(m * 37) % kLooms];
        TVxPlanLoom& to = plan.Looms[(m * 37 + 1 + m % 3) % kLooms];
        const TVxPlanJob warp = from.Jobs.takeAt(1 + (m * 13) % (from.Jobs.size() - 1));
        to.Jobs.insert(1 + (m * 7) % (to.Jobs.size() - 1), warp);
    }
    for (int e = 0; e < 200; ++e) {
        TVxPlanLoom& loom = plan.Looms[(e * 53) % kLooms];
        TVxPlanJob& warp = loom.Jobs[1 + (e * 11) % (loom.Jobs.size() - 1)];
        if (e % 2)
            warp.WarpLen -= 500;
        else
            warp.Items[0].Pieces += 1;
    }
    for (TVxPlanLoom& loom : plan.Looms)
        chainDates(loom);
    return plan;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!benchsupport::writeRapierPlant(folder.path(), kLooms)) return 1;
    const TVxPlan before = benchsupport::rapierPlan(kLooms, kJobsPerLoom);
    const TVxPlan after = changed(before);

    std::vector<double> compareMs;
    TVxPlanDiff diff;
    for (int run = 0; run < 9; ++run)
        compareMs.push_back(benchsupport::msOf([&] { diff = VxComparePlans(before, after); }));
    std::printf("compare two 10,000-job plans: %.1f ms (%d jobs and %d items differ)\n",
                benchsupport::median(compareMs), diff.JobCount(), diff.ItemCount());

    // The earlier plan stored, the later one on the board of the text-mode
    // window over the same plant.
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "compare");
    db.setDatabaseName(folder.filePath("compare.db"));
    db.open();
    db.transaction();
    CreatePlannerTables(db, MissingPlannerTables(db), ShippedSamplesFolder());
    db.commit();
    TScenarioStore(db).Save(1, "Before", before, TScenarioSaveMode::New);

    TMainForm main;
    main.TextFolder = folder.path();
    {
        VxDialogScript script; // the mode dialog: text files
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        main.FormShow();
    }
    main.resize(1600, 1000);
    main.show();
    main.Document->Push(new TVxLoadCommand(*main.Document, after, {}));
    QApplication::processEvents();

    TCompareMode::TSources sources;
    sources.Window = &main;
    sources.Document = main.Document;
    sources.Board = main.Board;
    sources.CurrentScenarioNo = [] { return 1; };
    sources.Database = [&db] { return db; };
    sources.Names.Job = &PlanJobCaption;
    sources.Names.Item = &PlanItemCaption;
    TCompareMode mode(sources, main.ComparePanel);
    std::vector<double> screenMs;
    for (int run = 0; run < 5; ++run) {
        mode.Leave();
        QApplication::processEvents();
        screenMs.push_back(benchsupport::msOf([&] {
            mode.CompareWith({1, "Before"});
            QApplication::processEvents(); // the panel and the marked board painted
        }));
    }
    std::printf("compare to marks on screen: %.1f ms (%d change rows)\n",
                benchsupport::median(screenMs), int(mode.Report().Changes.size()));
    return 0;
}
