// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measures and helpers shared by the schedule component's own sources (not
// part of its public header).

#include "VxAbort.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QString>

// Fixed measures of a job panel.
constexpr int kJobInset = 3; // frame 1 + border 2
constexpr int kCaptionHeight = 13;
constexpr int kBoxRowHeight = 15; // dates, items, status
constexpr int kScrollLineStep = 8;
// Free job area kept below a column's last job, so a full column still has
// somewhere to right-click for its own menu ("Add New Job").
constexpr int kFreeStripHeight = 2 * kBoxRowHeight;

// The fonts of a job's rows, made once (jobs copy them cheaply).
const QFont& VxRowFont(bool bold);

bool VxCaptionUsable(const QString& caption);

// Adds a popup entry running one of an element's user actions; an unusable
// caption hides it. The action runs guarded (errors shown on parent) and
// only while the element still exists.
template <typename T>
QAction* VxAddMenuAction(QMenu* menu, const QString& caption, T* element, QWidget* parent,
                         void (T::*action)()) {
    QPointer<T> self(element);
    QAction* entry = menu->addAction(caption, [self, parent, action] {
        VxGuard(parent, [&] {
            if (self) (self.data()->*action)();
        });
    });
    entry->setVisible(VxCaptionUsable(caption));
    return entry;
}
