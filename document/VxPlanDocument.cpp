// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanDocument.h"

#include <QUndoStack>
#include <memory>

TVxPlanDocument::TVxPlanDocument(QObject* parent) : QObject(parent), m_stack(new QUndoStack(this)) {
    connect(m_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
    // A load or a clear is a clean point of its own: undoing or redoing back
    // to either side of one finds the plan as stored (or as cleared), so it
    // is clean again unless a save came since.
    connect(m_stack, &QUndoStack::indexChanged, this, [this](int index) {
        if (m_stack->isClean()) return;
        auto command = [this](int i) {
            return i >= 0 && i < m_stack->count()
                       ? dynamic_cast<const TVxPlanStep*>(m_stack->command(i))
                       : nullptr;
        };
        const TVxPlanStep* before = command(index - 1);
        const TVxPlanStep* after = command(index);
        if ((before && before->m_cleanAfterKept) || (after && after->m_cleanBefore))
            m_stack->setClean();
    });
}

TVxPlanDocument::~TVxPlanDocument() = default;

void TVxPlanDocument::Reset(const TVxPlan& plan) {
    m_stack->clear();
    m_plan = plan;
    putLink({});
    QVector<int> all;
    for (int i = 0; i < m_plan.Looms.size(); ++i)
        all << i;
    emit LoomsChanged(all);
}

void TVxPlanDocument::Push(TVxPlanStep* command) {
    std::unique_ptr<TVxPlanStep> owned(command);
    if (!owned->prepare()) return;
    owned->m_cleanBefore = m_stack->isClean();
    // The stack runs the first redo and keeps the step.
    m_stack->push(owned.release());
}

QVector<TVxPlanLoom> TVxPlanDocument::Preview(const TVxPlanStep& command) const {
    return command.PreviewLooms();
}

bool TVxPlanDocument::IsModified() const {
    return !m_stack->isClean();
}

void TVxPlanDocument::SetClean() {
    // What is stored now is this plan: the clean points remembered from
    // loads and clears no longer match it.
    forgetCleanPoints();
    m_stack->setClean();
}

void TVxPlanDocument::ForgetClean() {
    forgetCleanPoints();
    m_stack->resetClean();
}

void TVxPlanDocument::forgetCleanPoints() {
    for (int i = 0; i < m_stack->count(); ++i)
        if (auto* command = dynamic_cast<const TVxPlanStep*>(m_stack->command(i))) {
            auto* editable = const_cast<TVxPlanStep*>(command);
            editable->m_cleanBefore = false;
            editable->m_cleanAfterKept = false;
        }
}

void TVxPlanDocument::SetScenarioLink(const TVxScenarioLink& link) {
    putLink(link);
}

void TVxPlanDocument::putLooms(const QVector<int>& looms, const QVector<TVxPlanLoom>& values,
                               int nextJobNo, int nextItemNo) {
    for (int i = 0; i < looms.size(); ++i)
        m_plan.Looms[looms[i]] = values[i];
    m_plan.NextJobNo = nextJobNo;
    m_plan.NextItemNo = nextItemNo;
    emit LoomsChanged(looms);
}

void TVxPlanDocument::putLink(const TVxScenarioLink& link) {
    if (link == m_link) return;
    m_link = link;
    emit ScenarioLinkChanged();
}
