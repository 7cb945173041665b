// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan document: owns the plan (every loom with its jobs) and the undo
// stack of the edits made to it, and says which looms each change touched.
//
// Every edit is a TVxPlanCommand (VxPlanCommand.h) made from the planner's
// intent and pushed here; its redo and undo change plan values and touch
// only the looms it names. Views redraw those looms when LoomsChanged
// comes; nothing else writes the plan.
//
//   doc.Push(new TVxMoveJobCommand(doc, {0, 3}, 2, 0));   // warp to loom 2
//   connect(&doc, &TVxPlanDocument::LoomsChanged, view, &View::redraw);
//
// Modified is !undoStack()->isClean(): the clean point is the state last
// loaded, saved or cleared.

#include "VxPlan.h"
#include "VxWeaRules.h"

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <QVector>
#include <optional>

class QUndoStack;

// The stored scenario the plan was loaded from or saved as.
struct TVxScenarioLink {
    std::optional<int> ScenarioNo;
    QString Name;

    bool operator==(const TVxScenarioLink& other) const {
        return ScenarioNo == other.ScenarioNo && Name == other.Name;
    }
    bool operator!=(const TVxScenarioLink& other) const { return !(*this == other); }
};

// What the document asks of an edit it keeps (TVxPlanCommand is one).
class TVxPlanStep : public QUndoCommand {
public:
    // The looms the edit names, as it would leave the plan as it is now.
    virtual QVector<TVxPlanLoom> PreviewLooms() const = 0;

protected:
    friend class TVxPlanDocument;
    // Works out the plan after the edit from the plan as it is now; false
    // when the edit changes nothing. Throws EVxError for an edit that does
    // not fit the plan.
    virtual bool prepare() = 0;

    // The plan before the edit was at its clean point; the plan after it is
    // one (a load, a clear). Both are forgotten at the next save.
    bool m_cleanBefore = false;
    bool m_cleanAfterKept = false;
};

class TVxPlanDocument : public QObject {
    Q_OBJECT
public:
    explicit TVxPlanDocument(QObject* parent = nullptr);
    ~TVxPlanDocument() override;

    // The reference tables the rules and the bookkeeping read; they must
    // outlive the document.
    void SetRefs(const TVxWeaveRefs& refs) { m_refs = refs; }
    const TVxWeaveRefs& Refs() const { return m_refs; }
    TVxWeaveRules Rules() const { return TVxWeaveRules(m_refs); }

    const TVxPlan& plan() const { return m_plan; }
    QUndoStack* undoStack() const { return m_stack; }

    // Starts over with a plan (start-up): no step, an empty history at its
    // clean point, no scenario. Every loom counts as changed.
    void Reset(const TVxPlan& plan);

    // Runs the edit and keeps it as a step; the document takes it over. An
    // edit that changes nothing is dropped (no step). Throws EVxError, with
    // the plan unchanged, for an edit that does not fit the plan.
    void Push(TVxPlanStep* command);
    // The touched looms (in the command's order) as the edit would leave
    // them, the plan itself unchanged: a preview of a drop.
    QVector<TVxPlanLoom> Preview(const TVxPlanStep& command) const;

    bool IsModified() const;
    // The plan as it stands is what is stored (after a save).
    void SetClean();
    // Nothing stored is the plan any more (its scenario was deleted): it is
    // modified whatever is undone, until the next save, load or clear.
    void ForgetClean();

    const TVxScenarioLink& ScenarioLink() const { return m_link; }
    // After a save, or when the linked scenario was deleted: no step.
    void SetScenarioLink(const TVxScenarioLink& link);

signals:
    // Positions in plan().Looms of the looms a change touched.
    void LoomsChanged(const QVector<int>& looms);
    void ModifiedChanged(bool modified);
    void ScenarioLinkChanged();

private:
    friend class TVxPlanCommand;
    // Used by the commands' redo and undo.
    void putLooms(const QVector<int>& looms, const QVector<TVxPlanLoom>& values, int nextJobNo,
                  int nextItemNo);
    void putLink(const TVxScenarioLink& link);
    // The clean points remembered from loads and clears no longer hold.
    void forgetCleanPoints();

    TVxPlan m_plan;
    TVxWeaveRefs m_refs;
    TVxScenarioLink m_link;
    QUndoStack* m_stack;
};
