// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The job or item the keyboard acts on, and how the arrow keys walk a
// column. Model only: the job area paints the frame and turns keys into the
// schedule's selection operations.

#include <QPointer>

class QObject;
class TVxJob;
class TVxJobItem;
class TVxJobSchedule;

enum class TVxKeyStep { Up, Down, Left, Right };

class TVxSelection {
public:
    // The job or item selected; nullptr when none is, also once it is freed.
    QObject* Element() const { return m_element; }
    // The job selected, or the job of the item selected.
    TVxJob* Job() const;
    // The item selected, or nullptr when a job (or nothing) is.
    TVxJobItem* Item() const;
    void Set(QObject* element) { m_element = element; }

private:
    QPointer<QObject> m_element;
};

// A column in reading order: each job, then its items while it is expanded.
// Both give nullptr at the ends.
QObject* VxElementAfter(const QObject* element);
QObject* VxElementBefore(const QObject* element);
// A job's or item's top in its column's job-area content coordinates.
int VxElementTop(const QObject* element);
// The job of a column level with a height in job-area content coordinates,
// or nullptr when the height lies below its jobs.
TVxJob* VxJobLevelWith(const TVxJobSchedule* schedule, int contentY);
