#include "BoardView.h"

#include "VxAbort.h"
#include "VxSched.h"
#include "VxWeaSch.h"

#include <algorithm>

namespace {
// Holds back painting of a widget and its children until the scope ends,
// then repaints it once.
class TPaintHold {
public:
    // Inside a hold of a parent (or for no widget) there is nothing to do.
    explicit TPaintHold(QWidget* widget)
        : m_widget(widget && widget->updatesEnabled() ? widget : nullptr) {
        if (m_widget) m_widget->setUpdatesEnabled(false);
    }
    ~TPaintHold() {
        if (m_widget) m_widget->setUpdatesEnabled(true);
    }
    TPaintHold(const TPaintHold&) = delete;
    TPaintHold& operator=(const TPaintHold&) = delete;

private:
    QWidget* m_widget;
};
} // namespace

TBoardView::TBoardView(TVxScheduleBox* box, TVxPlanDocument& doc, QObject* parent)
    : QObject(parent), m_box(box), m_doc(doc) {
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, &TBoardView::Redraw);
}

int TBoardView::LoomOf(const TVxJobSchedule* schedule) const {
    for (int i = 0; i < m_box->ScheduleCount(); ++i)
        if (m_box->Schedules(i) == schedule) return i;
    return -1;
}

TVxJobSchedule* TBoardView::Column(int loom) const {
    return loom >= 0 && loom < m_box->ScheduleCount() ? m_box->Schedules(loom) : nullptr;
}

TVxJobPlace TBoardView::PlaceOf(const TVxJob* job) const {
    const TVxJobSchedule* schedule = job ? job->Schedule() : nullptr;
    const int loom = LoomOf(schedule);
    if (loom < 0 || loom >= m_doc.plan().Looms.size())
        throw EVxError(QStringLiteral("The job is not on a loom of the plan"));
    return {loom, schedule->IndexOfJob(job)};
}

int TBoardView::ItemIndexOf(const TVxJobItem* item) const {
    return item && item->Job() ? item->Job()->IndexOfItem(item) : -1;
}

const TVxPlanLoom& TBoardView::Loom(const TVxJobSchedule* schedule) const {
    const int loom = LoomOf(schedule);
    if (loom < 0 || loom >= m_doc.plan().Looms.size())
        throw EVxError(QStringLiteral("The column is not a loom of the plan"));
    return m_doc.plan().Looms[loom];
}

const TVxPlanJob& TBoardView::Job(const TVxJob* job) const {
    const TVxJobPlace place = PlaceOf(job);
    return m_doc.plan().Looms[place.Loom].Jobs.at(place.Index);
}

TBoardView::Chosen TBoardView::chosen() const {
    Chosen c;
    const TVxJobSchedule* any = m_box->ScheduleCount() > 0 ? m_box->Schedules(0) : nullptr;
    const TVxJob* job = any ? any->SelectedJob() : nullptr;
    if (!job || !job->Schedule()) return c;
    c.Place = {LoomOf(job->Schedule()), job->Schedule()->IndexOfJob(job)};
    c.JobNo = job->JobNo;
    if (c.Place.Loom >= 0 && c.Place.Loom < m_doc.plan().Looms.size()) {
        // The plan already holds the change; the board still shows the job
        // as it was, so its kind is read from its drawing.
        if (dynamic_cast<const TVxReedJob*>(job))
            c.Kind = TVxPlanJobKind::Reed;
        else if (dynamic_cast<const TVxWeaveJob*>(job))
            c.Kind = TVxPlanJobKind::Warp;
        else
            c.Kind = TVxPlanJobKind::Downtime;
    }
    if (const TVxJobItem* item = any->SelectedItem()) {
        c.ItemNo = item->ItemNo;
        c.ItemIndex = job->IndexOfItem(item);
    }
    return c;
}

void TBoardView::choose(const Chosen& c) {
    if (c.Place.Loom < 0 || m_box->ScheduleCount() == 0) return;
    const TVxPlan& plan = m_doc.plan();
    // A fabric is known by its own number wherever it went, a job by its
    // number and kind.
    for (int l = 0; l < plan.Looms.size() && l < m_box->ScheduleCount(); ++l)
        for (int j = 0; j < plan.Looms[l].Jobs.size(); ++j) {
            const TVxPlanJob& job = plan.Looms[l].Jobs[j];
            TVxJob* drawn = m_box->Schedules(l)->Jobs(j);
            if (c.ItemNo == 0 && job.JobNo == c.JobNo && job.Kind == c.Kind) {
                m_box->Schedules(l)->Select(drawn);
                return;
            }
            for (int i = 0; c.ItemNo != 0 && i < job.Items.size(); ++i)
                if (job.Items[i].ItemNo == c.ItemNo) {
                    m_box->Schedules(l)->Select(drawn->Items(i));
                    return;
                }
        }
    // Gone: the place it left, as the keys' removal keeps it (the next item,
    // else the one before, else its job; the next job, else the one before).
    TVxJobSchedule* column = Column(c.Place.Loom);
    if (!column || column->JobCount() == 0) return;
    TVxJob* job = column->Jobs(std::min(c.Place.Index, column->JobCount() - 1));
    if (c.ItemIndex >= 0 && job->JobNo == c.JobNo && job->ItemCount() > 0)
        column->Select(job->Items(std::min(c.ItemIndex, job->ItemCount() - 1)));
    else
        column->Select(job);
}

void TBoardView::Redraw(const QVector<int>& looms) {
    const Chosen c = chosen();
    const TVxPlan& plan = m_doc.plan();
    QVector<int> which = looms;
    if (which.isEmpty())
        for (int i = 0; i < plan.Looms.size(); ++i)
            which << i;
    std::vector<TVxLoomDrawing> drawings;
    for (int loom : which)
        if (TVxJobSchedule* column = Column(loom)) drawings.push_back({column, &plan.Looms[loom]});
    {
        TPaintHold hold(drawings.size() > 1 ? static_cast<QWidget*>(m_box) : nullptr);
        VxShowLooms(drawings, m_doc.Refs());
    }
    // The chosen job or item is drawn by the same object as before, unless
    // it went; then the place it left is chosen.
    const TVxJobSchedule* any = m_box->ScheduleCount() > 0 ? m_box->Schedules(0) : nullptr;
    if (any && !any->Selected()) choose(c);
}
