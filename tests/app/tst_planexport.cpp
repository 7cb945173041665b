// SPDX-License-Identifier: GPL-3.0-or-later
// "Export Plan Data..." from the main window on the sample plant: the file
// written, read back by another program and turned into a plan again, which
// must be the board's plan; numbers and dates arrive as such.

#include "PlanBuild.h"
#include "ShowPlan.h"
#include "VxPlanSheet.h"
#include "VxSheetReadBack.h"
#include "WeavePlant.h"

#include <QMenu>
#include <QToolButton>

using namespace planbuild;

namespace {
// Loom 103 stays empty; loom 102 has a description a spreadsheet would take
// for a formula, and descriptions with a comma and with quotes.
TVxPlan samplePlan() {
    const double d = VxEncodeDate(2026, 3, 2);
    return plan(
        {loom(101, {reed(1, 2400, d, d),
                    warp(2, "A", "WHT", 3000, d, d + 14,
                         {item(1, "P", "001", "WHT", 12), item(2, "DB", "WHT", "WHT", 8),
                          item(3, "P", "002", "NAT", 5)}),
                    downtime(3, "Cleaning, oiling", d + 14, d + 16),
                    warp(4, "A", "NAT", 2500, d + 16, d + 30,
                         {item(4, "P", "003", "NAT", 10), item(5, "DB", "NAT", "NAT", 6)})}),
         loom(102,
              {reed(5, 2400, d, d),
               warp(6, "B", "WHT", 2500, d, d + 14,
                    {item(6, "T", "001", "WHT", 9), item(7, "T", "011", "NAT", 7)}),
               downtime(7, "=2+3", d + 14, d + 15), downtime(8, "Said \"stop\"", d + 15, d + 16)}),
         loom(103, {})},
        9, 8);
}

enum Col {
    Loom,
    LoomType,
    Position,
    Job,
    Kind,
    Descr,
    WarpType,
    WarpCol,
    Length,
    Ends,
    Dents,
    Start,
    Finish,
    Item,
    Fabric,
    Colour,
    Weft,
    Pieces,
    RemLen,
    RemWgt
};

// The plan the rows describe, and each warp's remaining figures by job.
TVxPlan planOfRows(const QVector<QStringList>& rows, const QHash<QString, int>& loomNos,
                   QMap<int, QPair<double, double>>& remaining) {
    static const QHash<QString, TVxPlanJobKind> kinds = {{"Reed", TVxPlanJobKind::Reed},
                                                         {"Warp", TVxPlanJobKind::Warp},
                                                         {"Downtime", TVxPlanJobKind::Downtime}};
    TVxPlan plan;
    for (const QStringList& row : rows.mid(1)) {
        auto text = [&](int c) { return row[c].mid(2); };
        auto number = [&](int c) { return row[c].mid(2).toDouble(); };
        auto day = [&](int c) { return VxDayOf(QDate::fromString(text(c), Qt::ISODate)); };
        const int loomNo = loomNos.value(text(Loom) + '|' + text(LoomType));
        if (plan.Looms.isEmpty() || plan.Looms.last().ScheduleNo != loomNo) {
            plan.Looms.append(loom(loomNo, {}));
            plan.Looms.last().Name = text(Loom);
            plan.Looms.last().LoomType = text(LoomType);
        }
        QVector<TVxPlanJob>& jobs = plan.Looms.last().Jobs;
        if (text(Kind) == "Fabric") {
            jobs.last().Items.append(
                {int(number(Item)), text(Fabric), text(Colour), text(Weft), int(number(Pieces))});
            continue;
        }
        if (number(Position) != jobs.size() + 1) return {};
        TVxPlanJob job;
        job.Kind = kinds.value(text(Kind));
        job.JobNo = number(Job);
        job.StartDate = day(Start);
        job.FinishDate = day(Finish);
        job.TotalEnds = job.Kind == TVxPlanJobKind::Reed ? number(Ends) : 0;
        job.DentsPerCm = number(Dents);
        job.WarpType = text(WarpType);
        job.WarpCol = text(WarpCol);
        job.WarpLen = number(Length);
        job.Descr = text(Descr);
        if (job.Kind == TVxPlanJobKind::Warp)
            remaining[job.JobNo] = {number(RemLen), number(RemWgt)};
        jobs.append(job);
    }
    return plan;
}
} // namespace

class TestPlanExport : public QObject {
    Q_OBJECT
private slots:
    void exportedPlanReadsBackAsThePlan_data() {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("formulaText");
        QTest::newRow("Excel workbook: a text, never a formula") << "xlsx"
                                                                 << "=2+3";
        QTest::newRow("comma-separated: quoted as the scenario export") << "csv"
                                                                        << "'=2+3";
    }
    void exportedPlanReadsBackAsThePlan() {
        QFETCH(QString, suffix);
        QFETCH(QString, formulaText);
        Plant plant(samplesDir());
        showPlan(plant.Main, samplePlan());
        TVxPlan shown = plant.Main->Document->plan();
        QHash<QString, int> loomNos;
        for (const TVxPlanLoom& l : shown.Looms)
            loomNos.insert(l.Name + '|' + l.LoomType, l.ScheduleNo);

        QTemporaryDir dir;
        VxDialogScript script;
        script.fileNames.push_back(dir.filePath("plan." + suffix));
        plant.Main->PrintButton->menu()->actions().value(0)->trigger();
        QCOMPARE(script.fileRequests.value(0).proposedName, QString("Plan data.xlsx"));
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join('\n')));

        const vxtest::TSheetReadBack back = vxtest::readSheetBack(dir.filePath("plan." + suffix));
        QVERIFY2(back.Error.isEmpty(), qPrintable(back.Error));
        QCOMPARE(back.Rows.value(0).replaceInStrings(QRegularExpression("^s:"), ""),
                 VxPlanSheetHeaders());
        if (suffix == "xlsx") {
            QCOMPARE(back.FreezePanes, QString("A2"));
            QCOMPARE(back.AutoFilter, QString("A1:T%1").arg(back.Rows.size()));
            for (const QStringList& row : back.Rows.mid(1))
                for (int c : {Position, Job, Length, Ends, Dents, Item, Pieces, RemLen, Start})
                    QVERIFY2(row[c].isEmpty() || row[c].startsWith(c == Start ? "d:" : "n:"),
                             qPrintable(row.join('|')));
        }

        QMap<int, QPair<double, double>> remaining;
        TVxPlan read = planOfRows(back.Rows, loomNos, remaining);
        QCOMPARE(read.Looms.value(1).Jobs.value(2).Descr, formulaText);
        read.Looms[1].Jobs[2].Descr = "=2+3";
        shown.Looms.removeIf([](const TVxPlanLoom& l) { return l.Jobs.isEmpty(); });
        for (int i = 0; i < read.Looms.size() && i < shown.Looms.size(); ++i)
            read.Looms[i].StartDate = shown.Looms[i].StartDate;
        read.NextJobNo = shown.NextJobNo;
        read.NextItemNo = shown.NextItemNo;
        QCOMPARE(read, shown);
        // The figures the board shows in each warp's status row.
        QCOMPARE(remaining, (QMap<int, QPair<double, double>>{
                                {2, {1350, 69}}, {4, {1415, 71}}, {6, {1082, 66}}}));
    }
};

QTEST_MAIN(TestPlanExport)
#include "tst_planexport.moc"
