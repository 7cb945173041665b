// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edits of a plan as undo steps, each made from the planner's intent and
// named after it ("Move warp 7 to R03 190cm"). A command names the looms it
// works on; its edit runs on copies of them (TVxPlanEdit), then the looms
// are settled (warps stretched for their fabric, dates chained) unless the
// edit is one that keeps dates as they are (a removal, a clear, a load).
// Redo and undo put the looms' values after or before back into the plan.
//
// The same edit on copies gives a preview (TVxPlanDocument::Preview).

#include "VxPlanDocument.h"

#include <QCoreApplication>
#include <QVector>
#include <optional>

// The looms an edit works on, copied from the plan, and the numbers for the
// next job and item.
struct TVxPlanEdit {
    QVector<int> LoomIndexes;
    QVector<TVxPlanLoom> Looms;
    int NextJobNo = 1;
    int NextItemNo = 1;

    // The copy of the plan's loom at that position (one the edit names).
    TVxPlanLoom& Loom(int planIndex);
};

class TVxPlanCommand : public TVxPlanStep {
    Q_DECLARE_TR_FUNCTIONS(TVxPlanCommand)

public:
    ~TVxPlanCommand() override;

    // Positions in the plan of the looms the edit works on.
    const QVector<int>& Looms() const { return m_looms; }
    // The edit applied to copies of its looms from plan.
    TVxPlanEdit Edited(const TVxPlan& plan, const TVxWeaveRefs& refs) const;
    QVector<TVxPlanLoom> PreviewLooms() const override;

    void redo() override;
    void undo() override;

protected:
    // Throws EVxError when a loom is not in the document's plan.
    TVxPlanCommand(TVxPlanDocument& doc, const QVector<int>& looms);
    const TVxPlan& plan() const { return m_doc.plan(); }
    // Throws EVxError unless the plan has a job there (and item, when >= 0).
    const TVxPlanJob& jobAt(const TVxJobPlace& place) const;
    void checkItem(const TVxJobPlace& place, int item) const;
    QString loomName(int loom) const { return plan().Looms[loom].Name; }

    virtual void apply(TVxPlanEdit& edit) const = 0;
    // Whether the looms are re-dated after the edit.
    virtual bool settles() const { return true; }
    // A load or a clear links the plan anew and is a clean point.
    virtual std::optional<TVxScenarioLink> linkAfter() const { return std::nullopt; }

private:
    // Takes the looms before from the document and works out the looms
    // after; false when the edit changes nothing.
    bool prepare() override;

    TVxPlanDocument& m_doc;
    QVector<int> m_looms;
    QVector<TVxPlanLoom> m_before;
    QVector<TVxPlanLoom> m_after;
    int m_jobNoBefore = 1;
    int m_itemNoBefore = 1;
    int m_jobNoAfter = 1;
    int m_itemNoAfter = 1;
    TVxScenarioLink m_linkBefore;
};

// A new job at the end of a loom, numbered from the plan's next job number.
class TVxAddJobCommand : public TVxPlanCommand {
public:
    TVxAddJobCommand(TVxPlanDocument& doc, int loom, const TVxPlanJob& job);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    int m_loom;
    TVxPlanJob m_job;
};

// New fields and dates for a job (its number and items stay). The first job
// of a loom takes the loom's start date with it.
class TVxEditJobCommand : public TVxPlanCommand {
public:
    TVxEditJobCommand(TVxPlanDocument& doc, const TVxJobPlace& place, const TVxPlanJob& job);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_place;
    TVxPlanJob m_job;
};

// A job moved to stand at toIndex on loom toLoom, toIndex counted among the
// target's jobs without the moved one.
class TVxMoveJobCommand : public TVxPlanCommand {
public:
    TVxMoveJobCommand(TVxPlanDocument& doc, const TVxJobPlace& from, int toLoom, int toIndex);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_from;
    int m_toLoom;
    int m_toIndex;
};

// One job deleted ("Remove <job>"), or the first count jobs of a loom by its
// "Clear All", which stops at a reed that still carries warps: "Clear
// <loom>" when all went, else "Remove <n> jobs from <loom>".
class TVxRemoveJobsCommand : public TVxPlanCommand {
public:
    TVxRemoveJobsCommand(TVxPlanDocument& doc, const TVxJobPlace& first, int count = 1,
                         bool clearing = false);

protected:
    void apply(TVxPlanEdit& edit) const override;
    bool settles() const override { return false; }

private:
    TVxJobPlace m_first;
    int m_count;
};

// A fabric item appended to a warp, numbered from the plan's next item
// number.
class TVxAddItemCommand : public TVxPlanCommand {
public:
    TVxAddItemCommand(TVxPlanDocument& doc, const TVxJobPlace& job, const TVxPlanItem& item);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_job;
    TVxPlanItem m_item;
};

// A new piece count for a fabric item.
class TVxEditItemCommand : public TVxPlanCommand {
public:
    TVxEditItemCommand(TVxPlanDocument& doc, const TVxJobPlace& job, int item, int32_t pieces);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_job;
    int m_item;
    int32_t m_pieces;
};

// A fabric item moved to stand at toIndex among the items of the warp at
// to, counted without the moved item.
class TVxMoveItemCommand : public TVxPlanCommand {
public:
    TVxMoveItemCommand(TVxPlanDocument& doc, const TVxJobPlace& from, int item,
                       const TVxJobPlace& to, int toIndex);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_from;
    int m_item;
    TVxJobPlace m_to;
    int m_toIndex;
};

// One fabric item deleted (item >= 0), or all of a warp's (item -1: "Clear
// fabrics of <warp>").
class TVxRemoveItemsCommand : public TVxPlanCommand {
public:
    TVxRemoveItemsCommand(TVxPlanDocument& doc, const TVxJobPlace& job, int item);

protected:
    void apply(TVxPlanEdit& edit) const override;

private:
    TVxJobPlace m_job;
    int m_item;
};

// Every loom emptied, the numbers back to 1, no scenario: "Clear all jobs".
class TVxClearScenarioCommand : public TVxPlanCommand {
public:
    explicit TVxClearScenarioCommand(TVxPlanDocument& doc);

protected:
    void apply(TVxPlanEdit& edit) const override;
    bool settles() const override { return false; }
    std::optional<TVxScenarioLink> linkAfter() const override { return TVxScenarioLink(); }
};

// A stored scenario on every loom: each loom takes the jobs of the loaded
// loom of its number (none when the scenario has none), its start from its
// first job; the next numbers are the scenario's. Dates stay as stored.
class TVxLoadCommand : public TVxPlanCommand {
public:
    TVxLoadCommand(TVxPlanDocument& doc, const TVxPlan& loaded, const TVxScenarioLink& link);

protected:
    void apply(TVxPlanEdit& edit) const override;
    bool settles() const override { return false; }
    std::optional<TVxScenarioLink> linkAfter() const override { return m_link; }

private:
    TVxPlan m_loaded;
    TVxScenarioLink m_link;
};
