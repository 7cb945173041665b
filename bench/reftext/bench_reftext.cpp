// SPDX-License-Identifier: GPL-3.0-or-later
// Reading large reference files: a 100,000-line FabricType.csv with 50,000
// distinct warp keys, and one with 2,000 loom types each weaving its own
// structure. Prints the time of each table build; the target is under 1 s
// for the whole of a 100,000-line file, and times that grow with the line
// count, not its square.

#include "RefText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {
void writeLines(const QString& path, int count, const std::function<QString(int)>& line) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += line(i).toUtf8() + '\n';
    file.write(text);
}

// Structure codes: one capital, or a capital and a second capital.
QString structure(int i) {
    const QChar first(QLatin1Char(char('A' + i % 26)));
    return i < 26 ? QString(first) : QString(first) + QLatin1Char(char('A' + (i / 26) % 26));
}

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Wall and processor time of one build. On a busy machine the wall time
// mostly measures the queue for a processor; the processor time is the cost.
struct TTimes {
    double wall = 0;
    double cpu = 0;
};
template <class F> TTimes timesOf(F&& build) {
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMilliseconds();
    build();
    return TTimes{timer.nsecsElapsed() / 1e6, cpuMilliseconds() - cpuStart};
}

void run(const char* title, const QString& folder, int lines) {
    const TRefTextLoader loader(folder);
    int types = 0, warps = 0, fabrics = 0;
    // The tables outlive the timing: the program keeps them for the run.
    TLoomTypeList list;
    TFabricInfoList fabricList;
    const TTimes loom = timesOf([&] { list = loader.BuildLoomTypes(); });
    const TTimes fabric = timesOf([&] { fabricList = loader.BuildFabricInfos(); });
    types = list.Count();
    for (int t = 0; t < list.Count(); ++t)
        warps += list.Object(t)->Count();
    fabrics = fabricList.Count();
    std::printf("%s: %d FabricType lines -> %d loom types, %d warp entries, %d structures\n", title,
                lines, types, warps, fabrics);
    std::printf("  loom-type table %8.1f ms processor, %8.1f ms wall\n", loom.cpu, loom.wall);
    std::printf("  fabric table    %8.1f ms processor, %8.1f ms wall\n", fabric.cpu, fabric.wall);
    std::printf("  both            %8.1f ms processor, %8.1f ms wall (target < 1000 ms)\n",
                loom.cpu + fabric.cpu, loom.wall + fabric.wall);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int lines = TRefLineReader::MaxLines; // the most a file may hold

    QTemporaryDir manyWarps;
    // 60 structures; two lines per warp key, so 50,000 distinct keys.
    writeLines(manyWarps.filePath(FabricTypeFile), lines, [](int i) {
        return QStringLiteral("%1,%2,%3,W%4,40/1,Z,NAT,60,2.6,2.9,3.5,")
            .arg(structure(i % 60))
            .arg(i % 1000, 3, 10, QLatin1Char('0'))
            .arg(QLatin1Char(char('A' + (i / 2) % 6)))
            .arg(i / 2);
    });
    writeLines(manyWarps.filePath(StruLoomFile), 60 * 3,
               [](int i) { return QStringLiteral("%1,TYPE%2,").arg(structure(i / 3)).arg(i % 3); });
    writeLines(manyWarps.filePath(LoomSpecFile), 12,
               [](int i) { return QStringLiteral("L%1,%1,TYPE%2,Loom %1,").arg(i).arg(i % 3); });
    run("many warps", manyWarps.path(), lines);

    QTemporaryDir manyTypes;
    // 2,000 loom types, each weaving one of 650 two-letter structures.
    const int typeCount = 2000;
    writeLines(manyTypes.filePath(FabricTypeFile), lines, [](int i) {
        return QStringLiteral("%1,001,%2,WHT,40/1,Z,NAT,60,2.6,2.9,3.5,")
            .arg(structure(26 + i % 650))
            .arg(QLatin1Char(char('A' + i % 6)));
    });
    writeLines(manyTypes.filePath(StruLoomFile), typeCount, [](int i) {
        return QStringLiteral("%1,TYPE%2,").arg(structure(26 + i % 650)).arg(i);
    });
    writeLines(manyTypes.filePath(LoomSpecFile), typeCount,
               [](int i) { return QStringLiteral("L%1,%1,TYPE%1,Loom %1,").arg(i); });
    run("many loom types", manyTypes.path(), lines);
    return 0;
}
