// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxJob.h"

#include "ItemDlg.h"
#include "JobDlg.h"
#include "VxDialogs.h"
#include "VxFlagGuard.h"
#include "VxSched.h"
#include "VxSchedMetrics.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QScrollBar>

namespace {
// Today for a new job's dates. Reading the clock asks the time zone each
// time; a plant's worth of jobs created at once shares one reading a second.
TDateTime todayForNewJob() {
    static QElapsedTimer age;
    static TDateTime today = 0;
    if (!age.isValid() || age.elapsed() > 1000) {
        today = VxToday();
        age.start();
    }
    return today;
}
} // namespace

const QFont& VxRowFont(bool bold) {
    static const QFont plain = [] {
        QFont font = QApplication::font();
        font.setPixelSize(11);
        // Crisp small text, as the classic panels; also far cheaper to
        // blit for thousands of rows.
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }();
    static const QFont heavy = [] {
        QFont font = plain;
        font.setBold(true);
        return font;
    }();
    return bold ? heavy : plain;
}

bool VxCaptionUsable(const QString& caption) {
    return !caption.isEmpty() && caption != QLatin1String(" ");
}

// ===========================================================================
// TVxJobItem

TVxJobItem::TVxJobItem() = default;

TVxJobItem::~TVxJobItem() {
    // Deleted directly while still in a job: leave the job's list quietly.
    if (m_job) m_job->detachItem(this);
}

void TVxJobItem::SetCaption(const QString& caption) {
    m_caption = caption;
    Changed();
}

void TVxJobItem::SetColor(const QColor& color) {
    m_color = color;
    Changed();
}

void TVxJobItem::SetMarked(bool marked) {
    if (m_marked == marked) return;
    m_marked = marked;
    Changed();
}

void TVxJobItem::Changed() {
    if (m_job) m_job->Changed();
}

void TVxJobItem::ExecuteEditItem() {
    if (!m_job) throw EVxError(TVxJobSchedule::tr("Item not owned by job!"));
    TVxJob* job = m_job;
    TVxJobSchedule* schedule = job->Schedule();
    if (!schedule) throw EVxError(TVxJobSchedule::tr("Job not owned by schedule!"));
    // A handler that removed the item gets no after event for it.
    QPointer<TVxJobItem> self(this);
    if (schedule->OnBeforeItemEdit) schedule->OnBeforeItemEdit(schedule, job, this);
    if (schedule->OnDoItemEdit) {
        schedule->OnDoItemEdit(schedule, job, this);
        if (self && schedule->OnAfterItemEdit) schedule->OnAfterItemEdit(schedule, job, this);
        return;
    }
    if (schedule->OnInitItemDialog) {
        QStringList selected;
        if (VxExecuteItemDialog(schedule, TVxJobSchedule::tr("Edit Item"), schedule, job, this,
                                selected) &&
            self && schedule->OnAfterItemEdit)
            schedule->OnAfterItemEdit(schedule, job, this);
        return;
    }
    QString text = m_caption;
    if (VxDialogs::inputQuery(schedule, TVxJobSchedule::tr("Edit Job Item"),
                              TVxJobSchedule::tr("Definition"), text) &&
        self)
        SetCaption(text);
}

void TVxJobItem::ExecuteRemoveItem() {
    if (!m_job) throw EVxError(TVxJobSchedule::tr("Item not owned by job!"));
    TVxJobSchedule* schedule = m_job->Schedule();
    if (schedule && schedule->OnDoItemRemove)
        schedule->OnDoItemRemove(schedule, m_job, this);
    else
        m_job->RemoveItem(this, true);
}

void TVxJobItem::BuildMenu(QMenu* menu) {
    QWidget* parent = m_job ? m_job->Schedule() : nullptr;
    VxAddMenuAction(menu, m_menuCaptions.EditItem, this, parent, &TVxJobItem::ExecuteEditItem);
    VxAddMenuAction(menu, m_menuCaptions.RemoveItem, this, parent, &TVxJobItem::ExecuteRemoveItem);
}

// ===========================================================================
// TVxJob

TVxJob::TVxJob()
    : m_startDate(todayForNewJob()), m_finishDate(m_startDate), m_captionFont(VxRowFont(true)) {
    UpperRow.Visible = true;
    UpperRow.Top = kJobInset;
    UpperRow.Height = kCaptionHeight;
    LowerRow.Height = kCaptionHeight;
    Arrange();
}

TVxJob::~TVxJob() {
    // Deleted directly while still in a schedule: leave its list quietly.
    if (TVxJobSchedule* schedule = m_schedule) {
        schedule->m_jobs.Release(this, false);
        schedule->Restack();
    }
    m_items.DeleteAll();
}

void TVxJob::SetUpperCaption(const QString& caption) {
    UpperRow.Text = caption;
    Changed();
}

void TVxJob::SetLowerCaption(const QString& caption) {
    const bool wasShown = !LowerRow.Text.isEmpty();
    LowerRow.Visible = !caption.isEmpty();
    LowerRow.Text = caption;
    relayoutAfterRowChange(wasShown != LowerRow.Visible);
}

void TVxJob::SetStatusText(const QString& text) {
    const bool wasEmpty = StatusRow.Text.isEmpty();
    StatusRow.Visible = !text.isEmpty() && m_expanded;
    StatusRow.Text = text;
    relayoutAfterRowChange(wasEmpty != text.isEmpty());
}

void TVxJob::SetStartDate(TDateTime date) {
    m_startDate = date;
    refreshDatesRow();
}

void TVxJob::SetFinishDate(TDateTime date) {
    m_finishDate = date;
    refreshDatesRow();
}

QString TVxJob::DatesText(TDateTime startDate, TDateTime finishDate) {
    const QString dayMonth = QStringLiteral("dd mmm");
    const QString startText =
        startDate == 0 ? QStringLiteral("?") : VxFormatDate(dayMonth, startDate);
    if (finishDate != 0)
        return startText + QStringLiteral(" - ") + VxFormatDate(dayMonth, finishDate);
    return VxFormatDate(dayMonth, startDate);
}

void TVxJob::refreshDatesRow() {
    DatesRow.Text = DatesText(m_startDate, m_finishDate);
    const bool wasVisible = DatesRow.Visible;
    DatesRow.Visible = m_startDate != 0 || m_finishDate != 0;
    relayoutAfterRowChange(wasVisible != DatesRow.Visible);
}

void TVxJob::relayoutAfterRowChange(bool visibilityChanged) {
    if (visibilityChanged) {
        Arrange();
        if (m_schedule) m_schedule->Restack();
    }
    Changed();
}

void TVxJob::SetCaptionFont(const QFont& font) {
    m_captionFont = font;
    Changed();
}

void TVxJob::SetCaptionColor(const QColor& color) {
    m_captionColor = color;
    Changed();
}

void TVxJob::SetGauges(const QVector<TVxJobGauge>& gauges, const QString& hint) {
    if (m_gauges == gauges && m_gaugeHint == hint) return;
    m_gauges = gauges;
    m_gaugeHint = hint;
    Changed();
}

void TVxJob::SetMarked(bool marked) {
    if (m_marked == marked) return;
    m_marked = marked;
    Changed();
}

void TVxJob::SetExpanded(bool expanded) {
    m_expanded = expanded;
    StatusRow.Visible = !StatusRow.Text.isEmpty() && expanded;
    for (TVxJobItem* item : m_items)
        item->m_visible = expanded;
    Arrange();
    m_addItemEnabled = expanded;
    m_clearItemsEnabled = expanded;
}

TVxJobItem* TVxJob::NewItem() {
    auto* item = new TVxJobItem;
    InsertItem(item);
    return item;
}

TVxJobItem* TVxJob::AddItem(int itemNo, const QString& caption) {
    TVxJobItem* item = nullptr;
    {
        const TVxFlagGuard adding(AddingItem);
        item = NewItem();
    }
    item->ItemNo = itemNo;
    item->SetCaption(caption);
    if (TVxJobSchedule* schedule = m_schedule) {
        afterItemsChanged();
        if (schedule->OnAfterItemAdd) schedule->OnAfterItemAdd(schedule, this, item);
    }
    return item;
}

void TVxJob::InsertItem(TVxJobItem* item) {
    if (!item || IndexOfItem(item) >= 0) return;
    if (item->m_job && item->m_job != this) item->m_job->RemoveItem(item, false);
    item->m_width = m_width - 6;
    if (m_schedule) {
        item->m_menuCaptions.EditItem = m_schedule->MenuCaptions().EditItem;
        item->m_menuCaptions.RemoveItem = m_schedule->MenuCaptions().RemoveItem;
    }
    m_items.Adopt(item, this);
    item->m_visible = true;
    Arrange();
    if (m_schedule) m_schedule->ResizeSchedule();
    if (!AddingItem && m_schedule) {
        TVxJobSchedule* schedule = m_schedule;
        afterItemsChanged();
        if (schedule->OnAfterItemAdd) schedule->OnAfterItemAdd(schedule, this, item);
    }
}

// The column follows a change of this job's items: stacked again, resized
// and scrolled to show the job.
void TVxJob::afterItemsChanged() {
    TVxJobSchedule* schedule = m_schedule;
    schedule->Restack();
    schedule->ResizeSchedule();
    schedule->ScrollToJob(this);
}

void TVxJob::InsertItemAt(int index, TVxJobItem* item) {
    m_items.PlaceAt(
        index, item, [this](TVxJobItem* inserted) { InsertItem(inserted); },
        [this](int from, int to) { MoveItem(from, to); });
}

void TVxJob::DeleteItem(int index, bool freeIt) {
    TVxJobItem* item = m_items.At(index);
    if (TVxJobSchedule* schedule = m_schedule) {
        schedule->stopScrollTimer();
        if (schedule->OnBeforeItemRemove) schedule->OnBeforeItemRemove(schedule, this, item);
        if (freeIt && schedule->OnBeforeItemFree) schedule->OnBeforeItemFree(schedule, this, item);
    }
    // A handler may have moved the item; delete whatever is still listed.
    if (!m_items.Release(item, freeIt)) return;
    Arrange();
    TVxJobSchedule* schedule = m_schedule;
    if (!schedule) return;
    schedule->ResizeSchedule();
    afterItemsChanged();
    if (schedule->OnAfterItemRemove) schedule->OnAfterItemRemove(schedule, this);
    if (freeIt && schedule->OnAfterItemFree) schedule->OnAfterItemFree(schedule, this);
}

int TVxJob::RemoveItem(TVxJobItem* item, bool freeIt) {
    return m_items.RemoveWith(item, [&](int index) { DeleteItem(index, freeIt); });
}

void TVxJob::ClearItems(bool freeIt) {
    m_items.ClearWith([&](int index) { DeleteItem(index, freeIt); });
}

void TVxJob::MoveItem(int curIndex, int newIndex) {
    m_items.Move(curIndex, newIndex);
    Arrange();
}

std::vector<std::unique_ptr<TVxJobItem>> TVxJob::TakeItems() {
    std::vector<std::unique_ptr<TVxJobItem>> items;
    while (!m_items.Empty()) {
        TVxJobItem* item = m_items.At(0);
        m_items.Release(item, false);
        items.emplace_back(item);
    }
    return items;
}

void TVxJob::ReplaceItems(std::vector<std::unique_ptr<TVxJobItem>> items) {
    m_items.DeleteAll();
    for (std::unique_ptr<TVxJobItem>& owned : items) {
        TVxJobItem* item = owned.release();
        item->m_width = m_width - 6;
        if (m_schedule) {
            item->m_menuCaptions.EditItem = m_schedule->MenuCaptions().EditItem;
            item->m_menuCaptions.RemoveItem = m_schedule->MenuCaptions().RemoveItem;
        }
        m_items.Adopt(item, this);
    }
    SetExpanded(m_expanded);
}

void TVxJob::detachItem(TVxJobItem* item) {
    if (!m_items.Release(item, false)) return;
    Arrange();
    if (m_schedule) m_schedule->Restack();
}

void TVxJob::Arrange() {
    int y = UpperRow.Top + kCaptionHeight;
    if (LowerRow.Visible) {
        LowerRow.Top = y;
        y += kCaptionHeight;
    }
    if (DatesRow.Visible) {
        DatesRow.Top = y;
        y += kBoxRowHeight;
    }
    if (m_expanded) {
        for (TVxJobItem* item : m_items) {
            item->m_visible = true;
            item->m_top = y;
            y += kBoxRowHeight;
        }
        if (StatusRow.Visible) {
            StatusRow.Top = y;
            y += kBoxRowHeight;
        }
    } else {
        // A collapsed job hides its items, also one just moved into it.
        for (TVxJobItem* item : m_items)
            item->m_visible = false;
    }
    const int oldHeight = m_height;
    m_height = y + kJobInset;
    if (oldHeight != m_height && m_schedule)
        m_schedule->repaintJobs();
    else
        Changed();
}

void TVxJob::SetTop(int top) {
    if (top == m_top) return;
    m_top = top;
    if (m_schedule) m_schedule->repaintJobs();
}

void TVxJob::SetWidth(int width) {
    m_width = width;
    setItemWidths();
    Changed();
}

void TVxJob::setItemWidths() {
    for (TVxJobItem* item : m_items)
        item->m_width = m_width - 6;
}

QRect TVxJob::ItemDropLine(const TVxJobItem* item, int newIndex) const {
    const int before = m_items.LandingBefore(item, newIndex);
    int y = 0;
    if (before < ItemCount())
        y = m_items.At(before)->Top();
    else if (!m_items.Empty())
        y = m_items.Last()->Top() + kBoxRowHeight;
    else
        y = StatusRow.Visible ? StatusRow.Top : m_height - kJobInset;
    return QRect(kJobInset, y - 1, m_width - 2 * kJobInset, 3);
}

TVxJobPart TVxJob::PartAt(const QPoint& pos, TVxJobItem** item) const {
    if (item) *item = nullptr;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= m_width || pos.y() >= m_height)
        return TVxJobPart::None;
    if (pos.x() < kJobInset || pos.x() >= m_width - kJobInset) return TVxJobPart::Frame;
    auto inRow = [&](const TVxJobRow& row) {
        return row.Visible && pos.y() >= row.Top && pos.y() < row.Top + row.Height;
    };
    if (inRow(UpperRow)) return TVxJobPart::UpperCaption;
    if (inRow(LowerRow)) return TVxJobPart::LowerCaption;
    if (inRow(DatesRow)) return TVxJobPart::Dates;
    if (m_expanded) {
        if (inRow(StatusRow)) return TVxJobPart::Status;
        if (!m_items.Empty()) {
            const int first = m_items.At(0)->m_top;
            const int index = pos.y() >= first ? (pos.y() - first) / kBoxRowHeight : -1;
            if (index >= 0 && index < ItemCount()) {
                if (item) *item = m_items.At(index);
                return TVxJobPart::Item;
            }
        }
    }
    return TVxJobPart::Frame;
}

QRect TVxJob::PartRect(TVxJobPart part, const TVxJobItem* item) const {
    const int rowWidth = m_width - 6;
    auto rowRect = [&](const TVxJobRow& row) {
        return QRect(kJobInset, row.Top, rowWidth, row.Height);
    };
    switch (part) {
    case TVxJobPart::UpperCaption:
        return rowRect(UpperRow);
    case TVxJobPart::LowerCaption:
        return rowRect(LowerRow);
    case TVxJobPart::Dates:
        return rowRect(DatesRow);
    case TVxJobPart::Status:
        return rowRect(StatusRow);
    case TVxJobPart::Item:
        return item ? item->BoundsRect() : QRect();
    case TVxJobPart::Frame:
        return QRect(0, 0, m_width, m_height);
    case TVxJobPart::None:
        break;
    }
    return QRect();
}

TVxJobSchedule* TVxJob::requireSchedule() const {
    if (!m_schedule) throw EVxError(TVxJobSchedule::tr("Job not owned by schedule!"));
    return m_schedule;
}

void TVxJob::ExecuteEditJob() {
    TVxJobSchedule* schedule = requireSchedule();
    QPointer<TVxJob> self(this);
    if (schedule->OnBeforeJobEdit) schedule->OnBeforeJobEdit(schedule, this);
    if (schedule->OnDoJobEdit) {
        schedule->OnDoJobEdit(schedule, this);
        if (self && schedule->OnAfterJobEdit) schedule->OnAfterJobEdit(schedule, this);
        return;
    }
    QString upper, lower;
    TDateTime start = m_startDate, finish = m_finishDate;
    if (VxExecuteJobDialog(schedule, TVxJobSchedule::tr("Edit Job"), schedule, this, upper, lower,
                           start, finish) &&
        self && schedule->OnAfterJobEdit)
        schedule->OnAfterJobEdit(schedule, this);
}

void TVxJob::ExecuteRemoveJob() {
    TVxJobSchedule* schedule = requireSchedule();
    if (schedule->OnDoJobRemove)
        schedule->OnDoJobRemove(schedule, this);
    else
        schedule->RemoveJob(this, true);
}

void TVxJob::ExecuteAddItem() {
    TVxJobSchedule* schedule = requireSchedule();
    QPointer<TVxJob> self(this);
    if (schedule->OnBeforeItemAdd) schedule->OnBeforeItemAdd(schedule, this);
    if (schedule->OnDoItemAdd) {
        schedule->OnDoItemAdd(schedule, this);
        return;
    }
    if (schedule->OnInitItemDialog) {
        QStringList selected;
        if (VxExecuteItemDialog(schedule, TVxJobSchedule::tr("Add New Job Items"), schedule, this,
                                nullptr, selected))
            for (const QString& caption : selected)
                if (self) AddItem(0, caption);
        return;
    }
    QString text;
    if (VxDialogs::inputQuery(schedule, TVxJobSchedule::tr("Add Item"),
                              TVxJobSchedule::tr("Definition"), text) &&
        self)
        AddItem(0, text);
}

void TVxJob::ExecuteClearItems() {
    if (VxDialogs::confirmDiscard(m_schedule,
                                  TVxJobSchedule::tr("Remove all the items from this job?"),
                                  VxButtons::YesNoCancel) != QMessageBox::Yes)
        return;
    if (m_schedule && m_schedule->OnDoItemsClear)
        m_schedule->OnDoItemsClear(m_schedule, this);
    else
        ClearItems(true);
}

void TVxJob::BuildMenu(QMenu* menu) {
    QWidget* parent = m_schedule;
    QAction* addItem =
        VxAddMenuAction(menu, m_menuCaptions.AddItem, this, parent, &TVxJob::ExecuteAddItem);
    QAction* clearItems =
        VxAddMenuAction(menu, m_menuCaptions.ClearItems, this, parent, &TVxJob::ExecuteClearItems);
    QAction* separator = menu->addSeparator();
    QAction* editJob =
        VxAddMenuAction(menu, m_menuCaptions.EditJob, this, parent, &TVxJob::ExecuteEditJob);
    QAction* removeJob =
        VxAddMenuAction(menu, m_menuCaptions.RemoveJob, this, parent, &TVxJob::ExecuteRemoveJob);
    addItem->setEnabled(m_addItemEnabled);
    clearItems->setEnabled(ItemCount() > 0);
    separator->setVisible((editJob->isVisible() || removeJob->isVisible()) &&
                          (addItem->isVisible() || clearItems->isVisible()));
}

void TVxJob::Changed() {
    if (!m_schedule || !m_schedule->m_jobArea || !m_schedule->inView()) return;
    TVxJobArea* area = m_schedule->m_jobArea;
    const QRect shown(area->JobOrigin(this), QSize(m_width, m_height));
    if (shown.intersects(area->viewport()->rect())) area->viewport()->update(shown);
}
