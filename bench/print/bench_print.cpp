// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a large dataset to a PDF: 10,000 rows of 8 columns (texts,
// integers, formatted floats, dates) from an SQLite file. Prints the time of
// each run and the memory the printing adds; that growth must not follow the
// row count (the dataset's own rows are read before the clock starts).

#include "BenchSupport.h"
#include "SchedDB.h"
#include "VxDatPrn.h"
#include "VxDataSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// Resident and peak resident memory of this process in kB.
long statusKb(const char* key) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ')[0].toLong();
    return -1;
}
void resetPeak() {
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

void fillBenchTable(TSchedDB& db, int rows) {
    QSqlQuery q(db.Database());
    q.exec("delete from bench");
    db.Database().transaction();
    q.prepare("insert into bench values (?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 1; i <= rows; ++i) {
        q.addBindValue(i);
        q.addBindValue(QString("Job %1").arg(i));
        q.addBindValue(QStringLiteral("A"));
        q.addBindValue(QStringLiteral("WHT"));
        q.addBindValue(3000 + i % 500);
        q.addBindValue(i * 1.75);
        q.addBindValue(QDate(2026, 1, 1).addDays(i % 700));
        q.addBindValue(i % 13);
        q.exec();
    }
    db.Database().commit();
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ini = benchsupport::writeSqliteAlias(dir);
    TVxDbSession session(ini);
    TSchedDB db(session);
    db.Open();
    QSqlQuery(db.Database())
        .exec("create table bench (jobno integer, descr varchar(20), warptype varchar(2), "
              "warpcol varchar(3), warplen integer, weight double precision, startdate date, "
              "pieces integer)");
    TVxQuery query(db, "BenchQuery", {"select * from bench order by jobno"});
    TVxField weight;
    weight.FieldName = "WEIGHT";
    weight.DisplayLabel = "Weight";
    weight.DisplayWidth = 9;
    weight.DisplayFormat = "#,##0.00";
    query.SetFieldDisplay(weight);
    TVxField date;
    date.FieldName = "STARTDATE";
    date.DisplayLabel = "Date";
    date.DisplayWidth = 10;
    date.DisplayFormat = "dd/mm/yyyy";
    query.SetFieldDisplay(date);

    std::printf("%8s %10s %8s %12s %12s\n", "rows", "print ms", "pages", "PDF kB", "growth kB");
    for (int rows : {2500, 5000, 10000}) {
        fillBenchTable(db, rows);
        query.Close();
        query.Open();
        TVxDataPrinter printer;
        printer.DoPrintDialog = false;
        printer.Title = "Benchmark";
        printer.SetDataSet(&query);
        const QString pdf = dir.filePath(QString("bench%1.pdf").arg(rows));
        printer.Printer()->setOutputFileName(pdf);
        int pages = 0;
        printer.AfterFinishPrint = [&](TVxDataPrinter* p, int&) { pages = p->PageNumber(); };
        const long before = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        printer.Print();
        const qint64 ms = timer.elapsed();
        const long peak = statusKb("VmHWM:");
        std::printf("%8d %10lld %8d %12lld %12ld\n", rows, ms, pages, QFileInfo(pdf).size() / 1024,
                    peak - before);
    }
    return 0;
}
