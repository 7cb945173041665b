#include "BoardHistory.h"

#include "MainUnit.h"
#include "VxAbort.h"

#include <QUndoStack>
#include <typeinfo>

namespace {
// One step: the looms it changed before and after, and the numbers for the
// next job and item on either side. Pushed after the change was made, so its
// first redo does nothing.
class TBoardStep : public QUndoCommand {
public:
    TBoardStep(TBoardHistory& history, QVector<TBoardLoomChange> changes, const QString& name,
               int jobNoBefore, int itemNoBefore, int jobNoAfter, int itemNoAfter)
        : QUndoCommand(name), m_history(history), m_changes(std::move(changes)),
          m_jobNoBefore(jobNoBefore), m_itemNoBefore(itemNoBefore), m_jobNoAfter(jobNoAfter),
          m_itemNoAfter(itemNoAfter) {}

    void undo() override { m_history.Restore(m_changes, false, m_jobNoBefore, m_itemNoBefore); }
    void redo() override {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_history.Restore(m_changes, true, m_jobNoAfter, m_itemNoAfter);
    }

private:
    TBoardHistory& m_history;
    const QVector<TBoardLoomChange> m_changes;
    const int m_jobNoBefore;
    const int m_itemNoBefore;
    const int m_jobNoAfter;
    const int m_itemNoAfter;
    bool m_pushed = true;
};

// The job or item chosen on the board, by number: an undo or redo puts new
// jobs on the looms, and the choice goes over to them.
struct TChosen {
    int JobNo = 0;
    int ItemNo = 0;
    const std::type_info* Kind = nullptr;

    explicit TChosen(const TVxScheduleBox* box) {
        const TVxJobSchedule* any = box->ScheduleCount() > 0 ? box->Schedules(0) : nullptr;
        const TVxJob* job = any ? any->SelectedJob() : nullptr;
        if (!job) return;
        JobNo = job->JobNo;
        Kind = &typeid(*job);
        if (const TVxJobItem* item = any->SelectedItem()) ItemNo = item->ItemNo;
    }
    // A fabric is known by its own number wherever it went, a job by its
    // number and kind.
    QObject* findOn(const TVxScheduleBox* box) const {
        if (!Kind) return nullptr;
        for (int column = 0; column < box->ScheduleCount(); ++column) {
            const TVxJobSchedule* schedule = box->Schedules(column);
            for (int i = 0; i < schedule->JobCount(); ++i) {
                TVxJob* job = schedule->Jobs(i);
                if (ItemNo == 0 && job->JobNo == JobNo && typeid(*job) == *Kind) return job;
                for (int k = 0; ItemNo != 0 && k < job->ItemCount(); ++k)
                    if (job->Items(k)->ItemNo == ItemNo) return job->Items(k);
            }
        }
        return nullptr;
    }
};

// The loom's description, as its header starts before the loom type.
QString loomName(const TVxJobSchedule* schedule) {
    const QString header = schedule->Header();
    const int type = header.lastIndexOf(QStringLiteral(" : "));
    return type < 0 ? header : header.left(type);
}
} // namespace

TBoardHistory::TBoardHistory(TMainForm& main) : QObject(&main), m_main(main) {
    m_stack = new QUndoStack(this);
    connect(m_stack, &QUndoStack::indexChanged, this, [this] { followStack(); });
    connect(m_stack, &QUndoStack::cleanChanged, this, [this] { followStack(); });
    VxWatchActions(
        this, [this] { absorb(); }, [this] { Commit(); });
}

TBoardHistory::~TBoardHistory() {
    // The steps refer to the history: let them go first, quietly, while the
    // window around it is already half gone.
    m_stack->disconnect();
    delete m_stack;
}

TVxPlanLoom TBoardHistory::readLoom(int column) const {
    return m_main.LoomPlan(m_main.ScheduleBox->Schedules(column));
}

void TBoardHistory::Reset() {
    m_stack->clear();
    const int count = m_main.ScheduleBox->ScheduleCount();
    m_shown.clear();
    m_expanded.clear();
    for (int column = 0; column < count; ++column) {
        m_shown.push_back(readLoom(column));
        m_expanded.push_back(m_main.ScheduleBox->Schedules(column)->Expanded());
    }
    m_touched.assign(m_shown.size(), false);
    m_nextJobNo = m_main.NextJobNo;
    m_nextItemNo = m_main.NextItemNo;
    m_subject = {};
    followStack();
}

void TBoardHistory::SetClean() {
    m_stack->setClean();
    followStack();
}

void TBoardHistory::ForgetClean() {
    m_stack->resetClean();
    followStack();
}

int TBoardHistory::columnOf(const TVxJobSchedule* schedule) const {
    const TVxScheduleBox* box = m_main.ScheduleBox;
    for (int column = 0; column < box->ScheduleCount(); ++column)
        if (box->Schedules(column) == schedule) return column;
    return -1;
}

void TBoardHistory::Touch(const TVxJobSchedule* schedule) {
    if (m_restoring) return;
    const int column = columnOf(schedule);
    if (column >= 0 && column < int(m_touched.size())) m_touched[size_t(column)] = true;
}

void TBoardHistory::followExpansion() {
    for (size_t column = 0; column < m_shown.size(); ++column) {
        const TVxJobSchedule* schedule = m_main.ScheduleBox->Schedules(int(column));
        if (m_touched[column] || schedule->Expanded() == m_expanded[column]) continue;
        m_expanded[column] = schedule->Expanded();
        QVector<TVxPlanJob>& jobs = m_shown[column].Jobs;
        for (int i = 0; i < jobs.size() && i < schedule->JobCount(); ++i)
            jobs[i].Expanded = schedule->Jobs(i)->Expanded();
    }
}

void TBoardHistory::absorb() {
    if (m_restoring || m_shown.empty()) return;
    followExpansion();
    for (size_t column = 0; column < m_shown.size(); ++column)
        if (m_touched[column]) {
            m_touched[column] = false;
            m_shown[column] = readLoom(int(column));
            m_expanded[column] = m_main.ScheduleBox->Schedules(int(column))->Expanded();
        }
    m_nextJobNo = m_main.NextJobNo;
    m_nextItemNo = m_main.NextItemNo;
    m_subject = {};
}

void TBoardHistory::Commit(const QString& name) {
    if (m_restoring || m_shown.empty()) return;
    followExpansion();
    QVector<TBoardLoomChange> changes;
    for (size_t column = 0; column < m_shown.size(); ++column) {
        if (!m_touched[column]) continue;
        m_touched[column] = false;
        TVxPlanLoom after = readLoom(int(column));
        ShareUnchangedItems(after, m_shown[column]);
        if (after == m_shown[column]) continue;
        const TVxJobSchedule* schedule = m_main.ScheduleBox->Schedules(int(column));
        changes.push_back(
            TBoardLoomChange{int(column), loomName(schedule), m_shown[column], after});
        m_shown[column] = after;
        m_expanded[column] = schedule->Expanded();
    }
    const int jobNoBefore = m_nextJobNo;
    const int itemNoBefore = m_nextItemNo;
    m_nextJobNo = m_main.NextJobNo;
    m_nextItemNo = m_main.NextItemNo;
    const TBoardStepSubject subject = m_subject;
    m_subject = {};
    if (changes.isEmpty()) return;
    const QString stepName = name.isEmpty() ? BoardStepName(changes, subject) : name;
    m_stack->push(new TBoardStep(*this, std::move(changes), stepName, jobNoBefore, itemNoBefore,
                                 m_nextJobNo, m_nextItemNo));
}

void TBoardHistory::Undo() {
    Commit();
    if (m_stack->canUndo()) m_stack->undo();
}

void TBoardHistory::Redo() {
    Commit();
    if (m_stack->canRedo()) m_stack->redo();
}

void TBoardHistory::Restore(const QVector<TBoardLoomChange>& changes, bool after, int nextJobNo,
                            int nextItemNo) {
    m_restoring = true;
    struct EndRestore {
        bool& flag;
        ~EndRestore() { flag = false; }
    } endRestore{m_restoring};
    TVxScheduleBox* box = m_main.ScheduleBox;
    const TChosen chosen(box);
    for (const TBoardLoomChange& change : changes) {
        const size_t column = size_t(change.Column);
        TVxJobSchedule* schedule = m_main.ScheduleBox->Schedules(change.Column);
        const TVxPlanLoom& loom = after ? change.After : change.Before;
        m_main.ShowLoomPlan(schedule, loom);
        m_shown[column] = loom;
        m_expanded[column] = schedule->Expanded();
        m_touched[column] = false;
    }
    m_main.NextJobNo = m_nextJobNo = nextJobNo;
    m_main.NextItemNo = m_nextItemNo = nextItemNo;
    if (QObject* element = chosen.findOn(box); element && box->ScheduleCount() > 0)
        box->Schedules(0)->Select(element);
    emit Restored();
}

void TBoardHistory::followStack() {
    m_main.Modified = !m_stack->isClean();
}
