// SPDX-License-Identifier: GPL-3.0-or-later
// Drag and drop of jobs and items, driven by real mouse presses, moves past
// the drag distance and releases sent through the window.

#include "EventLog.h"
#include "ScheduleFixture.h"

#include <QApplication>
#include <QScrollBar>

namespace {
QString jobOrder(const TVxJobSchedule* s) {
    QString out;
    for (int i = 0; i < s->JobCount(); ++i)
        out += s->Jobs(i)->UpperCaption();
    return out;
}

QString itemOrder(const TVxJob* job) {
    QString out;
    for (int i = 0; i < job->ItemCount(); ++i)
        out += job->Items(i)->Caption();
    return out;
}

// Starts a drag at a point and moves to another, without releasing;
// `started` runs once the drag has begun.
void dragOver(QWidget* from, QPoint start, QWidget* to, QPoint end,
              const std::function<void()>& started = {}) {
    mousePress(from, start);
    mouseMove(from, start + QPoint(0, QApplication::startDragDistance() + 2));
    if (started) started();
    mouseMove(to, end);
}
} // namespace

class TestSchedDrag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QVERIFY(!VxScheduleDragActive()); }

    void reorderItems_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto"); // item index, or -1 for the caption row
        QTest::addColumn<QString>("order");
        QTest::newRow("A on B") << 0 << 1 << "BCA";
        QTest::newRow("C on A") << 2 << 0 << "ACB";
        QTest::newRow("C on caption") << 2 << -1 << "CAB";
    }
    void reorderItems() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QString, order);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        TVxJob* job = s->AddJob(0, "P", QString(), 0, 0);
        for (const char* c : {"A", "B", "C"})
            job->AddItem(0, c);
        EventLog log;
        log.attach(s);
        TVxJob* dropJob = nullptr;
        s->OnItemDragDrop = [&](TVxJobSchedule*, TVxJob* old, TVxJobItem*) {
            log.lines << "S:ItemDragDrop";
            dropJob = old;
        };
        QWidget* vp = s->JobArea()->viewport();
        const QPoint target = onto < 0 ? partPos(job, TVxJobPart::UpperCaption)
                                       : partPos(job, TVxJobPart::Item, job->Items(onto));
        dragTo(vp, partPos(job, TVxJobPart::Item, job->Items(from)), vp, target);
        QCOMPARE(itemOrder(job), order);
        QCOMPARE(log.joined(), QString("S:ItemDragDrop"));
        QCOMPARE(dropJob, job);
        QVERIFY(!QApplication::overrideCursor());
    }

    void reorderJobs_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto"); // job index, or -1 for the empty area
        QTest::addColumn<QString>("order");
        QTest::newRow("P on Q") << 0 << 1 << "QPR";
        QTest::newRow("R on P") << 2 << 0 << "RPQ";
        QTest::newRow("P on empty area") << 0 << -1 << "QRP";
    }
    void reorderJobs() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QString, order);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S", {"P", "Q", "R"});
        EventLog log;
        log.attach(s);
        QWidget* vp = s->JobArea()->viewport();
        const QPoint target = onto < 0 ? QPoint(20, vp->height() - 20)
                                       : partPos(s->Jobs(onto), TVxJobPart::UpperCaption);
        dragTo(vp, partPos(s->Jobs(from), TVxJobPart::UpperCaption), vp, target);
        QCOMPARE(jobOrder(s), order);
        QCOMPARE(log.joined(), QString("S:JobDragDrop"));
    }

    void jobToAnotherSchedule() {
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0", {"X"});
        TVxJobSchedule* s1 = w.column("S1", {"P", "Q", "R"});
        s1->SetJobWidth(90);
        EventLog log;
        log.attach(s0);
        log.attach(s1);
        TVxJob* x = s0->Jobs(0);
        dragTo(s0->JobArea()->viewport(), partPos(x, TVxJobPart::UpperCaption),
               s1->JobArea()->viewport(), partPos(s1->Jobs(1), TVxJobPart::UpperCaption));
        QCOMPARE(jobOrder(s1), QString("PXQR"));
        QCOMPARE(s0->JobCount(), 0);
        QCOMPARE(x->Width(), 90);
        QCOMPARE(log.joined(), QString("S0:BeforeJobRemove,S0:AfterJobRemove,S1:AfterJobAdd,"
                                       "S1:JobDragDrop"));
    }

    void itemToAnotherJob() {
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0");
        TVxJobSchedule* s1 = w.column("S1");
        TVxJob* j0 = s0->AddJob(0, "J0", QString(), 0, 0);
        TVxJob* j1 = s1->AddJob(0, "J1", QString(), 0, 0);
        TVxJobItem* x = j0->AddItem(0, "X");
        j1->AddItem(0, "A");
        j1->AddItem(0, "B");
        EventLog log;
        log.attach(s0);
        log.attach(s1);
        TVxJob* oldJob = nullptr;
        s1->OnItemDragDrop = [&](TVxJobSchedule*, TVxJob* job, TVxJobItem*) {
            log.lines << "S1:ItemDragDrop";
            oldJob = job;
        };
        dragTo(s0->JobArea()->viewport(), partPos(j0, TVxJobPart::Item, x),
               s1->JobArea()->viewport(), partPos(j1, TVxJobPart::Item, j1->Items(0)));
        QCOMPARE(itemOrder(j1), QString("AXB"));
        QCOMPARE(oldJob, j0);
        QCOMPARE(x->Job(), j1);
        QCOMPARE(log.joined(), QString("S0:BeforeItemRemove,S0:AfterItemRemove,S1:AfterItemAdd,"
                                       "S1:ItemDragDrop"));
    }

    void dragOverIndexes_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("over");
        QTest::addColumn<QString>("raised");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("item over own caption") << "A"
                                               << "caption P"
                                               << "item P -1" << true;
        QTest::newRow("item over sibling") << "A"
                                           << "item C"
                                           << "item P 2" << true;
        QTest::newRow("item over itself") << "A"
                                          << "item A"
                                          << "" << false;
        QTest::newRow("item over job area") << "A"
                                            << "area S1"
                                            << "" << false;
        QTest::newRow("item over header") << "A"
                                          << "header S1"
                                          << "" << false;
        QTest::newRow("item over footer") << "A"
                                          << "footer S1"
                                          << "" << false;
        QTest::newRow("item over dates row") << "A"
                                             << "dates Q"
                                             << "item Q -1" << true;
        QTest::newRow("job over itself") << "P"
                                         << "caption P"
                                         << "" << false;
        QTest::newRow("job over next job") << "P"
                                           << "caption Q"
                                           << "job P 1" << true;
        QTest::newRow("job over other area") << "P"
                                             << "area S1"
                                             << "job P -1" << true;
        QTest::newRow("job over other header") << "P"
                                               << "header S1"
                                               << "job P -1" << true;
    }
    void dragOverIndexes() {
        QFETCH(QString, source);
        QFETCH(QString, over);
        QFETCH(QString, raised);
        QFETCH(bool, accepted);
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0", {"P", "Q"});
        TVxJobSchedule* s1 = w.column("S1");
        s1->SetFooter("F");
        TVxJob* p = s0->Jobs(0);
        TVxJob* q = s0->Jobs(1);
        q->SetStartDate(46000);
        for (const char* c : {"A", "B", "C"})
            p->AddItem(0, c);
        QStringList log;
        for (TVxJobSchedule* s : {s0, s1}) {
            s->OnItemDragOver = [&](TVxJobSchedule*, TVxJob* job, TVxJobItem*, int index, bool&) {
                log << QString("item %1 %2").arg(job->UpperCaption()).arg(index);
            };
            s->OnJobDragOver = [&](TVxJobSchedule*, TVxJob* job, int index, bool&) {
                log << QString("job %1 %2").arg(job->UpperCaption()).arg(index);
            };
        }
        QWidget* vp0 = s0->JobArea()->viewport();
        const QPoint start = source == "P" ? partPos(p, TVxJobPart::UpperCaption)
                                           : partPos(p, TVxJobPart::Item, p->Items(0));
        const QStringList target = over.split(' ');
        QWidget* to = vp0;
        QPoint end;
        if (target[0] == "caption")
            end = partPos(target[1] == "P" ? p : q, TVxJobPart::UpperCaption);
        else if (target[0] == "dates")
            end = partPos(q, TVxJobPart::Dates);
        else if (target[0] == "item")
            end = partPos(p, TVxJobPart::Item, p->Items(target[1] == "A" ? 0 : 2));
        else if (target[0] == "area") {
            to = s1->JobArea()->viewport();
            end = QPoint(20, 100);
        } else {
            to = target[0] == "header" ? static_cast<QWidget*>(s1->HeaderRow()) : s1->FooterRow();
            end = to->rect().center();
        }
        dragOver(vp0, start, to, end, [&] { log.clear(); });
        QVERIFY(VxScheduleDragActive());
        QCOMPARE(log.isEmpty() ? QString() : log.last(), raised);
        QCOMPARE(VxScheduleDragAccepted(), accepted);
        // A header takes a job but a drop there moves nothing: the cursor
        // does not promise one.
        const bool lands = accepted && target[0] != "header";
        QCOMPARE(QApplication::overrideCursor()->shape(),
                 lands ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        QTest::keyClick(w.window.get(), Qt::Key_Escape);
        // A cancelled drag ends in no click either.
        bool clicked = false;
        for (TVxJobSchedule* s : {s0, s1}) {
            s->OnItemClick = [&](TVxJobSchedule*, TVxJob*, TVxJobItem*) { clicked = true; };
            s->OnJobClick = [&](TVxJobSchedule*, TVxJob*) { clicked = true; };
            s->OnClick = [&](QObject*) { clicked = true; };
        }
        mouseRelease(to, end);
        QVERIFY(!clicked);
        QCOMPARE(jobOrder(s0), QString("PQ"));
        QCOMPARE(itemOrder(p), QString("ABC"));
    }

    void refusedDropChangesNothing() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S", {"P", "Q", "R"});
        s->OnJobDragOver = [](TVxJobSchedule*, TVxJob*, int, bool& accept) { accept = false; };
        EventLog log;
        log.attach(s);
        QWidget* vp = s->JobArea()->viewport();
        dragTo(vp, partPos(s->Jobs(0), TVxJobPart::UpperCaption), vp,
               partPos(s->Jobs(2), TVxJobPart::UpperCaption));
        QCOMPARE(jobOrder(s), QString("PQR"));
        QVERIFY(log.lines.isEmpty());
    }

    void noDragFromDatesRow() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        QWidget* vp = s->JobArea()->viewport();
        const QPoint start = partPos(job, TVxJobPart::Dates);
        mousePress(vp, start);
        mouseMove(vp, start + QPoint(0, 30));
        QVERIFY(!VxScheduleDragActive());
        mouseRelease(vp, start + QPoint(0, 30));
    }

    void scheduleDragReachesStandardEvents() {
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0");
        TVxJobSchedule* s1 = w.column("S1");
        QStringList log;
        s1->OnDragOver = [&](QObject* sender, QObject* source, int, int, TVxDragState,
                             bool& accept) { accept = sender == s1 && source == s0; };
        s1->OnDragDrop = [&](QObject* sender, QObject* source, int, int) {
            log << QString("%1<-%2").arg(static_cast<TVxJobSchedule*>(sender)->Header(),
                                         static_cast<TVxJobSchedule*>(source)->Header());
        };
        dragTo(s0->JobArea()->viewport(), QPoint(20, 50), s1->JobArea()->viewport(),
               QPoint(20, 60));
        QCOMPARE(log, QStringList{"S1<-S0"});
    }

    // A drag of anything but a job or an item (here a column) is accepted
    // only where an OnDragOver handler takes it; the cursor says so.
    void foreignDragNeedsAStandardHandler_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("handler");
        QTest::newRow("job area, no handler") << "area" << false;
        QTest::newRow("job area, handler") << "area" << true;
        QTest::newRow("job row, no handler") << "job" << false;
        QTest::newRow("job row, handler") << "job" << true;
        QTest::newRow("item, no handler") << "item" << false;
        QTest::newRow("header, no handler") << "header" << false;
    }
    void foreignDragNeedsAStandardHandler() {
        QFETCH(QString, over);
        QFETCH(bool, handler);
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0");
        TVxJobSchedule* s1 = w.column("S1", {"P"});
        TVxJob* p = s1->Jobs(0);
        TVxJobItem* a = p->AddItem(0, "A");
        QObject* sender = nullptr;
        if (handler)
            s1->OnDragOver = [&](QObject* from, QObject*, int, int, TVxDragState, bool&) {
                sender = from;
            };
        QWidget* to = s1->JobArea()->viewport();
        QPoint end(20, to->height() - 20);
        if (over == "job")
            end = partPos(p, TVxJobPart::UpperCaption);
        else if (over == "item")
            end = partPos(p, TVxJobPart::Item, a);
        else if (over == "header") {
            to = s1->HeaderRow();
            end = to->rect().center();
        }
        dragOver(s0->JobArea()->viewport(), QPoint(20, 100), to, end);
        QVERIFY(VxScheduleDragActive());
        QCOMPARE(VxScheduleDragSource(), static_cast<QObject*>(s0));
        QCOMPARE(VxScheduleDragAccepted(), handler);
        QCOMPARE(QApplication::overrideCursor()->shape(),
                 handler ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        if (handler)
            QCOMPARE(sender, over == "job" ? static_cast<QObject*>(p) : static_cast<QObject*>(s1));
        QTest::keyClick(w.window.get(), Qt::Key_Escape);
        mouseRelease(to, end);
    }

    // While dragging, the column shows where the drop lands: a line across
    // the gap the job or item will fill (the same gap the drop orders above
    // give), or the job framed. A refused drop shows none, and the refusal
    // cursor.
    void dropMarker_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("over");
        QTest::addColumn<QString>("marker"); // "after C", "before A", "frame Q" or none
        QTest::newRow("A on B: after C") << "A"
                                         << "B"
                                         << "after C";
        QTest::newRow("C on A: after A") << "C"
                                         << "A"
                                         << "after A";
        QTest::newRow("C on P's caption: first") << "C"
                                                 << "P"
                                                 << "before A";
        QTest::newRow("Z from another column") << "Z"
                                               << "A"
                                               << "after A";
        QTest::newRow("Z into a collapsed job") << "Z"
                                                << "Q"
                                                << "frame Q";
        QTest::newRow("P on Q: after Q") << "P"
                                         << "Q"
                                         << "after Q";
        QTest::newRow("R on P: before P") << "R"
                                          << "P"
                                          << "before P";
        QTest::newRow("P below the jobs: the end") << "P"
                                                   << ""
                                                   << "after R";
        QTest::newRow("X from another column") << "X"
                                               << "Q"
                                               << "before Q";
        QTest::newRow("refused") << "X"
                                 << "R"
                                 << "";
    }
    void dropMarker() {
        QFETCH(QString, source);
        QFETCH(QString, over);
        QFETCH(QString, marker);
        ScheduleWindow w(QSize(600, 400));
        TVxJobSchedule* s0 = w.column("S0", {"P", "Q", "R"});
        TVxJobSchedule* s1 = w.column("S1", {"X"});
        QHash<QString, QObject*> named{{"X", s1->Jobs(0)}, {"Z", s1->Jobs(0)->AddItem(0, "Z")}};
        for (int i = 0; i < 3; ++i) {
            named[s0->Jobs(i)->UpperCaption()] = s0->Jobs(i);
            named[QString(QChar('A' + i))] = s0->Jobs(0)->AddItem(0, QString(QChar('A' + i)));
        }
        if (marker.startsWith("frame")) s0->SetExpanded(false);
        // R refuses a job from another column.
        s0->OnJobDragOver = [&](TVxJobSchedule*, TVxJob* job, int index, bool& accept) {
            accept = !(index == 2 && job == named["X"]);
        };
        // Elements by name: their job, its viewport, a point on them.
        auto viewportOf = [](TVxJob* job) { return job->Schedule()->JobArea()->viewport(); };
        auto item = [&](const QString& name) { return dynamic_cast<TVxJobItem*>(named[name]); };
        auto job = [&](const QString& name) {
            return item(name) ? item(name)->Job() : static_cast<TVxJob*>(named[name]);
        };
        auto point = [&](const QString& name) {
            return partPos(job(name), item(name) ? TVxJobPart::Item : TVxJobPart::UpperCaption,
                           item(name));
        };
        QWidget* to = over.isEmpty() ? s0->JobArea()->viewport() : viewportOf(job(over));
        const QPoint end = over.isEmpty() ? QPoint(20, to->height() - 5) : point(over);
        dragOver(viewportOf(job(source)), point(source), to, end);
        const TVxDropMarker shown = s0->DropMarker();
        const QStringList expected = marker.split(' ');
        if (marker.isEmpty()) {
            QVERIFY(shown.Rect.isEmpty());
        } else if (expected[0] == "frame") {
            QVERIFY(shown.Frame);
            QCOMPARE(shown.Rect, job(expected[1])->BoundsRect());
        } else {
            const QString& name = expected[1];
            const int top = item(name) ? job(name)->Top() + item(name)->Top() : job(name)->Top();
            const int height = item(name) ? item(name)->Height() : job(name)->Height();
            QVERIFY(!shown.Frame);
            QCOMPARE(shown.Rect.center().y(), top + (expected[0] == "after" ? height : 0));
        }
        QCOMPARE(QApplication::overrideCursor()->shape(),
                 marker.isEmpty() ? Qt::ForbiddenCursor : Qt::DragMoveCursor);
        mouseRelease(to, end);
        QVERIFY(s0->DropMarker().Rect.isEmpty());
    }

    void ownerFollowsTheDrag_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("told");
        QTest::newRow("mouse, dropped")
            << QStringList{"press P", "over Q", "over S0 header", "over R", "release"}
            << "begin:P,place:S0/-/0/n,place:S0/-/1/y,place:S0/-/-1/n,place:S0/-/2/y,end,"
               "drop:S0/2";
        QTest::newRow("mouse, Escape") << QStringList{"press P", "over Q", "escape"}
                                       << "begin:P,place:S0/-/0/n,place:S0/-/1/y,end";
        QTest::newRow("mouse, an item to another job")
            << QStringList{"press A", "over X", "release"}
            << "begin:A,place:S0/P/0/n,place:S1/X/0/y,end,drop:X/0";
        QTest::newRow("keys, Alt released")
            << QStringList{"select P", "alt down", "alt down", "alt release"}
            << "begin:P,place:S0/-/1/y,place:S0/-/2/y,end,drop:S0/2";
        QTest::newRow("keys, Enter") << QStringList{"select P", "alt down", "enter"}
                                     << "begin:P,place:S0/-/1/y,end,drop:S0/1";
        QTest::newRow("keys, Escape")
            << QStringList{"select P", "alt down", "escape", "alt release"}
            << "begin:P,place:S0/-/1/y,end";
        QTest::newRow("keys, back where it was")
            << QStringList{"select Q", "alt down", "alt up", "alt release"}
            << "begin:Q,place:S0/-/2/y,place:S0/-/-1/n,end";
        QTest::newRow("keys, across") << QStringList{"select P", "alt right", "alt release"}
                                      << "begin:P,place:S1/-/0/y,end,drop:S1/0";
    }
    // The box's owner is told of a drag, by mouse or by the keys, from its
    // start over each new place to its end, and only then of the drop.
    void ownerFollowsTheDrag() {
        QFETCH(QStringList, steps);
        QFETCH(QString, told);
        ScheduleWindow w;
        TVxJobSchedule* s0 = w.column("S0", {"P", "Q", "R"});
        TVxJobSchedule* s1 = w.column("S1", {"X"});
        QHash<QString, QObject*> named{{"X", s1->Jobs(0)}, {"A", s0->Jobs(0)->AddItem(0, "A")}};
        for (int i = 0; i < 3; ++i)
            named[s0->Jobs(i)->UpperCaption()] = s0->Jobs(i);
        QStringList log;
        auto name = [](QObject* o) {
            if (auto* job = dynamic_cast<TVxJob*>(o)) return job->UpperCaption();
            if (auto* item = dynamic_cast<TVxJobItem*>(o)) return item->Caption();
            return QString("-");
        };
        w.box->OnDragBegin = [&](QObject* source) { log << "begin:" + name(source); };
        w.box->OnDragPlace = [&](TVxJobSchedule* s, TVxJob* job, int index, bool accept) {
            log << QString("place:%1/%2/%3/%4")
                       .arg(s ? s->Header() : "-", name(job))
                       .arg(index)
                       .arg(accept ? "y" : "n");
        };
        w.box->OnDragEnd = [&](QObject*) { log << "end"; };
        for (TVxJobSchedule* s : {s0, s1}) {
            s->OnDoJobDrop = [&](TVxJobSchedule* to, TVxJob*, int index) {
                log << QString("drop:%1/%2").arg(to->Header()).arg(index);
            };
            s->OnDoItemDrop = [&](TVxJobSchedule*, TVxJob* job, TVxJobItem*, int index) {
                log << QString("drop:%1/%2").arg(name(job)).arg(index);
            };
        }
        auto at = [&](const QString& element) -> std::pair<QWidget*, QPoint> {
            if (element == "S0 header") return {s0->HeaderRow(), s0->HeaderRow()->rect().center()};
            auto* item = dynamic_cast<TVxJobItem*>(named[element]);
            TVxJob* job = item ? item->Job() : static_cast<TVxJob*>(named[element]);
            return {job->Schedule()->JobArea()->viewport(),
                    partPos(job, item ? TVxJobPart::Item : TVxJobPart::UpperCaption, item)};
        };
        auto key = [](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
            QKeyEvent event(type, key, modifiers);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        };
        const QHash<QString, int> arrows{{"up", Qt::Key_Up},
                                         {"down", Qt::Key_Down},
                                         {"left", Qt::Key_Left},
                                         {"right", Qt::Key_Right}};
        std::pair<QWidget*, QPoint> last;
        for (const QString& step : steps) {
            const QString what = step.section(' ', 0, 0);
            const QString arg = step.section(' ', 1);
            if (what == "press") {
                last = at(arg);
                mousePress(last.first, last.second);
                mouseMove(last.first,
                          last.second + QPoint(QApplication::startDragDistance() + 2, 0));
            } else if (what == "over") {
                last = at(arg);
                mouseMove(last.first, last.second);
            } else if (what == "release") {
                mouseRelease(last.first, last.second);
            } else if (what == "select") {
                mouseClick(at(arg).first, at(arg).second);
            } else if (what == "escape" || what == "enter") {
                key(QEvent::KeyPress, what == "escape" ? Qt::Key_Escape : Qt::Key_Return, {});
            } else if (arg == "release") {
                key(QEvent::KeyRelease, Qt::Key_Alt, {});
            } else {
                key(QEvent::KeyPress, arrows[arg], Qt::AltModifier);
                key(QEvent::KeyRelease, arrows[arg], Qt::AltModifier);
            }
        }
        QCOMPARE(log.join(','), told);
        QVERIFY(!VxScheduleKeyMoveActive());
        QVERIFY(s0->DropMarker().Rect.isEmpty() && s1->DropMarker().Rect.isEmpty());
    }

    void autoScroll_data() {
        QTest::addColumn<bool>("up");
        QTest::newRow("down over the footer") << false;
        QTest::newRow("up near the top") << true;
    }
    void autoScroll() {
        QFETCH(bool, up);
        ScheduleWindow w(QSize(400, 300));
        TVxJobSchedule* s0 = w.column("S0", {"X"});
        TVxJobSchedule* s1 = w.column("S1");
        s1->SetFooter("F");
        s1->SetScrollInterval(5);
        for (int i = 0; i < 40; ++i)
            s1->AddJob(0, QString::number(i), QString(), 0, 0);
        QScrollBar* bar = s1->JobArea()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(up ? bar->maximum() : 0);
        QWidget* target = up ? s1->JobArea() : static_cast<QWidget*>(s1->FooterRow());
        const QPoint end = up ? QPoint(30, 1) : s1->FooterRow()->rect().center();
        dragOver(s0->JobArea()->viewport(), partPos(s0->Jobs(0), TVxJobPart::UpperCaption), target,
                 end);
        QVERIFY(s1->ScrollTimer->isActive());
        QCOMPARE(s1->ScrollUp, up);
        QTRY_VERIFY(!s1->ScrollTimer->isActive());
        QCOMPARE(bar->value(), up ? 0 : bar->maximum());
        // Moving back to the middle stops nothing that is not running, and a
        // release ends the drag with every timer stopped.
        mouseRelease(target, end);
        QVERIFY(!s1->ScrollTimer->isActive());
        QVERIFY(!w.box->ScrollTimer->isActive());
    }

    void boxScrollsNearItsEdges() {
        ScheduleWindow w(QSize(300, 300));
        for (int i = 0; i < 6; ++i)
            w.column(QString::number(i), {"P"});
        w.box->SetScrollInterval(5);
        QScrollBar* bar = w.box->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        TVxJobSchedule* first = w.box->Schedules(0);
        const QPoint edge(w.box->width() - 4, 150);
        dragOver(first->JobArea()->viewport(), partPos(first->Jobs(0), TVxJobPart::UpperCaption),
                 w.box, edge);
        QVERIFY(w.box->ScrollTimer->isActive());
        QVERIFY(!w.box->ScrollLeft);
        QTRY_COMPARE(bar->value(), bar->maximum());
        QTRY_VERIFY(!w.box->ScrollTimer->isActive());
        mouseMove(w.box, QPoint(2, 150));
        QVERIFY(w.box->ScrollLeft);
        QTRY_COMPARE(bar->value(), 0);
        mouseRelease(w.box, QPoint(2, 150));
        QVERIFY(!w.box->ScrollTimer->isActive());
    }
};

QTEST_MAIN(TestSchedDrag)
#include "tst_scheddrag.moc"
