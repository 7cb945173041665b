// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shown window holding a schedule box, and real mouse input sent through
// the window (so implicit grabs, double clicks and context menus behave as
// for a user).

#include "VxSched.h"

#include <QScrollBar>
#include <QWidget>
#include <QtTest>
#include <memory>

struct ScheduleWindow {
    std::unique_ptr<QWidget> window{new QWidget};
    TVxScheduleBox* box = new TVxScheduleBox(window.get());

    explicit ScheduleWindow(QSize size = QSize(600, 400)) {
        window->resize(size);
        box->setGeometry(0, 0, size.width(), size.height());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    TVxJobSchedule* column(const QString& header, const QStringList& jobs = {}) {
        TVxJobSchedule* s = box->AddSchedule(box->ScheduleCount() + 1, header, QString());
        for (const QString& caption : jobs)
            s->AddJob(0, caption, QString(), 0, 0);
        return s;
    }
};

// Centre of a part of a job, in the job area's viewport.
inline QPoint partPos(TVxJob* job, TVxJobPart part, TVxJobItem* item = nullptr) {
    TVxJobArea* area = job->Schedule()->JobArea();
    return area->JobOrigin(job) + job->PartRect(part, item).center();
}

inline QWindow* handleOf(QWidget* w) {
    return w->window()->windowHandle();
}
inline QPoint inWindow(QWidget* w, QPoint p) {
    return w->mapTo(w->window(), p);
}

inline void mousePress(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(handleOf(w), b, {}, inWindow(w, p));
}
inline void mouseRelease(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(handleOf(w), b, {}, inWindow(w, p));
}
inline void mouseMove(QWidget* w, QPoint p) {
    QTest::mouseMove(handleOf(w), inWindow(w, p));
}
inline void mouseClick(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(handleOf(w), b, {}, inWindow(w, p));
}
inline void mouseDClick(QWidget* w, QPoint p) {
    QTest::mouseDClick(handleOf(w), Qt::LeftButton, {}, inWindow(w, p));
}

// Press at one point, move past the drag distance, over to the target and
// release there.
inline void dragTo(QWidget* from, QPoint start, QWidget* to, QPoint end) {
    mousePress(from, start);
    mouseMove(from, start + QPoint(0, QApplication::startDragDistance() + 2));
    mouseMove(to, end + QPoint(1, 0));
    mouseMove(to, end);
    mouseRelease(to, end);
}
