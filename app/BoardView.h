// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board as a view of the plan document: column i of the schedule box
// draws loom i of the plan. When the document says which looms changed,
// their columns are drawn again from plan values (VxShowLoom); the job or
// fabric the planner had chosen stays chosen, by its number, or the place
// it left is.
//
// Board jobs are found in the plan by place: a column's position is its
// loom's, a job's position on the column its position on the loom.
//
// A shown board draws first the columns in view; the others follow while
// the program is idle, or at once when they scroll into view or DrawAll is
// called (before acting on an intent). A hidden board draws everything at
// once.

#include "VxPlanDocument.h"

#include <QObject>
#include <QVector>
#include <functional>

class TVxJob;
class TVxJobItem;
class TVxJobSchedule;
class TVxScheduleBox;

class TBoardView : public QObject {
    Q_OBJECT
public:
    TBoardView(TVxScheduleBox* box, TVxPlanDocument& doc, QObject* parent = nullptr);

    TVxScheduleBox* Box() const { return m_box; }
    // The loom a column draws, -1 for a column outside the box.
    int LoomOf(const TVxJobSchedule* schedule) const;
    TVxJobPlace PlaceOf(const TVxJob* job) const;
    int ItemIndexOf(const TVxJobItem* item) const;
    const TVxPlanLoom& Loom(const TVxJobSchedule* schedule) const;
    const TVxPlanJob& Job(const TVxJob* job) const;
    TVxJobSchedule* Column(int loom) const;

    // Draws the looms again (all of them when empty).
    void Redraw(const QVector<int>& looms);
    // Draws the columns still waiting to be drawn.
    void DrawAll();
    // Whether every column shows its loom as the plan has it.
    bool Drawn() const;
    // Called after the columns of these looms were drawn from the plan.
    std::function<void(const QVector<int>& looms)> OnDrawn;

private:
    struct Chosen {
        int JobNo = 0;
        int ItemNo = 0;
        TVxPlanJobKind Kind = TVxPlanJobKind::Reed;
        TVxJobPlace Place{-1, -1};
        int ItemIndex = -1;
    };
    Chosen chosen() const;
    void choose(const Chosen& chosen);
    void draw(const QVector<int>& looms);
    bool inView(int loom) const;
    void drawInView();
    void drawLater();

    TVxScheduleBox* m_box;
    TVxPlanDocument& m_doc;
    // Columns whose loom changed while they were out of view.
    QVector<bool> m_waiting;
    bool m_drawLaterQueued = false;
};
