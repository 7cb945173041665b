// SPDX-License-Identifier: GPL-3.0-or-later
// Two plans compared: one small base plan, each row changes it in one way
// and states what the comparison reports, loom by loom.

#include "PlanBuild.h"
#include "VxPlanCompare.h"

#include <QtTest>
#include <functional>

using namespace planbuild;
using TPlanChange = std::function<void(TVxPlan&)>;
Q_DECLARE_METATYPE(TPlanChange)

namespace {
const double kDay = 46000;

// 101: reed 1, warp 2 (items 1, 2), warp 3 (item 3), downtime 4
// 102: reed 5, warp 6 (item 4)
TVxPlan base() {
    return plan({loom(101, {reed(1, 2400, kDay, kDay),
                            warp(2, "A", "WHT", 3000, kDay, kDay + 10,
                                 {item(1, "P", "001", "WHT", 2), item(2, "P", "002", "NAT", 1)}),
                            warp(3, "A", "WHT", 2000, kDay + 10, kDay + 20,
                                 {item(3, "DB", "WHT", "WHT", 3)}),
                            downtime(4, "Cleaning", kDay + 20, kDay + 22)}),
                 loom(102, {reed(5, 2400, kDay, kDay), warp(6, "A", "NAT", 3000, kDay, kDay + 10,
                                                            {item(4, "P", "003", "NAT", 2)})})});
}

TVxPlanJob& job(TVxPlan& p, int loomIndex, int place) {
    return p.Looms[loomIndex].Jobs[place];
}

QString placeText(const TVxPlanDiff& d, const TVxJobPlace& place) {
    return QStringLiteral("%1/%2").arg(d.Before.Looms[place.Loom].ScheduleNo).arg(place.Index);
}

QString words(TVxChanges changes, TVxEdits edits, TVxMatch match) {
    QStringList w;
    if (changes & TVxChange::Added) w << "added";
    if (changes & TVxChange::Redated) w << "redated";
    if (edits & TVxEdit::WarpType) w << "type";
    if (edits & TVxEdit::WarpCol) w << "colour";
    if (edits & TVxEdit::WarpLen) w << "length";
    if (edits & TVxEdit::Ends) w << "ends";
    if (edits & TVxEdit::Fabric) w << "fabric";
    if (edits & TVxEdit::Pieces) w << "pieces";
    if (match == TVxMatch::Content) w << "by content";
    return w.join(' ');
}

// "101 J3 moved from 101/2 redated", "101 J2 item 2 removed at 1", ...
QStringList describe(const TVxPlanDiff& d) {
    QStringList lines;
    for (const TVxLoomDiff& loom : d.Looms)
        for (const TVxJobDiff& j : loom.Jobs) {
            const bool removed = j.Changes & TVxChange::Removed;
            const int no = removed ? d.BeforeJob(j.Before).JobNo : d.AfterJob(j.After).JobNo;
            QString line = QStringLiteral("%1 J%2").arg(loom.ScheduleNo).arg(no);
            if (removed) line += QStringLiteral(" removed at %1").arg(j.GhostAt);
            if (j.Changes & TVxChange::Moved) line += " moved from " + placeText(d, j.Before);
            lines << (line + ' ' + words(j.Changes, j.Edits, j.Match)).trimmed();
            for (const TVxItemDiff& i : j.Items) {
                const bool gone = i.Changes & TVxChange::Removed;
                QString text =
                    QStringLiteral("%1 J%2 item %3")
                        .arg(loom.ScheduleNo)
                        .arg(no)
                        .arg(gone ? d.BeforeItem(i.Before).ItemNo : d.AfterItem(i.After).ItemNo);
                if (gone) text += QStringLiteral(" removed at %1").arg(i.GhostAt);
                if (i.Changes & TVxChange::Moved)
                    text += " moved from J" + QString::number(d.BeforeJob(i.Before.Job).JobNo);
                lines << (text + ' ' + words(i.Changes, i.Edits, i.Match)).trimmed();
            }
        }
    return lines;
}

void renumber(TVxPlan& p) {
    for (TVxPlanLoom& l : p.Looms)
        for (TVxPlanJob& j : l.Jobs) {
            j.JobNo += 100;
            for (TVxPlanItem& i : j.Items)
                i.ItemNo += 100;
        }
}
} // namespace

class TstPlanCompare : public QObject {
    Q_OBJECT
private slots:
    void changes_data();
    void changes();
};

void TstPlanCompare::changes_data() {
    QTest::addColumn<TPlanChange>("change");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("the same plan") << TPlanChange([](TVxPlan&) {}) << QStringList();
    QTest::newRow("a warp added at the end") << TPlanChange([](TVxPlan& p) {
        p.Looms[0].Jobs << warp(7, "A", "WHT", 3000, kDay + 22, kDay + 32);
    }) << QStringList{"101 J7 added"};
    QTest::newRow("a downtime removed: its ghost below the last job")
        << TPlanChange([](TVxPlan& p) { p.Looms[0].Jobs.removeLast(); })
        << QStringList{"101 J4 removed at 3"};
    QTest::newRow("a warp removed: the jobs below re-dated, not moved")
        << TPlanChange([](TVxPlan& p) {
               p.Looms[0].Jobs.removeAt(1);
               job(p, 0, 1).StartDate -= 10;
               job(p, 0, 1).FinishDate -= 10;
               job(p, 0, 2).StartDate -= 10;
               job(p, 0, 2).FinishDate -= 10;
           })
        << QStringList{"101 J2 removed at 1", "101 J2 item 1 removed at 0",
                       "101 J2 item 2 removed at 1", "101 J3 redated", "101 J4 redated"};
    QTest::newRow("a warp moved to another loom")
        << TPlanChange([](TVxPlan& p) { p.Looms[1].Jobs << p.Looms[0].Jobs.takeAt(2); })
        << QStringList{"102 J3 moved from 101/2"};
    QTest::newRow("two warps swapped: one of them moved")
        << TPlanChange([](TVxPlan& p) { p.Looms[0].Jobs.move(2, 1); })
        << QStringList{"101 J3 moved from 101/2"};
    QTest::newRow("a warp's colour and length edited") << TPlanChange([](TVxPlan& p) {
        job(p, 0, 1).WarpCol = "NAT";
        job(p, 0, 1).WarpLen = 2500;
    }) << QStringList{"101 J2 colour length"};
    QTest::newRow("a reed's ends edited")
        << TPlanChange([](TVxPlan& p) { job(p, 1, 0).TotalEnds = 2640; })
        << QStringList{"102 J5 ends"};
    QTest::newRow("fabric: pieces changed, one removed, one added")
        << TPlanChange([](TVxPlan& p) {
               QVector<TVxPlanItem>& items = job(p, 0, 1).Items;
               items[0].Pieces = 3;
               items[1] = item(8, "P", "001", "WHT", 1);
           })
        << QStringList{"101 J2", "101 J2 item 1 pieces", "101 J2 item 2 removed at 1",
                       "101 J2 item 8 added"};
    QTest::newRow("fabric moved to a warp on another loom")
        << TPlanChange([](TVxPlan& p) { job(p, 1, 1).Items << job(p, 0, 2).Items.takeFirst(); })
        << QStringList{"102 J6", "102 J6 item 3 moved from J3"};
    QTest::newRow("built again with other numbers: only the move shows, paired by content")
        << TPlanChange([](TVxPlan& p) {
               renumber(p);
               p.Looms[1].Jobs << p.Looms[0].Jobs.takeAt(2);
           })
        << QStringList{"102 J103 moved from 101/2 by content"};
    QTest::newRow("a job under a new number and place") << TPlanChange([](TVxPlan& p) {
        TVxPlanJob downtime = p.Looms[0].Jobs.takeLast();
        downtime.JobNo = 9;
        p.Looms[0].Jobs.prepend(downtime);
    }) << QStringList{"101 J9 moved from 101/3 by content"};
    QTest::newRow("a number reused by another kind is not paired")
        << TPlanChange([](TVxPlan& p) { job(p, 0, 3) = reed(4, 2640, kDay + 20, kDay + 22); })
        << QStringList{"101 J4 removed at 3", "101 J4 added"};
    QTest::newRow("a loom the later plan lacks")
        << TPlanChange([](TVxPlan& p) { p.Looms.removeLast(); })
        << QStringList{"102 J5 removed at 0", "102 J6 removed at 1", "102 J6 item 4 removed at 0"};
}

void TstPlanCompare::changes() {
    QFETCH(TPlanChange, change);
    QFETCH(QStringList, expected);
    TVxPlan after = base();
    change(after);
    const TVxPlanDiff diff = VxComparePlans(base(), after);
    QCOMPARE(describe(diff), expected);
    // Compared the other way round, every added job is a removed one.
    const TVxPlanDiff back = VxComparePlans(after, base());
    int added = 0, removed = 0;
    for (const TVxLoomDiff& l : diff.Looms)
        for (const TVxJobDiff& j : l.Jobs)
            added += bool(j.Changes & TVxChange::Added);
    for (const TVxLoomDiff& l : back.Looms)
        for (const TVxJobDiff& j : l.Jobs)
            removed += bool(j.Changes & TVxChange::Removed);
    QCOMPARE(removed, added);
}

QTEST_APPLESS_MAIN(TstPlanCompare)
#include "tst_plancompare.moc"
