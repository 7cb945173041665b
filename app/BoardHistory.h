#pragma once
// Undo and redo of the board.
//
// The history keeps the plan of every loom as it stood after the last step.
// While a user's action runs, the main window reports each loom it touches;
// when the action is over (the outermost guarded entry point returned, with
// any dialogs it opened) those looms are read again, and the ones that
// changed become one step holding their plans before and after. Changes made
// outside a user's action (a load, a program's own set-up) are taken in
// silently when the next action starts: they are no step. An action
// that changed nothing (a vetoed delete, a refused drop, a cancelled dialog)
// leaves no step. Undo and redo put the stored plans back on the looms.
//
// Modified follows the stack: it is set exactly when the board is not at the
// clean point (the state last loaded, saved or cleared).

#include "BoardSteps.h"

#include <QObject>
#include <QString>
#include <vector>

class QUndoStack;
class TMainForm;
class TVxJobSchedule;

class TBoardHistory : public QObject {
    Q_OBJECT
public:
    explicit TBoardHistory(TMainForm& main);
    ~TBoardHistory() override;

    QUndoStack* Stack() const { return m_stack; }

    // A new history from the board as it stands, at its clean point (start-up,
    // load).
    void Reset();
    // The board as it stands is what was saved or cleared.
    void SetClean();
    // No state of the board is stored any more (its scenario was deleted):
    // Modified stays set until the next save, load or clear.
    void ForgetClean();

    // The loom may change during the current action.
    void Touch(const TVxJobSchedule* schedule);
    // The job or item a drop or keyboard move carried, for the step's name.
    void SetSubject(const TBoardStepSubject& subject) { m_subject = subject; }
    // Takes the changes since the last step as one step, named name or after
    // what changed; nothing when the board did not change.
    void Commit(const QString& name = QString());

    // Both commit first what is still open.
    void Undo();
    void Redo();

    // Puts a stored state on the looms (used by the steps).
    void Restore(const QVector<TBoardLoomChange>& changes, bool after, int nextJobNo,
                 int nextItemNo);

signals:
    // After an undo or redo changed the board.
    void Restored();

private:
    TVxPlanLoom readLoom(int column) const;
    // Takes what changed outside an action as the state to start from.
    void absorb();
    void followExpansion();
    void followStack();
    int columnOf(const TVxJobSchedule* schedule) const;

    TMainForm& m_main;
    QUndoStack* m_stack;
    // Each column's plan after the last step.
    std::vector<TVxPlanLoom> m_shown;
    // Each column's expanded state then: folding a loom is no step, but a
    // step must restore the fold it found.
    std::vector<bool> m_expanded;
    std::vector<bool> m_touched;
    int m_nextJobNo = 1;
    int m_nextItemNo = 1;
    TBoardStepSubject m_subject;
    bool m_restoring = false;
};
