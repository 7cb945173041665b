// SPDX-License-Identifier: GPL-3.0-or-later
// What the board shows while a job or fabric is dragged, or moved with the
// keys before the move is made: the looms marked as taking it or not, the
// refused places, and the preview of the drop, which must be what the drop
// then does. Real mouse drags and key presses on the shown window.

#include "WeavePlant.h"

namespace {
// Loom 1: reed 1, W-RED 2 (one piece of B, which the other loom type cannot
// weave), downtime 3, V-RED 4, reed 5 of 2640 ends, H-GRN 6.
// Loom 2: reed 7, G-RED 8, downtime 9, G-RED 10 carrying six XA pieces (three
// days of weaving). Loom 3 (another type): reed 11, downtime 12. Every job
// but the first reeds lasts two days.
void buildBoard(ShownPlant& p) {
    for (const char* job :
         {"R2400", "W-RED:100", "Planned maintenance", "V-RED:1000", "R2640", "H-GRN:1000"})
        p.Add(p.Loom(0), job);
    QCOMPARE(p.AddFabric(p.Loom(0)->Jobs(1), "B001 : 002", "1"), QString());
    for (const char* job : {"R2400", "G-RED:1000", "Breakdown repair", "G-RED:1000"})
        p.Add(p.Loom(1), job);
    QCOMPARE(p.AddFabric(p.Loom(1)->Jobs(3), "XARED : NAT", "6"), QString());
    p.Add(p.Loom(2), "R2400");
    p.Add(p.Loom(2), "Planned maintenance");
    QVERIFY(p.Messages.isEmpty());
}

void key(QEvent::Type type, int code, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent event(type, code, modifiers);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

// What a job shows that a move may change, by job number.
struct Shown {
    double Start = 0;
    double Finish = 0;
    QString Status;
};
QHash<int, Shown> jobsShown(ShownPlant& p) {
    QHash<int, Shown> shown;
    for (int l = 0; l < 3; ++l)
        for (int j = 0; j < p.Loom(l)->JobCount(); ++j) {
            TVxJob* job = p.Loom(l)->Jobs(j);
            shown[job->JobNo] = {job->StartDate(), job->FinishDate(), job->StatusText()};
        }
    return shown;
}

QPoint placeOn(TVxJobSchedule* loom, int job) {
    return job < 0 ? belowJobs(loom) : partPos(loom->Jobs(job));
}

// Presses on a job or item and carries it over a point, without releasing.
void hover(ShownPlant& p, TVxJobSchedule* from, QPoint start, TVxJobSchedule* to, QPoint end) {
    p.Main->ShowStatus(QString());
    QWidget* source = from->JobArea()->viewport();
    mousePress(source, start);
    mouseMove(source, start + QPoint(QApplication::startDragDistance() + 2, 0));
    mouseMove(to->JobArea()->viewport(), end + QPoint(1, 0));
    mouseMove(to->JobArea()->viewport(), end);
}

QString marks(ShownPlant& p) {
    QStringList out;
    for (int l = 0; l < 3; ++l) {
        const TVxColumnDecoration& d = p.Loom(l)->Decoration();
        out << (d.Verdict == TVxColumnVerdict::Open     ? QString("open")
                : d.Verdict == TVxColumnVerdict::Closed ? d.Reason
                                                        : QString("none"));
    }
    return out.join(" | ");
}
} // namespace

class TestDragPreview : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_plant.reset(); }
    void previewIsTheDrop_data();
    void previewIsTheDrop();
    void marksAtDragStart_data();
    void marksAtDragStart();
    void refusedPlacesAreRefusedDrops();

private:
    std::unique_ptr<ShownPlant> m_plant;
};

void TestDragPreview::init() {
    m_plant = std::make_unique<ShownPlant>();
    buildBoard(*m_plant);
    m_plant->Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_plant->Main));
}

void TestDragPreview::previewIsTheDrop_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("item"); // -1: the job itself
    QTest::addColumn<int>("toLoom");
    QTest::addColumn<int>("toJob");         // -1: below the jobs
    QTest::addColumn<QList<int>>("arrows"); // with Alt held, instead of the mouse
    QTest::addColumn<QString>("summary");
    const QList<int> mouse;
    QTest::newRow("warp to the end of another loom")
        << 0 << 1 << -1 << 1 << -1 << mouse
        << "Loom 2: finishes 2 days later; Loom 1: 4 jobs earlier by 2 days";
    QTest::newRow("warp past the downtime")
        << 0 << 1 << -1 << 0 << 2 << mouse
        << "Loom 1: 1 job later by 2 days, 1 job earlier by 2 days";
    QTest::newRow("downtime to the top of another loom")
        << 1 << 2 << -1 << 0 << 0 << mouse
        << "Loom 1: 6 jobs later by 2 days; Loom 2: 1 job earlier by 2 days";
    QTest::newRow("fabric stretching the warp it goes on")
        << 1 << 3 << 0 << 1 << 1 << mouse << "Loom 2: 3 jobs later by 1 day";
    QTest::newRow("warp to a loom of another type")
        << 0 << 3 << -1 << 2 << -1 << mouse
        << "Loom 3: finishes 2 days later; Loom 1: 2 jobs earlier by 2 days";
    QTest::newRow("fabric onto a warp too short for it")
        << 1 << 3 << 0 << 0 << 1 << mouse << "Not enough capacity left";
    QTest::newRow("keys: downtime two places down")
        << 0 << 2 << -1 << 0 << 0 << QList<int>{Qt::Key_Down, Qt::Key_Down}
        << "Loom 1: 1 job later by 2 days, 2 jobs earlier by 2 days";
    QTest::newRow("keys: warp to the next loom")
        << 0 << 3 << -1 << 1 << 0 << QList<int>{Qt::Key_Right}
        << "Loom 2: 1 job later by 2 days; Loom 1: 2 jobs earlier by 2 days";
}

// While the pointer rests, the board previews the drop; after the drop every
// job shows the dates and the remaining capacity it was previewed with (and
// no other job moved), each loom the finish its footer promised.
void TestDragPreview::previewIsTheDrop() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, item);
    QFETCH(int, toLoom);
    QFETCH(int, toJob);
    QFETCH(QList<int>, arrows);
    QFETCH(QString, summary);
    ShownPlant& p = *m_plant;
    TVxJob* moving = p.Loom(loom)->Jobs(job);
    TVxJobItem* fabric = item < 0 ? nullptr : moving->Items(item);
    const QPoint start = fabric ? partPos(moving, TVxJobPart::Item, fabric) : partPos(moving);
    const QHash<int, Shown> before = jobsShown(p);
    const TVxPlan planBefore = p.Main->Document->plan();
    if (arrows.isEmpty()) {
        hover(p, p.Loom(loom), start, p.Loom(toLoom), placeOn(p.Loom(toLoom), toJob));
    } else {
        mousePress(p.Loom(loom)->JobArea()->viewport(), start);
        mouseRelease(p.Loom(loom)->JobArea()->viewport(), start);
        p.Main->ShowStatus(QString());
        key(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        for (int arrow : arrows) {
            key(QEvent::KeyPress, arrow, Qt::AltModifier);
            key(QEvent::KeyRelease, arrow, Qt::AltModifier);
        }
        QVERIFY(VxScheduleKeyMoveActive());
    }
    QCOMPARE(p.status(), summary);
    // The preview, by job number; the footers, by loom.
    QHash<int, TVxJobPreview> previewed;
    QStringList footers;
    for (int l = 0; l < 3; ++l) {
        const TVxColumnDecoration d = p.Loom(l)->Decoration();
        for (const auto& [index, preview] : d.Jobs)
            previewed[p.Loom(l)->Jobs(index)->JobNo] = preview;
        footers << d.Footer;
    }
    if (arrows.isEmpty())
        mouseRelease(p.Loom(toLoom)->JobArea()->viewport(), placeOn(p.Loom(toLoom), toJob));
    else
        key(QEvent::KeyRelease, Qt::Key_Alt);
    for (int l = 0; l < 3; ++l)
        QVERIFY(p.Loom(l)->Decoration() == TVxColumnDecoration());

    if (summary == "Not enough capacity left") {
        // Refused: nothing moves; the warp under the pointer said by how much
        // it would overrun.
        QVERIFY(p.Main->Document->plan() == planBefore);
        const TVxJobPreview target = previewed.value(p.Loom(toLoom)->Jobs(toJob)->JobNo);
        QCOMPARE(target.Alert, QString("over capacity"));
        QCOMPARE(target.Status, QString("Rem: -150m / -9kg"));
        QVERIFY(!target.Redated);
        return;
    }
    QVERIFY(!(p.Main->Document->plan() == planBefore));
    QVERIFY(!footers[toLoom].isEmpty());
    const QHash<int, Shown> after = jobsShown(p);
    for (auto it = before.begin(); it != before.end(); ++it) {
        const TVxJobPreview preview = previewed.value(it.key());
        const Shown now = after.value(it.key());
        const Shown expected{preview.Redated ? preview.StartDate : it->Start,
                             preview.Redated ? preview.FinishDate : it->Finish,
                             preview.Status.isEmpty() ? it->Status : preview.Status};
        QVERIFY2(now.Start == expected.Start && now.Finish == expected.Finish,
                 qPrintable(QString("job %1").arg(it.key())));
        QCOMPARE(now.Status, expected.Status);
    }
    for (int l = 0; l < 3; ++l) {
        if (footers[l].isEmpty()) continue;
        // "finishes <before> → <after>, ..." or "finishes <date>, unchanged".
        const QString finish = footers[l].contains("→")
                                   ? footers[l].section("→ ", 1).section(',', 0, 0)
                                   : footers[l].section(' ', 1).section(',', 0, 0);
        QCOMPARE(p.Loom(l)->Footer(), "Finish: " + finish);
    }
}

void TestDragPreview::marksAtDragStart_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("marks");
    QTest::newRow("2400 warp") << 0 << 3 << -1 << "open | open | open";
    QTest::newRow("2640 warp") << 0 << 5 << -1
                               << "open | Wrong reed type for this warp | Wrong reed type for this "
                                  "warp";
    QTest::newRow("warp whose fabric the other type cannot weave")
        << 0 << 1 << -1 << "open | open | Has fabric that cannot go on this loom type";
    QTest::newRow("a reed") << 0 << 0 << -1
                            << "Cannot move a reed | Cannot move a reed | Cannot move a reed";
    QTest::newRow("downtime") << 2 << 1 << -1 << "open | open | open";
    QTest::newRow("fabric") << 1 << 3 << 0
                            << "Not enough capacity left | open | Can only go on a weaving job";
}

// From the first move of a drag every loom says whether it takes what is
// dragged, the closed ones why; Escape takes every mark away.
void TestDragPreview::marksAtDragStart() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, item);
    QFETCH(QString, marks);
    ShownPlant& p = *m_plant;
    TVxJob* dragged = p.Loom(loom)->Jobs(job);
    const QPoint start =
        item < 0 ? partPos(dragged) : partPos(dragged, TVxJobPart::Item, dragged->Items(item));
    QVERIFY(::marks(p) == "none | none | none");
    hover(p, p.Loom(loom), start, p.Loom(loom), start);
    QCOMPARE(::marks(p), marks);
    key(QEvent::KeyPress, Qt::Key_Escape);
    QVERIFY(!VxScheduleDragActive());
    QCOMPARE(::marks(p), QString("none | none | none"));
    mouseRelease(p.Loom(loom)->JobArea()->viewport(), start);
}

// Over every place of a loom, the place is marked refused exactly when a
// drop there is refused.
void TestDragPreview::refusedPlacesAreRefusedDrops() {
    ShownPlant& p = *m_plant;
    TVxJobSchedule* loom = p.Loom(0);
    for (int over = -1; over < loom->JobCount(); ++over) {
        TVxJob* warp = loom->Jobs(3);
        if (over == 3) continue; // over itself: no drop, no question
        const TVxPlan before = p.Main->Document->plan();
        hover(p, loom, partPos(warp), loom, placeOn(loom, over));
        const int place = over < 0 ? loom->JobCount() - 1 : std::min(over, loom->JobCount() - 1);
        const bool marked = loom->Decoration().RefusedPlaces.contains(place);
        mouseRelease(loom->JobArea()->viewport(), placeOn(loom, over));
        const bool moved = !(p.Main->Document->plan() == before);
        QVERIFY2(marked != moved, qPrintable(QString("over job %1").arg(over)));
        if (moved) p.Main->Document->undoStack()->undo();
    }
}

QTEST_MAIN(TestDragPreview)
#include "tst_dragpreview.moc"
