// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and reading back a plant-sized scenario through the dataset layer:
// 200 looms x 50 warp jobs x 4 items (10,000 WEAVEJOB and 40,000 WEAVEITEM
// rows) posted row by row in one transaction on an SQLite file, as a scenario
// save does. Prints the times; posts must stay linear in the row count.

#include "BenchSupport.h"
#include "SchedData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ini = benchsupport::writeSqliteAlias(dir);
    TVxDbSession session(ini);
    TSchedData data(session);
    data.SchedDB.Open();
    data.OpenScenarioTables();

    QElapsedTimer timer;
    timer.start();
    data.SchedDB.StartTransaction();
    data.Scenario.Insert();
    data.Scenario.SetAsInteger("SCENARIONO", 1);
    data.Scenario.SetAsString("DESCR", "Benchmark");
    data.Scenario.Post();
    int jobNo = 0, itemNo = 0;
    for (int loom = 0; loom < 200; ++loom) {
        for (int place = 0; place < 50; ++place) {
            ++jobNo;
            TVxTable& job = data.WeaveJob;
            job.Insert();
            job.SetAsInteger("LOOMNO", 101 + loom);
            job.SetAsInteger("JOBNO", jobNo);
            job.SetAsInteger("PLACENO", place);
            job.SetAsString("WARPTYPE", "A");
            job.SetAsString("WARPCOL", "WHT");
            job.SetAsInteger("WARPLEN", 3000);
            job.SetAsDate("STARTDATE", 46000 + place * 3);
            job.SetAsDate("ENDDATE", 46003 + place * 3);
            job.Post();
            for (int q = 0; q < 4; ++q) {
                TVxTable& item = data.WeaveItem;
                item.Insert();
                item.SetAsInteger("SCHEDULENO", 101 + loom);
                item.SetAsInteger("JOBNO", jobNo);
                item.SetAsInteger("ITEMNO", ++itemNo);
                item.SetAsInteger("PLACENO", q);
                item.SetAsString("FABRICSTRU", "P");
                item.SetAsString("FABRICCOL", "001");
                item.SetAsString("WEFTCOL", "WHT");
                item.SetAsInteger("WEFTPCS", 3);
                item.Post();
            }
        }
    }
    data.SchedDB.Commit();
    const qint64 saveMs = timer.restart();

    data.Scenario.Close();
    data.OpenScenarioTables();
    const qint64 openMs = timer.restart();

    long long pieces = 0;
    for (data.WeaveItem.First(); !data.WeaveItem.Eof(); data.WeaveItem.Next())
        pieces += data.WeaveItem.AsInteger("WEFTPCS");
    const qint64 readMs = timer.restart();

    std::printf("save 10000 jobs + 40000 items (one transaction): %lld ms\n", saveMs);
    std::printf("open scenario tables (50000 rows): %lld ms\n", openMs);
    std::printf("read every item row: %lld ms (%lld pieces)\n", readMs, pieces);
    return 0;
}
