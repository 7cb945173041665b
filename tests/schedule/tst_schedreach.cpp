// SPDX-License-Identifier: GPL-3.0-or-later
// Reaching everything on a wide, full board: the box's scroll bar, the row
// of columns after a column changes its width, auto-scroll at the box's
// edges while dragging, the free strip below every column's last job, and
// texts cut at a column's edge shown in full.

#include "ScheduleFixture.h"
#include "VxScrollBar.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QToolTip>

namespace {
// A board of `count` empty columns.
void fillBoard(ScheduleWindow& w, int count) {
    for (int i = 0; i < count; ++i)
        w.column(QStringLiteral("L%1").arg(i + 1, 2, 10, QLatin1Char('0')));
}

// Every column touches the next, the first sits at minus the scroll
// position, and all are as tall as each other.
void verifyRow(const TVxScheduleBox* box) {
    const QScrollBar* bar = box->horizontalScrollBar();
    QCOMPARE(box->Schedules(0)->x(), -bar->value());
    for (int i = 1; i < box->ScheduleCount(); ++i) {
        const TVxJobSchedule* left = box->Schedules(i - 1);
        QCOMPARE(box->Schedules(i)->x(), left->x() + left->width());
        QCOMPARE(box->Schedules(i)->height(), left->height());
    }
    const TVxJobSchedule* last = box->Schedules(box->ScheduleCount() - 1);
    QCOMPARE(bar->maximum(), last->x() + last->width() + bar->value() - box->viewport()->width());
}

// What a tooltip request at a viewport point shows ("" for none).
QString tooltipAt(QWidget* viewport, QPoint p) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, p, viewport->mapToGlobal(p));
    QApplication::sendEvent(viewport, &help);
    const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return text;
}
} // namespace

class TestSchedReach : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // The thumb must read as the thumb: darker than the groove, on a board
    // that barely scrolls (long thumb) as on one that scrolls far. Dragging
    // it to an end shows that end of the board.
    void thumbReadsAsThumb_data() {
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<bool>("toRight");
        QTest::newRow("narrow board, thumb to the right") << 380 << true;
        QTest::newRow("widened board, thumb to the right") << 1350 << true;
        QTest::newRow("widened board, thumb back to the left") << 1350 << false;
    }
    void thumbReadsAsThumb() {
        QFETCH(int, boxWidth);
        QFETCH(bool, toRight);
        ScheduleWindow w(QSize(boxWidth, 400));
        fillBoard(w, 14);
        auto* bar = dynamic_cast<TVxScrollBar*>(w.box->horizontalScrollBar());
        QVERIFY(bar && bar->maximum() > 0);
        QTRY_VERIFY(bar->isVisible());
        if (!toRight) bar->setValue(bar->maximum());
        const QImage shot = bar->grab().toImage();
        const QRect thumb = bar->ThumbRect();
        const int grooveX = bar->value() == 0 ? thumb.right() + 4 : thumb.left() - 4;
        const int y = thumb.center().y();
        QVERIFY(qGray(shot.pixel(thumb.center())) + 40 < qGray(shot.pixel(grooveX, y)));

        const QPoint grip = thumb.center();
        const QPoint end(toRight ? bar->width() - 2 : 1, grip.y());
        mousePress(bar, grip);
        mouseMove(bar, (grip + end) / 2);
        mouseMove(bar, end);
        mouseRelease(bar, end);
        QCOMPARE(bar->value(), toRight ? bar->maximum() : 0);
        verifyRow(w.box);
    }

    // A column that gains or loses its scroll bar while the box places the
    // row (the board grew or shrank in height) leaves no gap, no overlap and
    // no stale scroll range, wherever the board was scrolled.
    void rowFollowsAWidthChange_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("heightChange");
        QTest::addColumn<bool>("atRightEnd");
        QTest::newRow("first column gains its bar") << 0 << -40 << false;
        QTest::newRow("third column gains its bar, at the right end") << 2 << -40 << true;
        QTest::newRow("first column loses its bar, at the right end") << 0 << 40 << true;
        QTest::newRow("third column loses its bar, at the right end") << 2 << 40 << true;
        QTest::newRow("third column loses its bar, at the left end") << 2 << 40 << false;
    }
    void rowFollowsAWidthChange() {
        QFETCH(int, column);
        QFETCH(int, heightChange);
        QFETCH(bool, atRightEnd);
        ScheduleWindow w(QSize(600, 500));
        w.box->resize(600, 400);
        fillBoard(w, 8);
        TVxJobSchedule* s = w.box->Schedules(column);
        const int plain = s->width();
        // Jobs until the column just overflows (a growing board then frees
        // it); one fewer for a shrinking board to make it overflow.
        while (s->width() == plain)
            s->AddJob(0, QStringLiteral("J"), QString(), 46082, 46083);
        if (heightChange < 0) s->DeleteJob(s->JobCount() - 1, true);
        QScrollBar* bar = w.box->horizontalScrollBar();
        bar->setValue(atRightEnd ? bar->maximum() : 0);
        w.box->resize(600, 400 + heightChange);
        QCOMPARE(s->width() != plain, heightChange < 0);
        verifyRow(w.box);
        // Back to the left stop: the first column shows in full.
        bar->setValue(0);
        QCOMPARE(w.box->Schedules(0)->x(), 0);
    }

    // A job held against the box's right edge scrolls the board: within the
    // edge band, pushed past it onto whatever stands beside the box, and
    // with a hand that trembles (a mouse move every few milliseconds).
    void boxScrollsAtItsVisibleEdge_data() {
        QTest::addColumn<int>("beyondEdge"); // pixels right of the box's edge
        QTest::addColumn<bool>("trembling");
        QTest::newRow("inside the edge band") << -3 << false;
        QTest::newRow("pushed past the edge") << 20 << false;
        QTest::newRow("trembling in the edge band") << -3 << true;
    }
    void boxScrollsAtItsVisibleEdge() {
        QFETCH(int, beyondEdge);
        QFETCH(bool, trembling);
        ScheduleWindow w(QSize(500, 300));
        // The box beside a pane, as in the main window.
        w.box->resize(380, 300);
        auto* pane = new QWidget(w.window.get());
        pane->setGeometry(386, 0, 114, 300);
        pane->show();
        fillBoard(w, 8);
        TVxJobSchedule* first = w.box->Schedules(0);
        TVxJob* job = first->AddJob(1, QStringLiteral("P"), QString(), 46082, 46083);
        w.box->SetScrollInterval(30);
        QScrollBar* bar = w.box->horizontalScrollBar();
        const QPoint edge(w.box->width() + beyondEdge, 150);
        QWidget* from = first->JobArea()->viewport();
        const QPoint start = partPos(job, TVxJobPart::UpperCaption);
        mousePress(from, start);
        mouseMove(from, start + QPoint(0, QApplication::startDragDistance() + 2));
        mouseMove(w.box, edge);
        if (trembling) {
            for (int i = 0; i < 30 && bar->value() == 0; ++i) {
                QTest::qWait(8);
                mouseMove(w.box, edge + QPoint(i % 2, 0));
            }
            QVERIFY(bar->value() > 0);
        }
        w.box->SetScrollInterval(5);
        QTRY_COMPARE(bar->value(), bar->maximum());
        mouseRelease(w.box, edge);
        QVERIFY(!w.box->ScrollTimer->isActive());
    }

    // However full a column, a right-click below its last job opens the
    // column's own menu.
    void freeStripBelowTheLastJob_data() {
        QTest::addColumn<int>("jobs");
        QTest::addColumn<bool>("expanded");
        QTest::newRow("a few jobs") << 3 << true;
        QTest::newRow("a column full of jobs") << 40 << true;
        QTest::newRow("full and collapsed") << 60 << false;
    }
    void freeStripBelowTheLastJob() {
        QFETCH(int, jobs);
        QFETCH(bool, expanded);
        ScheduleWindow w(QSize(600, 300));
        TVxJobSchedule* s = w.column("A");
        for (int i = 0; i < jobs; ++i)
            s->AddJob(i, QStringLiteral("J%1").arg(i), QString(), 46082, 46083)
                ->AddItem(1, QStringLiteral("ABRED : NAT/1pcs"));
        s->SetExpanded(expanded);
        TVxJobArea* area = s->JobArea();
        area->SetScrollPos(area->verticalScrollBar()->maximum());
        QWidget* vp = area->viewport();
        const TVxJob* last = s->Jobs(s->JobCount() - 1);
        QVERIFY(vp->height() - area->JobOrigin(last).y() - last->Height() >= 15);
        mouseClick(vp, QPoint(20, vp->height() - 3), Qt::RightButton);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Add New Job..."));
        menu->close();
    }

    void cutTextsShowInFull_data() {
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut");
        const QString longText = QStringLiteral("Holiday maintenance of the whole weaving shed");
        QTest::newRow("downtime caption, cut") << int(TVxJobPart::UpperCaption) << longText << true;
        QTest::newRow("caption that fits") << int(TVxJobPart::UpperCaption) << "DT" << false;
        QTest::newRow("second caption, cut") << int(TVxJobPart::LowerCaption) << longText << true;
        QTest::newRow("fabric line, cut")
            << int(TVxJobPart::Item) << "ABRED : NATURAL BLEACHED/12pcs" << true;
        QTest::newRow("fabric line that fits") << int(TVxJobPart::Item) << "AB/1pcs" << false;
        QTest::newRow("status row, cut")
            << int(TVxJobPart::Status) << "Rem: 2362m / 212kg of 2500m" << true;
    }
    void cutTextsShowInFull() {
        QFETCH(int, part);
        QFETCH(QString, text);
        QFETCH(bool, cut);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("A");
        TVxJob* job = s->AddJob(1, "W1", "R2400", 46082, 46083);
        TVxJobItem* item = job->AddItem(1, "AB/1pcs");
        job->SetStatusText("Rem: 10m");
        switch (TVxJobPart(part)) {
        case TVxJobPart::UpperCaption:
            job->SetUpperCaption(text);
            break;
        case TVxJobPart::LowerCaption:
            job->SetLowerCaption(text);
            break;
        case TVxJobPart::Item:
            item->SetCaption(text);
            break;
        default:
            job->SetStatusText(text);
        }
        QWidget* vp = s->JobArea()->viewport();
        QCOMPARE(tooltipAt(vp, partPos(job, TVxJobPart(part), item)), cut ? text : QString());
    }
};

QTEST_MAIN(TestSchedReach)
#include "tst_schedreach.moc"
