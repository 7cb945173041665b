// SPDX-License-Identifier: GPL-3.0-or-later
// The six report queries on a plant-sized stored scenario: 200 looms x 50
// warp jobs x 4 fabric items (10,000 WEAVEJOB and 40,000 WEAVEITEM rows) on
// an SQLite file. Prints the time each query takes to open with its
// calculated fields and client-side order; each must stay under 1 s.

#include "BenchSupport.h"
#include "ReportData.h"
#include "SchedData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ini = benchsupport::writeSqliteAlias(dir);
    TVxDbSession session(ini);
    TSchedData data(session);
    data.SchedDB.Open();

    QSqlDatabase db = data.SchedDB.Database();
    db.transaction();
    QSqlQuery q(db);
    q.exec("insert into scenario (scenariono, descr) values (1, 'Benchmark')");
    QSqlQuery job(db), item(db);
    job.prepare("insert into weavejob (scenariono, loomno, jobno, placeno, warptype, warpcol, "
                "warplen, startdate, enddate) values (1, ?, ?, ?, 'A', 'WHT', ?, ?, ?)");
    item.prepare("insert into weaveitem (scenariono, scheduleno, jobno, itemno, placeno, "
                 "fabricstru, fabriccol, weftcol, weftpcs) values (1, ?, ?, ?, ?, ?, ?, ?, ?)");
    const char* fabrics[][3] = {
        {"P", "001", "WHT"}, {"P", "002", "NAT"}, {"DB", "WHT", "WHT"}, {"ZZ", "999", "WHT"}};
    int jobNo = 0, itemNo = 0;
    for (int loom = 0; loom < 200; ++loom)
        for (int place = 0; place < 50; ++place) {
            ++jobNo;
            const QDate start = QDate(2026, 1, 1).addDays(place * 7 + loom % 5);
            for (const QVariant& v : QVariantList{
                     101 + loom, jobNo, place, 2500 + (jobNo % 3) * 250, start, start.addDays(7)})
                job.addBindValue(v);
            job.exec();
            for (int k = 0; k < 4; ++k) {
                for (const QVariant& v :
                     QVariantList{101 + loom, jobNo, ++itemNo, k, fabrics[k][0], fabrics[k][1],
                                  fabrics[k][2], 5 + (itemNo % 7)})
                    item.addBindValue(v);
                item.exec();
            }
        }
    db.commit();

    TReqmtsData reqs(data.SchedDB);
    TOutputData out(data.SchedDB);
    reqs.SetScenarioNo(1);
    out.SetScenarioNo(1);
    std::printf("%-18s %8s %8s\n", "query", "rows", "open ms");
    for (TVxQuery* query : {&reqs.WarpReqDateQuery, &reqs.WarpReqJobQuery, &reqs.WeftReqDateQuery,
                            &reqs.WeftReqJobQuery, &out.OutDateQuery, &out.OutJobQuery}) {
        QElapsedTimer timer;
        timer.start();
        query->Open();
        const qint64 ms = timer.elapsed();
        std::printf("%-18s %8d %8lld\n", qPrintable(query->Name()), query->RecordCount(), ms);
        query->Close();
    }
    return 0;
}
