// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Set-up shared by the benchmarks, so that each one measures the same plant.

#include "VxDate.h"
#include "VxPlan.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace benchsupport {

// The sample reference files: PLEXIWEAVE_SAMPLES, else the source tree's.
inline QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? QStringLiteral(PLEXIWEAVE_SOURCE_DIR "/samples") : env;
}

// An alias file in dir naming a fresh SQLite database beside it; returns
// the alias file's path.
inline QString writeSqliteAlias(const QTemporaryDir& dir) {
    const QString ini = dir.filePath("aliases.ini");
    QSettings s(ini, QSettings::IniFormat);
    s.setValue("ShedwiseSQL/Driver", "QSQLITE");
    s.setValue("ShedwiseSQL/Database", dir.filePath("bench.db"));
    return ini;
}

// The sample reference files in folder, with the looms replaced by `looms`
// rapiers R001 190cm, R002 190cm, ...; false, after saying why, when the
// sample files are missing or the folder cannot be written.
inline bool writeRapierPlant(const QString& folder, int looms) {
    for (const char* name : {"WarpType.csv", "FabricType.csv", "StruLoom.csv", "DowntimeType.csv"})
        if (!QFile::copy(QDir(samplesDir()).filePath(name), QDir(folder).filePath(name))) {
            std::fprintf(stderr, "sample reference files not found in %s\n",
                         qPrintable(samplesDir()));
            return false;
        }
    QFile file(QDir(folder).filePath("LoomSpec.csv"));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    for (int i = 1; i <= looms; ++i)
        file.write(
            QStringLiteral("L%1,%2,RAPIER,R%1 190cm,\n").arg(i, 3, 10, QChar('0')).arg(i).toUtf8());
    return true;
}

inline TVxPlanItem fabric(int& itemNo, const char* stru, const char* col, const char* weft,
                          int pieces) {
    TVxPlanItem item;
    item.ItemNo = itemNo++;
    item.FabricStru = stru;
    item.FabricCol = col;
    item.WeftCol = weft;
    item.Pieces = pieces;
    return item;
}

// A plan for that plant: on each loom a 2400-end reed, then jobsPerLoom - 1
// A-WHT 3000 m warps of ten days with four fabric items each.
inline TVxPlan rapierPlan(int looms, int jobsPerLoom) {
    TVxPlan plan;
    int jobNo = 1;
    int itemNo = 1;
    for (int l = 1; l <= looms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = l;
        TDateTime day = VxEncodeDate(2026, 1, 5);
        loom.StartDate = day;
        TVxPlanJob reed;
        reed.Kind = TVxPlanJobKind::Reed;
        reed.JobNo = jobNo++;
        reed.TotalEnds = 2400;
        reed.DentsPerCm = 6.5f;
        reed.StartDate = reed.FinishDate = day;
        loom.Jobs.push_back(reed);
        for (int j = 1; j < jobsPerLoom; ++j) {
            TVxPlanJob warp;
            warp.Kind = TVxPlanJobKind::Warp;
            warp.JobNo = jobNo++;
            warp.WarpType = "A";
            warp.WarpCol = "WHT";
            warp.WarpLen = 3000;
            warp.StartDate = day;
            warp.FinishDate = day += 10;
            warp.Items = {
                fabric(itemNo, "P", "001", "WHT", 2), fabric(itemNo, "P", "002", "NAT", 1),
                fabric(itemNo, "DB", "WHT", "WHT", 3), fabric(itemNo, "P", "001", "WHT", 1)};
            loom.Jobs.push_back(warp);
        }
        plan.Looms.push_back(loom);
    }
    plan.NextJobNo = jobNo;
    plan.NextItemNo = itemNo;
    return plan;
}

// Milliseconds one run of work takes.
template <class F> double msOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// Resident memory of the process, in MB.
inline double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Processor time the process has taken, in ms: on a machine shared with
// other work it leaves out the waits for a core that the wall clock counts.
inline double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The middle of several runs, which a busy machine disturbs less than their mean.
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace benchsupport
