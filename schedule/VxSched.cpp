#include "VxSched.h"

#include "ItemDlg.h"
#include "JobDlg.h"
#include "VxDialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

namespace {
// Fixed measures of a job panel.
constexpr int kJobInset = 3; // frame 1 + border 2
constexpr int kCaptionHeight = 13;
constexpr int kBoxRowHeight = 15; // dates, items, status
constexpr int kScrollLineStep = 8;

const QColor kCaptionText(255, 255, 255);
const QColor kDatesColor(0, 255, 255);
const QColor kStatusText(128, 128, 128);

// The fonts of a job's rows, made once (jobs copy them cheaply).
const QFont& RowFont(bool bold) {
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

// Today for a new job's dates. Reading the clock asks the time zone each
// time; a plant's worth of jobs created at once shares one reading a second.
TDateTime TodayForNewJob() {
    static QElapsedTimer age;
    static TDateTime today = 0;
    if (!age.isValid() || age.elapsed() > 1000) {
        today = VxToday();
        age.start();
    }
    return today;
}

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw EVxListIndexError(index);
}

template <typename T> void MoveInVector(std::vector<T*>& list, int curIndex, int newIndex) {
    T* moved = list[curIndex];
    list.erase(list.begin() + curIndex);
    list.insert(list.begin() + newIndex, moved);
}
} // namespace

bool VxCaptionUsable(const QString& caption) {
    return !caption.isEmpty() && caption != QLatin1String(" ");
}

// ===========================================================================
// TVxJobItem

TVxJobItem::TVxJobItem() = default;

TVxJobItem::~TVxJobItem() {
    // Deleted directly while still in a job: leave the job's list quietly.
    if (m_Job) m_Job->DetachItem(this);
}

void TVxJobItem::SetCaption(const QString& caption) {
    m_Caption = caption;
    Changed();
}

void TVxJobItem::SetColor(const QColor& color) {
    m_Color = color;
    Changed();
}

void TVxJobItem::Changed() {
    if (m_Job) m_Job->Changed();
}

void TVxJobItem::ExecuteEditItem() {
    if (!m_Job) throw EVxError(QStringLiteral("Item not owned by job!"));
    TVxJob* job = m_Job;
    TVxJobSchedule* schedule = job->Schedule();
    if (!schedule) throw EVxError(QStringLiteral("Job not owned by schedule!"));
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
        if (VxExecuteItemDialog(schedule, QStringLiteral("Edit Item"), schedule, job, this,
                                selected) &&
            self && schedule->OnAfterItemEdit)
            schedule->OnAfterItemEdit(schedule, job, this);
        return;
    }
    QString text = m_Caption;
    if (VxDialogs::inputQuery(schedule, QStringLiteral("Edit Job Item"),
                              QStringLiteral("Definition"), text) &&
        self)
        SetCaption(text);
}

void TVxJobItem::ExecuteRemoveItem() {
    if (!m_Job) throw EVxError(QStringLiteral("Item not owned by job!"));
    m_Job->RemoveItem(this, true);
}

void TVxJobItem::BuildMenu(QMenu* menu) {
    QPointer<TVxJobItem> self(this);
    QWidget* parent = m_Job ? m_Job->Schedule() : nullptr;
    QAction* edit = menu->addAction(m_MenuCaptions.EditItem, [self, parent] {
        VxGuard(parent, [&] {
            if (self) self->ExecuteEditItem();
        });
    });
    edit->setVisible(VxCaptionUsable(m_MenuCaptions.EditItem));
    QAction* remove = menu->addAction(m_MenuCaptions.RemoveItem, [self, parent] {
        VxGuard(parent, [&] {
            if (self) self->ExecuteRemoveItem();
        });
    });
    remove->setVisible(VxCaptionUsable(m_MenuCaptions.RemoveItem));
}

// ===========================================================================
// TVxJob

TVxJob::TVxJob()
    : m_StartDate(TodayForNewJob()), m_FinishDate(m_StartDate), m_CaptionFont(RowFont(true)) {
    UpperRow.Visible = true;
    UpperRow.Top = kJobInset;
    UpperRow.Height = kCaptionHeight;
    LowerRow.Height = kCaptionHeight;
    Arrange();
}

TVxJob::~TVxJob() {
    if (m_Schedule) {
        // Deleted directly while still in a schedule: leave its list quietly.
        TVxJobSchedule* schedule = m_Schedule;
        m_Schedule = nullptr;
        auto it = std::find(schedule->m_Jobs.begin(), schedule->m_Jobs.end(), this);
        if (it != schedule->m_Jobs.end()) schedule->m_Jobs.erase(it);
        schedule->Restack();
    }
    std::vector<TVxJobItem*> items;
    items.swap(m_Items);
    for (TVxJobItem* item : items) {
        item->m_Job = nullptr;
        delete item;
    }
}

void TVxJob::SetUpperCaption(const QString& caption) {
    UpperRow.Text = caption;
    Changed();
}

void TVxJob::SetLowerCaption(const QString& caption) {
    const bool wasShown = !LowerRow.Text.isEmpty();
    LowerRow.Visible = !caption.isEmpty();
    LowerRow.Text = caption;
    RelayoutAfterRowChange(wasShown != LowerRow.Visible);
}

void TVxJob::SetStatusText(const QString& text) {
    const bool wasEmpty = StatusRow.Text.isEmpty();
    StatusRow.Visible = !text.isEmpty() && m_Expanded;
    StatusRow.Text = text;
    RelayoutAfterRowChange(wasEmpty != text.isEmpty());
}

void TVxJob::SetStartDate(TDateTime date) {
    m_StartDate = date;
    RefreshDatesRow();
}

void TVxJob::SetFinishDate(TDateTime date) {
    m_FinishDate = date;
    RefreshDatesRow();
}

void TVxJob::RefreshDatesRow() {
    const QString dayMonth = QStringLiteral("dd mmm");
    const QString startText =
        m_StartDate == 0 ? QStringLiteral("?") : VxFormatDate(dayMonth, m_StartDate);
    if (m_FinishDate != 0)
        DatesRow.Text = startText + QStringLiteral(" - ") + VxFormatDate(dayMonth, m_FinishDate);
    else
        DatesRow.Text = VxFormatDate(dayMonth, m_StartDate);
    const bool wasVisible = DatesRow.Visible;
    DatesRow.Visible = m_StartDate != 0 || m_FinishDate != 0;
    RelayoutAfterRowChange(wasVisible != DatesRow.Visible);
}

void TVxJob::RelayoutAfterRowChange(bool visibilityChanged) {
    if (visibilityChanged) {
        Arrange();
        if (m_Schedule) m_Schedule->Restack();
    }
    Changed();
}

void TVxJob::SetCaptionFont(const QFont& font) {
    m_CaptionFont = font;
    Changed();
}

void TVxJob::SetCaptionColor(const QColor& color) {
    m_CaptionColor = color;
    Changed();
}

void TVxJob::SetExpanded(bool expanded) {
    m_Expanded = expanded;
    StatusRow.Visible = !StatusRow.Text.isEmpty() && expanded;
    for (TVxJobItem* item : m_Items)
        item->m_Visible = expanded;
    Arrange();
    m_AddItemEnabled = expanded;
    m_ClearItemsEnabled = expanded;
}

TVxJobItem* TVxJob::Items(int index) const {
    CheckIndex(index, ItemCount());
    return m_Items[index];
}

int TVxJob::IndexOfItem(const TVxJobItem* item) const {
    auto it = std::find(m_Items.begin(), m_Items.end(), item);
    return it == m_Items.end() ? -1 : static_cast<int>(it - m_Items.begin());
}

TVxJobItem* TVxJob::NewItem() {
    auto* item = new TVxJobItem;
    InsertItem(item);
    return item;
}

TVxJobItem* TVxJob::AddItem(int itemNo, const QString& caption) {
    AddingItem = true;
    TVxJobItem* item = nullptr;
    try {
        item = NewItem();
    } catch (...) {
        AddingItem = false;
        throw;
    }
    AddingItem = false;
    item->ItemNo = itemNo;
    item->SetCaption(caption);
    if (TVxJobSchedule* schedule = m_Schedule) {
        schedule->Restack();
        schedule->ResizeSchedule();
        schedule->ScrollToJob(this);
        if (schedule->OnAfterItemAdd) schedule->OnAfterItemAdd(schedule, this, item);
    }
    return item;
}

void TVxJob::InsertItem(TVxJobItem* item) {
    if (!item || IndexOfItem(item) >= 0) return;
    if (item->m_Job && item->m_Job != this) item->m_Job->RemoveItem(item, false);
    item->m_Job = this;
    item->m_Width = m_Width - 6;
    if (m_Schedule) {
        item->m_MenuCaptions.EditItem = m_Schedule->MenuCaptions().EditItem;
        item->m_MenuCaptions.RemoveItem = m_Schedule->MenuCaptions().RemoveItem;
    }
    m_Items.push_back(item);
    item->m_Visible = true;
    Arrange();
    if (m_Schedule) m_Schedule->ResizeSchedule();
    if (!AddingItem && m_Schedule) {
        TVxJobSchedule* schedule = m_Schedule;
        schedule->Restack();
        schedule->ResizeSchedule();
        schedule->ScrollToJob(this);
        if (schedule->OnAfterItemAdd) schedule->OnAfterItemAdd(schedule, this, item);
    }
}

void TVxJob::InsertItemAt(int index, TVxJobItem* item) {
    if (!item) return;
    // A target before the start is refused before the item leaves its job
    // (one beyond the end is clamped by the move).
    if (index < 0) throw EVxListIndexError(index);
    // Already here: moving the last item instead would shuffle another one.
    if (const int current = IndexOfItem(item); current >= 0) {
        MoveItem(current, index);
        return;
    }
    InsertItem(item);
    MoveItem(IndexOfItem(item), index);
}

void TVxJob::DeleteItem(int index, bool freeIt) {
    CheckIndex(index, ItemCount());
    TVxJobItem* item = m_Items[index];
    if (TVxJobSchedule* schedule = m_Schedule) {
        schedule->StopScrollTimer();
        if (schedule->OnBeforeItemRemove) schedule->OnBeforeItemRemove(schedule, this, item);
        if (freeIt && schedule->OnBeforeItemFree) schedule->OnBeforeItemFree(schedule, this, item);
    }
    // A handler may have moved the item; delete whatever is still listed.
    index = IndexOfItem(item);
    if (index < 0) return;
    item->m_Job = nullptr;
    m_Items.erase(m_Items.begin() + index);
    if (freeIt) delete item;
    Arrange();
    TVxJobSchedule* schedule = m_Schedule;
    if (!schedule) return;
    schedule->ResizeSchedule();
    schedule->Restack();
    schedule->ResizeSchedule();
    schedule->ScrollToJob(this);
    if (schedule->OnAfterItemRemove) schedule->OnAfterItemRemove(schedule, this);
    if (freeIt && schedule->OnAfterItemFree) schedule->OnAfterItemFree(schedule, this);
}

int TVxJob::RemoveItem(TVxJobItem* item, bool freeIt) {
    const int index = IndexOfItem(item);
    if (index >= 0) DeleteItem(index, freeIt);
    return index;
}

void TVxJob::ClearItems(bool freeIt) {
    while (ItemCount() > 0)
        DeleteItem(0, freeIt);
}

void TVxJob::MoveItem(int curIndex, int newIndex) {
    CheckIndex(curIndex, ItemCount());
    newIndex = std::min(newIndex, ItemCount() - 1);
    CheckIndex(newIndex, ItemCount());
    MoveInVector(m_Items, curIndex, newIndex);
    Arrange();
}

void TVxJob::DetachItem(TVxJobItem* item) {
    auto it = std::find(m_Items.begin(), m_Items.end(), item);
    if (it == m_Items.end()) return;
    m_Items.erase(it);
    item->m_Job = nullptr;
    Arrange();
    if (m_Schedule) m_Schedule->Restack();
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
    if (m_Expanded) {
        for (TVxJobItem* item : m_Items) {
            item->m_Visible = true;
            item->m_Top = y;
            y += kBoxRowHeight;
        }
        if (StatusRow.Visible) {
            StatusRow.Top = y;
            y += kBoxRowHeight;
        }
    } else {
        // A collapsed job hides its items, also one just moved into it.
        for (TVxJobItem* item : m_Items)
            item->m_Visible = false;
    }
    const int oldHeight = m_Height;
    m_Height = y + kJobInset;
    if (oldHeight != m_Height && m_Schedule)
        m_Schedule->RepaintJobs();
    else
        Changed();
}

void TVxJob::SetTop(int top) {
    if (top == m_Top) return;
    m_Top = top;
    if (m_Schedule) m_Schedule->RepaintJobs();
}

void TVxJob::SetWidth(int width) {
    m_Width = width;
    SetItemWidths();
    Changed();
}

void TVxJob::SetItemWidths() {
    for (TVxJobItem* item : m_Items)
        item->m_Width = m_Width - 6;
}

TVxJobPart TVxJob::PartAt(const QPoint& pos, TVxJobItem** item) const {
    if (item) *item = nullptr;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= m_Width || pos.y() >= m_Height)
        return TVxJobPart::None;
    if (pos.x() < kJobInset || pos.x() >= m_Width - kJobInset) return TVxJobPart::Frame;
    auto inRow = [&](const TVxJobRow& row) {
        return row.Visible && pos.y() >= row.Top && pos.y() < row.Top + row.Height;
    };
    if (inRow(UpperRow)) return TVxJobPart::UpperCaption;
    if (inRow(LowerRow)) return TVxJobPart::LowerCaption;
    if (inRow(DatesRow)) return TVxJobPart::Dates;
    if (m_Expanded) {
        if (inRow(StatusRow)) return TVxJobPart::Status;
        if (!m_Items.empty()) {
            const int first = m_Items.front()->m_Top;
            const int index = pos.y() >= first ? (pos.y() - first) / kBoxRowHeight : -1;
            if (index >= 0 && index < ItemCount()) {
                if (item) *item = m_Items[index];
                return TVxJobPart::Item;
            }
        }
    }
    return TVxJobPart::Frame;
}

QRect TVxJob::PartRect(TVxJobPart part, const TVxJobItem* item) const {
    const int rowWidth = m_Width - 6;
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
        return QRect(0, 0, m_Width, m_Height);
    case TVxJobPart::None:
        break;
    }
    return QRect();
}

TVxJobSchedule* TVxJob::RequireSchedule() const {
    if (!m_Schedule) throw EVxError(QStringLiteral("Job not owned by schedule!"));
    return m_Schedule;
}

void TVxJob::ExecuteEditJob() {
    TVxJobSchedule* schedule = RequireSchedule();
    QPointer<TVxJob> self(this);
    if (schedule->OnBeforeJobEdit) schedule->OnBeforeJobEdit(schedule, this);
    if (schedule->OnDoJobEdit) {
        schedule->OnDoJobEdit(schedule, this);
        if (self && schedule->OnAfterJobEdit) schedule->OnAfterJobEdit(schedule, this);
        return;
    }
    QString upper, lower;
    TDateTime start = m_StartDate, finish = m_FinishDate;
    if (VxExecuteJobDialog(schedule, QStringLiteral("Edit Job"), schedule, this, upper, lower,
                           start, finish) &&
        self && schedule->OnAfterJobEdit)
        schedule->OnAfterJobEdit(schedule, this);
}

void TVxJob::ExecuteRemoveJob() {
    RequireSchedule()->RemoveJob(this, true);
}

void TVxJob::ExecuteAddItem() {
    TVxJobSchedule* schedule = RequireSchedule();
    QPointer<TVxJob> self(this);
    if (schedule->OnBeforeItemAdd) schedule->OnBeforeItemAdd(schedule, this);
    if (schedule->OnDoItemAdd) {
        schedule->OnDoItemAdd(schedule, this);
        return;
    }
    if (schedule->OnInitItemDialog) {
        QStringList selected;
        if (VxExecuteItemDialog(schedule, QStringLiteral("Add New Job Items"), schedule, this,
                                nullptr, selected))
            for (const QString& caption : selected)
                if (self) AddItem(0, caption);
        return;
    }
    QString text;
    if (VxDialogs::inputQuery(schedule, QStringLiteral("Add Item"), QStringLiteral("Definition"),
                              text) &&
        self)
        AddItem(0, text);
}

void TVxJob::ExecuteClearItems() {
    if (VxDialogs::confirm(m_Schedule, QStringLiteral("Remove all the items from this job?"),
                           VxButtons::YesNoCancel) == QMessageBox::Yes)
        ClearItems(true);
}

void TVxJob::BuildMenu(QMenu* menu) {
    QPointer<TVxJob> self(this);
    QWidget* parent = m_Schedule;
    auto add = [&](const QString& caption, void (TVxJob::*action)()) {
        QAction* entry = menu->addAction(caption, [self, parent, action] {
            VxGuard(parent, [&] {
                if (self) (self.data()->*action)();
            });
        });
        entry->setVisible(VxCaptionUsable(caption));
        return entry;
    };
    QAction* addItem = add(m_MenuCaptions.AddItem, &TVxJob::ExecuteAddItem);
    QAction* clearItems = add(m_MenuCaptions.ClearItems, &TVxJob::ExecuteClearItems);
    QAction* separator = menu->addSeparator();
    QAction* editJob = add(m_MenuCaptions.EditJob, &TVxJob::ExecuteEditJob);
    QAction* removeJob = add(m_MenuCaptions.RemoveJob, &TVxJob::ExecuteRemoveJob);
    addItem->setEnabled(m_AddItemEnabled);
    clearItems->setEnabled(ItemCount() > 0);
    separator->setVisible((editJob->isVisible() || removeJob->isVisible()) &&
                          (addItem->isVisible() || clearItems->isVisible()));
}

void TVxJob::Changed() {
    if (!m_Schedule || !m_Schedule->m_JobArea || !m_Schedule->InView()) return;
    TVxJobArea* area = m_Schedule->m_JobArea;
    const QRect shown(area->JobOrigin(this), QSize(m_Width, m_Height));
    if (shown.intersects(area->viewport()->rect())) area->viewport()->update(shown);
}

// ===========================================================================
// TVxJobSchedule

TVxJobSchedule::TVxJobSchedule(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    // A click anywhere in the column focuses the column itself (OnEnter,
    // OnExit); its parts take no focus of their own.
    setFocusPolicy(Qt::ClickFocus);
    DateFormat = VxShortDateFormat();
    m_HeaderFont = QApplication::font();
    m_HeaderFont.setBold(true);
    m_FooterFont = QApplication::font();
    m_HeaderColor = palette().color(QPalette::Button);
    m_FooterColor = m_HeaderColor;
    m_HeaderRow = new TVxScheduleStrip(this, true);
    m_FooterRow = new TVxScheduleStrip(this, false);
    m_JobArea = new TVxJobArea(this);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setInterval(50);
    connect(ScrollTimer, &QTimer::timeout, this, [this] { ScrollTick(); });
    resize(m_JobWidth + 6, 200);
    SetJobWidth(112);
}

TVxJobSchedule::~TVxJobSchedule() {
    std::vector<TVxJob*> jobs;
    jobs.swap(m_Jobs);
    for (TVxJob* job : jobs) {
        job->m_Schedule = nullptr;
        delete job;
    }
    if (m_Box) {
        auto& list = m_Box->m_Schedules;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TVxJobSchedule::SetHeader(const QString& header) {
    m_Header = header;
    UpdateStripHeight(m_HeaderRow, m_Header, m_HeaderFont);
}

void TVxJobSchedule::SetHeaderFont(const QFont& font) {
    m_HeaderFont = font;
    UpdateStripHeight(m_HeaderRow, m_Header, m_HeaderFont);
}

void TVxJobSchedule::SetHeaderColor(const QColor& color) {
    m_HeaderColor = color;
    m_HeaderRow->update();
}

void TVxJobSchedule::SetFooter(const QString& footer) {
    m_Footer = footer;
    UpdateStripHeight(m_FooterRow, m_Footer, m_FooterFont);
}

void TVxJobSchedule::SetFooterFont(const QFont& font) {
    m_FooterFont = font;
    UpdateStripHeight(m_FooterRow, m_Footer, m_FooterFont);
}

void TVxJobSchedule::SetFooterColor(const QColor& color) {
    m_FooterColor = color;
    m_FooterRow->update();
}

void TVxJobSchedule::UpdateStripHeight(TVxScheduleStrip* strip, const QString& text,
                                       const QFont& font) {
    const int height = text.isEmpty() ? 0 : QFontMetrics(font).height();
    if (strip->height() != height) strip->resize(strip->width(), height);
    LayoutRows();
    strip->update();
}

void TVxJobSchedule::LayoutRows() {
    const int frame = frameWidth();
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int headerHeight = m_HeaderRow->height();
    const int footerHeight = m_FooterRow->height();
    m_HeaderRow->setGeometry(inner.left(), inner.top(), inner.width(), headerHeight);
    m_FooterRow->setGeometry(inner.left(), inner.bottom() + 1 - footerHeight, inner.width(),
                             footerHeight);
    m_JobArea->setGeometry(inner.left(), inner.top() + headerHeight, inner.width(),
                           std::max(0, inner.height() - headerHeight - footerHeight));
}

void TVxJobSchedule::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    LayoutRows();
    ResizeSchedule();
}

void TVxJobSchedule::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    if (OnEnter) VxGuard(this, [&] { OnEnter(this); });
}

void TVxJobSchedule::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    if (OnExit) VxGuard(this, [&] { OnExit(this); });
}

void TVxJobSchedule::contextMenuEvent(QContextMenuEvent* event) {
    // The column's own frame and the job area's border (whose presses reach
    // the column) open the schedule menu like the rest of the job area.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    BuildMenu(menu);
    menu->popup(event->globalPos());
}

void TVxJobSchedule::SetExpanded(bool expanded) {
    m_Expanded = expanded;
    for (TVxJob* job : m_Jobs)
        job->SetExpanded(expanded);
    Restack();
    ResizeSchedule();
}

void TVxJobSchedule::SetAdjustWidth(bool adjust) {
    m_AdjustWidth = adjust;
    ResizeSchedule();
}

void TVxJobSchedule::SetJobWidth(int width) {
    m_JobWidth = width;
    ResizeSchedule();
}

void TVxJobSchedule::SetScheduleWidth(int width) {
    m_JobWidth += width - this->width();
    resize(width, height());
    ResizeSchedule();
}

int TVxJobSchedule::ScrollInterval() const {
    return ScrollTimer->interval();
}

void TVxJobSchedule::SetScrollInterval(int msec) {
    ScrollTimer->setInterval(msec);
}

TVxJob* TVxJobSchedule::Jobs(int index) const {
    CheckIndex(index, JobCount());
    return m_Jobs[index];
}

int TVxJobSchedule::IndexOfJob(const TVxJob* job) const {
    auto it = std::find(m_Jobs.begin(), m_Jobs.end(), job);
    return it == m_Jobs.end() ? -1 : static_cast<int>(it - m_Jobs.begin());
}

TVxJob* TVxJobSchedule::NewJob() {
    auto* job = new TVxJob;
    InsertJob(job);
    return job;
}

TVxJob* TVxJobSchedule::AddJob(int jobNo, const QString& upperCaption, const QString& lowerCaption,
                               TDateTime startDate, TDateTime finishDate) {
    AddingJob = true;
    TVxJob* job = nullptr;
    try {
        job = NewJob();
    } catch (...) {
        AddingJob = false;
        throw;
    }
    AddingJob = false;
    job->JobNo = jobNo;
    job->SetUpperCaption(upperCaption);
    job->SetLowerCaption(lowerCaption);
    job->SetStartDate(startDate);
    job->SetFinishDate(finishDate);
    if (OnAfterJobAdd) OnAfterJobAdd(this, job);
    return job;
}

void TVxJobSchedule::InsertJob(TVxJob* job) {
    StopScrollTimer();
    if (!job || IndexOfJob(job) >= 0) return;
    if (job->m_Schedule && job->m_Schedule != this) job->m_Schedule->RemoveJob(job, false);
    job->m_Schedule = this;
    if (!m_Jobs.empty())
        job->m_Top = m_Jobs.back()->Top() + m_Jobs.back()->Height();
    else
        job->m_Top = 0;
    job->SetWidth(m_JobWidth);
    job->SetExpanded(m_Expanded);
    job->m_MenuCaptions.AddItem = m_MenuCaptions.AddItem;
    job->m_MenuCaptions.ClearItems = m_MenuCaptions.ClearItems;
    job->m_MenuCaptions.EditJob = m_MenuCaptions.EditJob;
    job->m_MenuCaptions.RemoveJob = m_MenuCaptions.RemoveJob;
    m_Jobs.push_back(job);
    RepaintJobs();
    if (!AddingJob && OnAfterJobAdd) OnAfterJobAdd(this, job);
    ResizeSchedule();
    ScrollToJob(job);
}

void TVxJobSchedule::InsertJobAt(int index, TVxJob* job) {
    if (!job) return;
    // A target before the start is refused before the job leaves its
    // schedule (one beyond the end is clamped by the move).
    if (index < 0) throw EVxListIndexError(index);
    // Already here: moving the last job instead would shuffle another one.
    if (const int current = IndexOfJob(job); current >= 0) {
        MoveJob(current, index);
        return;
    }
    AddingJob = true;
    try {
        InsertJob(job);
    } catch (...) {
        AddingJob = false;
        throw;
    }
    AddingJob = false;
    MoveJob(JobCount() - 1, index);
    if (OnAfterJobAdd) OnAfterJobAdd(this, job);
}

void TVxJobSchedule::DeleteJob(int index, bool freeIt) {
    CheckIndex(index, JobCount());
    TVxJob* job = m_Jobs[index];
    if (OnBeforeJobRemove) OnBeforeJobRemove(this, job);
    if (freeIt && OnBeforeJobFree) OnBeforeJobFree(this, job);
    // A handler may have moved the job; delete whatever is still listed.
    index = IndexOfJob(job);
    if (index < 0) return;
    job->m_Schedule = nullptr;
    m_Jobs.erase(m_Jobs.begin() + index);
    if (freeIt) delete job;
    Restack();
    ResizeSchedule();
    StopScrollTimer();
    if (OnAfterJobRemove) OnAfterJobRemove(this);
    if (freeIt && OnAfterJobFree) OnAfterJobFree(this);
}

int TVxJobSchedule::RemoveJob(TVxJob* job, bool freeIt) {
    const int index = IndexOfJob(job);
    if (index >= 0) DeleteJob(index, freeIt);
    return index;
}

void TVxJobSchedule::ClearJobs(bool freeIt) {
    while (JobCount() > 0)
        DeleteJob(0, freeIt);
}

void TVxJobSchedule::MoveJob(int curIndex, int newIndex) {
    StopScrollTimer();
    CheckIndex(curIndex, JobCount());
    newIndex = std::min(newIndex, JobCount() - 1);
    CheckIndex(newIndex, JobCount());
    MoveInVector(m_Jobs, curIndex, newIndex);
    Restack();
    ScrollToJob(m_Jobs[newIndex]);
}

void TVxJobSchedule::Restack() {
    m_JobArea->SetScrollPos(0);
    int top = 0;
    for (TVxJob* job : m_Jobs) {
        job->m_Top = top;
        top += job->m_Height;
    }
    m_JobArea->UpdateScrollRange();
    RepaintJobs();
}

void TVxJobSchedule::ResizeSchedule() {
    if (Resizing) return;
    const int scrollPos = m_JobArea->ScrollPos();
    Resizing = true;
    const int oldWidth = width();
    int newWidth = m_JobWidth + 6;
    const int scrollBarWidth =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_JobArea->verticalScrollBar());
    if (!m_AdjustWidth) {
        newWidth += scrollBarWidth;
    } else if (!m_Jobs.empty()) {
        const TVxJob* last = m_Jobs.back();
        const int lastBottom = last->Top() + last->Height() - scrollPos;
        if (lastBottom >= m_JobArea->viewport()->height()) newWidth += scrollBarWidth;
    }
    if (newWidth != oldWidth) resize(newWidth, height());
    Resizing = false;
    m_JobArea->UpdateScrollRange();
    if (OnResize) OnResize(this);
    if (!m_Jobs.empty()) m_JobArea->SetScrollPos(scrollPos);
    // The box's pass only re-places columns; it changes nothing unless a
    // width changed, so skip it otherwise (keeps bulk insertion linear).
    if (m_Box && newWidth != oldWidth) m_Box->ResizeBox();
}

int TVxJobSchedule::JobAreaHeight() const {
    return m_JobArea->height() - 4;
}

void TVxJobSchedule::ScrollToJob(const TVxJob* job) {
    if (!job) return;
    m_JobArea->UpdateScrollRange();
    m_JobArea->SetScrollPos(job->Top());
}

TVxJob* TVxJobSchedule::JobAt(int contentY) const {
    auto it = std::partition_point(m_Jobs.begin(), m_Jobs.end(), [contentY](const TVxJob* job) {
        return job->Top() <= contentY;
    });
    // Jobs are stacked in list order; look back over a possible overlap.
    while (it != m_Jobs.begin()) {
        --it;
        if (contentY < (*it)->Top() + (*it)->Height()) return *it;
        if ((*it)->Top() + (*it)->Height() <= contentY) break;
    }
    return nullptr;
}

void TVxJobSchedule::RepaintJobs() {
    if (m_JobArea && InView()) m_JobArea->viewport()->update();
}

bool TVxJobSchedule::InView() const {
    // A column scrolled out of its box needs no repaint: scrolling it back
    // in exposes it. Skipping it keeps bulk changes cheap.
    if (!isVisible()) return false;
    if (!m_Box) return true;
    const int left = x();
    return left < m_Box->viewport()->width() && left + width() > 0;
}

void TVxJobSchedule::StopScrollTimer() {
    ScrollTimer->stop();
}

void TVxJobSchedule::ScrollTick() {
    const int before = m_JobArea->ScrollPos();
    QScrollBar* bar = m_JobArea->verticalScrollBar();
    m_JobArea->SetScrollPos(ScrollUp ? before - bar->singleStep() : before + bar->singleStep());
    if (m_JobArea->ScrollPos() == before) ScrollTimer->stop();
}

void TVxJobSchedule::ExecuteAddJob() {
    if (OnBeforeJobAdd) OnBeforeJobAdd(this);
    if (OnDoJobAdd) {
        OnDoJobAdd(this);
        return;
    }
    QString upper, lower;
    TDateTime start = VxToday(), finish = VxToday();
    if (VxExecuteJobDialog(this, QStringLiteral("Add New Job"), this, nullptr, upper, lower, start,
                           finish))
        AddJob(0, upper, lower, start, finish);
}

void TVxJobSchedule::ExecuteClearJobs() {
    if (VxDialogs::confirm(this, QStringLiteral("Remove all the jobs from this schedule?"),
                           VxButtons::YesNoCancel) == QMessageBox::Yes)
        ClearJobs(true);
}

void TVxJobSchedule::ToggleExpanded() {
    const bool expanded = !m_Expanded;
    if (ExpandAll && parentWidget()) {
        for (QObject* child : parentWidget()->children()) {
            auto* sibling = qobject_cast<TVxJobSchedule*>(child);
            if (sibling && sibling != this) sibling->SetExpanded(expanded);
        }
    }
    SetExpanded(expanded);
}

void TVxJobSchedule::BuildMenu(QMenu* menu) {
    QPointer<TVxJobSchedule> self(this);
    auto add = [&](const QString& caption, void (TVxJobSchedule::*action)()) {
        QAction* entry = menu->addAction(caption, [self, action] {
            if (self) VxGuard(self, [&] { (self.data()->*action)(); });
        });
        entry->setVisible(VxCaptionUsable(caption));
        return entry;
    };
    QAction* addJob = add(m_MenuCaptions.AddJob, &TVxJobSchedule::ExecuteAddJob);
    QAction* clearJobs = add(m_MenuCaptions.ClearJobs, &TVxJobSchedule::ExecuteClearJobs);
    QAction* separator = menu->addSeparator();
    QAction* expanded = add(m_MenuCaptions.Expanded, &TVxJobSchedule::ToggleExpanded);
    expanded->setCheckable(true);
    expanded->setChecked(m_Expanded);
    clearJobs->setEnabled(JobCount() > 0);
    separator->setVisible((addJob->isVisible() || clearJobs->isVisible()) && expanded->isVisible());
}

void TVxJobSchedule::DispatchClick(QObject* clicked) {
    if (auto* item = dynamic_cast<TVxJobItem*>(clicked); item && OnItemClick)
        OnItemClick(this, item->Job(), item);
    else if (auto* job = dynamic_cast<TVxJob*>(clicked); job && OnJobClick)
        OnJobClick(this, job);
    else if (OnClick)
        OnClick(this);
}

// ===========================================================================
// TVxScheduleBox

TVxScheduleBox::TVxScheduleBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    viewport()->setBackgroundRole(QPalette::Window);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setInterval(50);
    connect(ScrollTimer, &QTimer::timeout, this, [this] { ScrollTick(); });
}

TVxScheduleBox::~TVxScheduleBox() {
    // Columns are children of the viewport and die with it; forget them
    // first so their destructors do not touch the list.
    for (TVxJobSchedule* schedule : m_Schedules)
        schedule->m_Box = nullptr;
    m_Schedules.clear();
}

int TVxScheduleBox::ScrollInterval() const {
    return ScrollTimer->interval();
}

void TVxScheduleBox::SetScrollInterval(int msec) {
    ScrollTimer->setInterval(msec);
}

TVxJobSchedule* TVxScheduleBox::Schedules(int index) const {
    CheckIndex(index, ScheduleCount());
    return m_Schedules[index];
}

TVxJobSchedule* TVxScheduleBox::NewSchedule() {
    auto* schedule = new TVxJobSchedule(viewport());
    InsertSchedule(schedule);
    return schedule;
}

TVxJobSchedule* TVxScheduleBox::AddSchedule(int scheduleNo, const QString& header,
                                            const QString& footer) {
    TVxJobSchedule* schedule = NewSchedule();
    schedule->ScheduleNo = scheduleNo;
    schedule->SetHeader(header);
    schedule->SetFooter(footer);
    return schedule;
}

void TVxScheduleBox::InsertSchedule(TVxJobSchedule* schedule) {
    if (!schedule ||
        std::find(m_Schedules.begin(), m_Schedules.end(), schedule) != m_Schedules.end())
        return;
    if (schedule->m_Box)
        schedule->m_Box->m_Schedules.erase(std::remove(schedule->m_Box->m_Schedules.begin(),
                                                       schedule->m_Box->m_Schedules.end(),
                                                       schedule),
                                           schedule->m_Box->m_Schedules.end());
    schedule->setParent(viewport());
    schedule->m_Box = this;
    schedule->SetAdjustWidth(AdjustWidth);
    m_Schedules.push_back(schedule);
    schedule->show();
    Arrange();
}

void TVxScheduleBox::Arrange() {
    horizontalScrollBar()->setValue(0);
    int x = 0;
    for (TVxJobSchedule* schedule : m_Schedules) {
        schedule->move(x, schedule->y());
        x += schedule->width();
    }
    ResizeBox();
}

void TVxScheduleBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ResizeBox();
}

void TVxScheduleBox::ResizeBox() {
    UpdateScrollRange();
    if (m_Schedules.empty()) return;
    const int border = 2 * frameWidth();
    int height = this->height() - border;
    const TVxJobSchedule* last = m_Schedules.back();
    int total = 0;
    for (const TVxJobSchedule* schedule : m_Schedules)
        total += schedule->width();
    Q_UNUSED(last);
    if (total > width() - border)
        height -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());
    int x = -horizontalScrollBar()->value();
    for (TVxJobSchedule* schedule : m_Schedules) {
        schedule->setGeometry(x, 0, schedule->width(), height);
        x += schedule->width();
    }
}

void TVxScheduleBox::UpdateScrollRange() {
    int total = 0;
    for (const TVxJobSchedule* schedule : m_Schedules)
        total += schedule->width();
    QScrollBar* bar = horizontalScrollBar();
    bar->setPageStep(std::max(1, width() - 2 * frameWidth()));
    bar->setRange(0, std::max(0, total - (width() - 2 * frameWidth())));
}

void TVxScheduleBox::scrollContentsBy(int, int) {
    ResizeBox();
}

void TVxScheduleBox::ScrollTick() {
    QScrollBar* bar = horizontalScrollBar();
    const int before = bar->value();
    bar->setValue(ScrollLeft ? before - bar->singleStep() : before + bar->singleStep());
    if (bar->value() == before) ScrollTimer->stop();
}

// ===========================================================================
// TVxScheduleStrip

namespace {
constexpr int StripMargin = 2;
}

TVxScheduleStrip::TVxScheduleStrip(TVxJobSchedule* schedule, bool isHeader)
    : QWidget(schedule), m_Schedule(schedule), m_IsHeader(isHeader) {
    resize(0, 0);
}

void TVxScheduleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_IsHeader ? m_Schedule->HeaderColor() : m_Schedule->FooterColor());
    painter.setFont(m_IsHeader ? m_Schedule->HeaderFont() : m_Schedule->FooterFont());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QString text = m_IsHeader ? m_Schedule->Header() : m_Schedule->Footer();
    const QString shown = ShownText();
    painter.drawText(rect().adjusted(StripMargin, 0, -StripMargin, 0),
                     (shown == text ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter |
                         Qt::TextSingleLine,
                     shown);
}

QString TVxScheduleStrip::ShownText() const {
    const QString text = m_IsHeader ? m_Schedule->Header() : m_Schedule->Footer();
    const QFontMetrics metrics(m_IsHeader ? m_Schedule->HeaderFont() : m_Schedule->FooterFont());
    return metrics.elidedText(text, Qt::ElideRight, std::max(0, width() - 2 * StripMargin));
}

bool TVxScheduleStrip::event(QEvent* event) {
    // A cut text shows in full as a tooltip.
    if (event->type() == QEvent::ToolTip) {
        const QString text = m_IsHeader ? m_Schedule->Header() : m_Schedule->Footer();
        if (ShownText() != text) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void TVxScheduleStrip::mousePressEvent(QMouseEvent* event) {
    m_SkipClick = false;
    if (m_Schedule->OnMouseDown)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseDown(m_Schedule, event->button(), event->modifiers(),
                                    event->position().toPoint().x(),
                                    event->position().toPoint().y());
        });
}

void TVxScheduleStrip::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) return;
    if (m_Schedule->OnMouseMove)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseMove(m_Schedule, event->buttons(), event->modifiers(),
                                    event->position().toPoint().x(),
                                    event->position().toPoint().y());
        });
}

void TVxScheduleStrip::mouseReleaseEvent(QMouseEvent* event) {
    QPointer<TVxJobSchedule> schedule(m_Schedule);
    if (m_Schedule->OnMouseUp)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseUp(m_Schedule, event->button(), event->modifiers(),
                                  event->position().toPoint().x(), event->position().toPoint().y());
        });
    if (!schedule) return;
    if (m_Schedule->Box()) m_Schedule->Box()->ScrollTimer->stop();
    if (event->button() == Qt::LeftButton && !m_SkipClick &&
        rect().contains(event->position().toPoint()))
        VxGuard(m_Schedule, [&] { m_Schedule->DispatchClick(m_Schedule); });
    m_SkipClick = false;
}

void TVxScheduleStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    m_SkipClick = true;
    if (event->button() == Qt::LeftButton && m_IsHeader)
        VxGuard(m_Schedule, [&] { m_Schedule->ExecuteAddJob(); });
}

void TVxScheduleStrip::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_Schedule->BuildMenu(menu);
    menu->popup(event->globalPos());
}

// ===========================================================================
// Drag and drop, tracked by the component itself from the mouse events of
// the widget that was pressed (it keeps the implicit mouse grab), so no
// nested platform drag loop runs and offscreen tests can drive it.

class TVxDragTracker : public QObject {
public:
    static TVxDragTracker& Instance() {
        static TVxDragTracker tracker;
        return tracker;
    }

    bool Active() const { return m_Active; }
    QObject* Source() const { return m_Source; }
    bool Accepted() const { return m_Accept; }

    void Begin(QObject* source, QWidget* grabber, const QPoint& global) {
        if (m_Active) End();
        m_Active = true;
        m_Source = source;
        m_Grabber = grabber;
        m_Accept = false;
        m_Last = Target();
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        qApp->installEventFilter(this);
        Move(global);
    }

    void Move(const QPoint& global) {
        if (!m_Active) return;
        if (!m_Source) {
            End();
            return;
        }
        const Target target = Find(global);
        if (m_Last.kind != Kind::None && !m_Last.SameElement(target)) Leave(m_Last);
        const TVxDragState state =
            m_Last.SameElement(target) ? TVxDragState::DragMove : TVxDragState::DragEnter;
        AutoScroll(target, global);
        m_Accept = DragOver(target, state);
        m_Last = target;
        QApplication::changeOverrideCursor(m_Accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    }

    void Drop(const QPoint& global) {
        if (!m_Active) return;
        Move(global);
        const Target target = m_Last;
        const bool accept = m_Accept && m_Source;
        QPointer<QObject> source = m_Source;
        End();
        if (accept && source) DoDrop(target, source);
    }

    void Cancel() {
        if (m_Active) End();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_Active && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    enum class Kind { None, Item, JobRow, JobFrame, JobArea, Header, Footer, ScheduleFrame, Box };
    struct Target {
        Kind kind = Kind::None;
        QPointer<TVxJobSchedule> schedule;
        QPointer<TVxJob> job;
        QPointer<TVxJobItem> item;
        QPointer<TVxScheduleBox> box;
        TVxJobPart part = TVxJobPart::None;
        QPoint pos;    // relative to the element under the mouse
        int areaY = 0; // in job-area coordinates, for the auto-scroll test
        bool SameElement(const Target& other) const {
            return kind == other.kind && schedule == other.schedule && job == other.job &&
                   item == other.item && box == other.box && part == other.part;
        }
    };

    TVxJobItem* SourceItem() const { return dynamic_cast<TVxJobItem*>(m_Source.data()); }
    TVxJob* SourceJob() const { return dynamic_cast<TVxJob*>(m_Source.data()); }
    bool MovesJobOrItem() const { return SourceItem() || SourceJob(); }

    Target Find(const QPoint& global) const {
        Target t;
        if (!m_Grabber) return t;
        QWidget* window = m_Grabber->window();
        const QPoint windowPos = window->mapFromGlobal(global);
        if (!window->rect().contains(windowPos)) return t;
        QWidget* w = window->childAt(windowPos);
        for (; w; w = w->parentWidget()) {
            if (auto* strip = qobject_cast<TVxScheduleStrip*>(w)) {
                t.kind = strip->IsHeader() ? Kind::Header : Kind::Footer;
                t.schedule = strip->Schedule();
                t.pos = strip->mapFromGlobal(global);
                return t;
            }
            if (auto* area = qobject_cast<TVxJobArea*>(w)) {
                t.schedule = area->Schedule();
                t.areaY = area->mapFromGlobal(global).y();
                const QPoint viewportPos = area->viewport()->mapFromGlobal(global);
                TVxJobItem* item = nullptr;
                TVxJob* job = area->viewport()->rect().contains(viewportPos)
                                  ? area->HitTest(viewportPos, &t.part, &item)
                                  : nullptr;
                if (!job) {
                    t.kind = Kind::JobArea;
                    t.part = TVxJobPart::None;
                    t.pos = area->mapFromGlobal(global);
                    return t;
                }
                t.job = job;
                t.item = item;
                t.kind = t.part == TVxJobPart::Item    ? Kind::Item
                         : t.part == TVxJobPart::Frame ? Kind::JobFrame
                                                       : Kind::JobRow;
                t.pos = viewportPos - area->JobOrigin(job) - job->PartRect(t.part, item).topLeft();
                return t;
            }
            if (auto* schedule = qobject_cast<TVxJobSchedule*>(w)) {
                t.kind = Kind::ScheduleFrame;
                t.schedule = schedule;
                t.pos = schedule->mapFromGlobal(global);
                return t;
            }
            if (auto* box = qobject_cast<TVxScheduleBox*>(w)) {
                t.kind = Kind::Box;
                t.box = box;
                t.pos = box->mapFromGlobal(global);
                return t;
            }
        }
        return t;
    }

    // Standard handling of a drag of anything but a job or an item: accepted
    // only by an assigned OnDragOver, so the cursor never promises a drop
    // that nothing would take.
    static bool StandardOver(const TVxDragOverEvent& handler, QObject* sender, QObject* source,
                             const QPoint& pos, TVxDragState state) {
        bool accept = false;
        if (handler) {
            accept = true;
            handler(sender, source, pos.x(), pos.y(), state, accept);
        }
        return accept;
    }

    void Leave(const Target& last) {
        QObject* source = m_Source;
        if (MovesJobOrItem() || !source) return;
        bool ignored = false;
        if (last.kind == Kind::Box && last.box && last.box->OnDragOver)
            VxGuard(last.box, [&] {
                last.box->OnDragOver(last.box, source, last.pos.x(), last.pos.y(),
                                     TVxDragState::DragLeave, ignored);
            });
        else if (last.schedule && last.schedule->OnDragOver)
            VxGuard(last.schedule, [&] {
                QObject* sender = last.job ? static_cast<QObject*>(last.job.data())
                                           : static_cast<QObject*>(last.schedule.data());
                last.schedule->OnDragOver(sender, source, last.pos.x(), last.pos.y(),
                                          TVxDragState::DragLeave, ignored);
            });
    }

    void AutoScroll(const Target& t, const QPoint& global) {
        if (m_Last.schedule && m_Last.schedule != t.schedule) m_Last.schedule->ScrollTimer->stop();
        if (TVxJobSchedule* s = t.schedule) {
            if (t.kind == Kind::Header || t.kind == Kind::Footer) {
                s->ScrollUp = t.kind == Kind::Header;
                s->ScrollTimer->start();
            } else if (t.kind != Kind::ScheduleFrame && MovesJobOrItem()) {
                // Anywhere over the job area, jobs included: near its edges.
                const int height = s->JobArea()->height();
                s->ScrollUp = t.areaY < 5;
                if (t.areaY < 5 || t.areaY > height - 7)
                    s->ScrollTimer->start();
                else
                    s->ScrollTimer->stop();
            }
        }
        TVxScheduleBox* box = t.box ? t.box.data() : t.schedule ? t.schedule->Box() : nullptr;
        if (box && MovesJobOrItem()) {
            const int x = box->mapFromGlobal(global).x();
            box->ScrollLeft = x < 5;
            if (x < 5 || x > box->width() - 7)
                box->ScrollTimer->start();
            else
                box->ScrollTimer->stop();
        }
    }

    bool DragOver(const Target& t, TVxDragState state) {
        QObject* source = m_Source;
        bool accept = true;
        QWidget* guardParent = t.schedule ? static_cast<QWidget*>(t.schedule.data()) : nullptr;
        const bool ok = VxGuard(guardParent, [&] {
            switch (t.kind) {
            case Kind::None:
            case Kind::JobFrame:
                accept = false;
                break;
            case Kind::Item:
                if (source == t.item || !t.item->Job())
                    accept = false;
                else
                    JobOver(t, state, accept);
                break;
            case Kind::JobRow:
                JobOver(t, state, accept);
                break;
            case Kind::JobArea:
            case Kind::Header:
            case Kind::Footer:
                if (SourceItem())
                    accept = false;
                else if (TVxJob* job = SourceJob()) {
                    if (t.schedule->OnJobDragOver)
                        t.schedule->OnJobDragOver(t.schedule, job, -1, accept);
                } else
                    accept = StandardOver(t.schedule->OnDragOver, t.schedule, source, t.pos, state);
                break;
            case Kind::ScheduleFrame:
                if (SourceItem())
                    accept = false;
                else if (TVxJob* job = SourceJob()) {
                    if (t.schedule->OnJobDragOver)
                        t.schedule->OnJobDragOver(t.schedule, job, -1, accept);
                } else
                    accept = StandardOver(t.schedule->OnDragOver, t.schedule, source, t.pos, state);
                break;
            case Kind::Box:
                accept = StandardOver(t.box->OnDragOver, t.box, source, t.pos, state);
                break;
            }
        });
        return ok && accept;
    }

    void JobOver(const Target& t, TVxDragState state, bool& accept) {
        TVxJob* job = t.job;
        TVxJobSchedule* s = t.schedule;
        if (TVxJobItem* item = SourceItem()) {
            const int index = t.item ? job->IndexOfItem(t.item) : -1;
            if (s->OnItemDragOver) s->OnItemDragOver(s, job, item, index, accept);
        } else if (TVxJob* dragged = SourceJob()) {
            if (dragged == job)
                accept = false;
            else if (s->OnJobDragOver)
                s->OnJobDragOver(s, dragged, s->IndexOfJob(job), accept);
        } else {
            accept = StandardOver(s->OnDragOver, job, m_Source, t.pos, state);
        }
    }

    static void StopTimers(TVxJobSchedule* s) {
        s->ScrollTimer->stop();
        if (s->Box()) s->Box()->ScrollTimer->stop();
    }

    static void DoDrop(const Target& t, QObject* source) {
        auto* item = dynamic_cast<TVxJobItem*>(source);
        auto* job = dynamic_cast<TVxJob*>(source);
        TVxJobSchedule* s = t.schedule;
        switch (t.kind) {
        case Kind::Item:
        case Kind::JobRow:
            VxGuard(s, [&] {
                if (item)
                    ItemDrop(t.job, t.item, item);
                else if (job)
                    JobDrop(s, t.job, job);
                else if (s->OnDragDrop)
                    s->OnDragDrop(t.job, source, t.pos.x(), t.pos.y());
                s->ResizeSchedule();
            });
            break;
        case Kind::JobArea:
        case Kind::ScheduleFrame:
            VxGuard(s, [&] {
                s->ScrollTimer->stop();
                if (job)
                    JobDrop(s, nullptr, job);
                else if (s->OnDragDrop)
                    s->OnDragDrop(s, source, t.pos.x(), t.pos.y());
            });
            break;
        case Kind::Box:
            VxGuard(t.box, [&] {
                if (t.box->OnDragDrop) t.box->OnDragDrop(t.box, source, t.pos.x(), t.pos.y());
            });
            break;
        case Kind::Header:
        case Kind::Footer:
        case Kind::JobFrame:
        case Kind::None:
            break;
        }
    }

    static void ItemDrop(TVxJob* target, TVxJobItem* under, TVxJobItem* item) {
        TVxJobSchedule* s = target->Schedule();
        TVxJob* oldJob = item->Job();
        const int newIndex = under && under->Job() == target ? target->IndexOfItem(under) + 1 : 0;
        if (oldJob == target)
            target->MoveItem(target->IndexOfItem(item), newIndex);
        else
            target->InsertItemAt(newIndex, item);
        StopTimers(s);
        if (s->OnItemDragDrop) s->OnItemDragDrop(s, oldJob, item);
    }

    static void JobDrop(TVxJobSchedule* s, TVxJob* target, TVxJob* job) {
        StopTimers(s);
        const int newIndex = target ? s->IndexOfJob(target) : s->JobCount();
        if (job->Schedule() == s) {
            s->MoveJob(s->IndexOfJob(job), newIndex);
        } else {
            s->InsertJobAt(newIndex, job);
            job->SetWidth(s->JobWidth());
        }
        s->ResizeSchedule();
        if (s->OnJobDragDrop) s->OnJobDragDrop(s, job);
    }

    void End() {
        // The source's end of drag, and the target's timers as well: no
        // column keeps scrolling once the drag is over.
        TVxJobSchedule* sourceSchedule = nullptr;
        if (TVxJobItem* item = SourceItem())
            sourceSchedule = item->Job() ? item->Job()->Schedule() : nullptr;
        else if (TVxJob* job = SourceJob())
            sourceSchedule = job->Schedule();
        else
            sourceSchedule = qobject_cast<TVxJobSchedule*>(m_Source.data());
        if (sourceSchedule) StopTimers(sourceSchedule);
        if (m_Last.schedule) StopTimers(m_Last.schedule);
        if (m_Last.box) m_Last.box->ScrollTimer->stop();
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        m_Active = false;
        m_Source = nullptr;
        m_Grabber = nullptr;
        m_Last = Target();
    }

    bool m_Active = false;
    bool m_Accept = false;
    QPointer<QObject> m_Source;
    QPointer<QWidget> m_Grabber;
    Target m_Last;
};

bool VxScheduleDragActive() {
    return TVxDragTracker::Instance().Active();
}
QObject* VxScheduleDragSource() {
    return TVxDragTracker::Instance().Source();
}
bool VxScheduleDragAccepted() {
    return TVxDragTracker::Instance().Accepted();
}

// ===========================================================================
// TVxJobArea

TVxJobArea::TVxJobArea(TVxJobSchedule* schedule)
    : QAbstractScrollArea(schedule), m_Schedule(schedule) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Button));
    viewport()->setPalette(pal);
}

int TVxJobArea::ContentHeight() const {
    int bottom = 0;
    const int count = m_Schedule->JobCount();
    if (count > 0) {
        const TVxJob* last = m_Schedule->m_Jobs.back();
        bottom = last->Top() + last->Height();
    }
    return bottom;
}

void TVxJobArea::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    const int page = std::max(1, viewport()->height());
    const int maximum = std::max(0, ContentHeight() - viewport()->height());
    if (bar->maximum() == maximum && bar->pageStep() == page) return;
    // The scroll area reacts to a range change through a queued call; with
    // one per added job or item a bulk load would flood the event queue, so
    // set the range quietly and show or hide the bar here.
    const int before = bar->value();
    {
        const QSignalBlocker quiet(bar);
        bar->setPageStep(page);
        bar->setRange(0, maximum);
    }
    const Qt::ScrollBarPolicy policy = maximum > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    if (bar->value() != before) viewport()->update();
}

int TVxJobArea::ScrollPos() const {
    return verticalScrollBar()->value();
}

void TVxJobArea::SetScrollPos(int pos) {
    verticalScrollBar()->setValue(pos);
}

QPoint TVxJobArea::JobOrigin(const TVxJob* job) const {
    return QPoint(job->Left(), job->Top() - ScrollPos());
}

void TVxJobArea::scrollContentsBy(int, int) {
    viewport()->update();
}

void TVxJobArea::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const int offset = ScrollPos();
    const auto& jobs = m_Schedule->m_Jobs;
    // Jobs are stacked in list order: start at the first one reaching the
    // exposed area and stop at the first one below it.
    auto it = std::partition_point(jobs.begin(), jobs.end(), [&](const TVxJob* job) {
        return job->Top() + job->Height() - offset <= exposed.top();
    });
    for (; it != jobs.end(); ++it) {
        const TVxJob* job = *it;
        if (job->Top() - offset > exposed.bottom()) break;
        PaintJob(painter, job, exposed);
    }
}

// One line of text in a row, clipped to it. Drawn at a computed baseline
// rather than laid out in a rectangle: thousands of rows are painted at once
// and the text layout machinery is the costly part.
const QStaticText& TVxTextCache::Get(const QString& text) const {
    if (!m_Text) {
        m_Text = std::make_unique<QStaticText>(text);
        m_Text->setTextFormat(Qt::PlainText);
        m_Text->setPerformanceHint(QStaticText::AggressiveCaching);
    } else if (m_Text->text() != text) {
        m_Text->setText(text);
    }
    return *m_Text;
}

// A text box's 2-pixel sunken border around its fill, drawn with plain
// rectangle fills (cheaper than pen-drawn lines for thousands of rows).
static void DrawSunkenBox(QPainter& painter, const QRect& r, const QColor& fill,
                          const QPalette& pal) {
    const QColor shadow = pal.color(QPalette::Mid);
    const QColor dark = pal.color(QPalette::Shadow);
    const QColor light = pal.color(QPalette::Light);
    const QColor face = pal.color(QPalette::Midlight);
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    painter.fillRect(x, y, w - 1, 1, shadow);
    painter.fillRect(x, y + 1, 1, h - 2, shadow);
    painter.fillRect(x, y + h - 1, w, 1, light);
    painter.fillRect(x + w - 1, y, 1, h - 1, light);
    painter.fillRect(x + 1, y + 1, w - 3, 1, dark);
    painter.fillRect(x + 1, y + 2, 1, h - 4, dark);
    painter.fillRect(x + 1, y + h - 2, w - 2, 1, face);
    painter.fillRect(x + w - 2, y + 1, 1, h - 3, face);
    painter.fillRect(x + 2, y + 2, w - 4, h - 4, fill);
}

// A job panel: a 1-pixel raised frame around the face colour.
static void DrawRaisedPanel(QPainter& painter, const QRect& r, const QPalette& pal) {
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    painter.fillRect(x, y, w - 1, 1, pal.color(QPalette::Light));
    painter.fillRect(x, y + 1, 1, h - 2, pal.color(QPalette::Light));
    painter.fillRect(x, y + h - 1, w, 1, pal.color(QPalette::Dark));
    painter.fillRect(x + w - 1, y, 1, h - 1, pal.color(QPalette::Dark));
    painter.fillRect(x + 1, y + 1, w - 2, h - 2, pal.color(QPalette::Button));
}

static void DrawRowText(QPainter& painter, const QRect& r, const QString& text, bool centred,
                        const TVxTextCache& cache) {
    if (text.isEmpty()) return;
    const QStaticText& laidOut = cache.Get(text);
    const QSizeF size = laidOut.size();
    const int x = centred ? r.left() + int(r.width() - size.width()) / 2 : r.left();
    const int y = r.top() + int(r.height() - size.height() + 1) / 2;
    // Clip only text that overflows its row: a clip costs more than the text.
    const bool overflows = size.width() > r.width() || size.height() > r.height();
    if (overflows) painter.setClipRect(r);
    painter.drawStaticText(QPoint(std::max(x, r.left()), y), laidOut);
    if (overflows) painter.setClipping(false);
}

void TVxJobArea::PaintJob(QPainter& painter, const TVxJob* job, const QRect& exposed) const {
    const QPoint origin = JobOrigin(job);
    painter.save();
    painter.translate(origin);
    const QRect local = exposed.translated(-origin);
    const QPalette& pal = palette();
    DrawRaisedPanel(painter, QRect(0, 0, job->Width(), job->Height()), pal);

    const int rowWidth = job->Width() - 6;
    auto captionRow = [&](const TVxJobRow& row, const QFont& font) {
        const QRect r(kJobInset, row.Top, rowWidth, row.Height);
        if (!r.intersects(local)) return;
        painter.fillRect(r, job->CaptionColor());
        painter.setFont(font);
        painter.setPen(kCaptionText);
        DrawRowText(painter, r, row.Text, true, row.Painted);
    };
    auto boxRow = [&](const QRect& r, const QString& text, const QColor& back,
                      const QColor& textColor, Qt::Alignment align, const TVxTextCache& cache) {
        if (!r.intersects(local)) return;
        DrawSunkenBox(painter, r, back, pal);
        painter.setFont(RowFont(false));
        painter.setPen(textColor);
        DrawRowText(painter, r.adjusted(3, 0, -2, 0), text, align & Qt::AlignHCenter, cache);
    };

    captionRow(job->UpperRow, const_cast<TVxJob*>(job)->CaptionFont());
    if (job->LowerRow.Visible) captionRow(job->LowerRow, RowFont(true));
    if (job->DatesRow.Visible)
        boxRow(QRect(kJobInset, job->DatesRow.Top, rowWidth, kBoxRowHeight), job->DatesRow.Text,
               kDatesColor, Qt::black, Qt::AlignHCenter, job->DatesRow.Painted);
    if (job->Expanded()) {
        for (int i = 0; i < job->ItemCount(); ++i) {
            const TVxJobItem* item = job->Items(i);
            if (item->Top() > local.bottom()) break;
            boxRow(item->BoundsRect(), item->Caption(), item->Color(), Qt::black, Qt::AlignLeft,
                   item->Painted);
        }
        if (job->StatusRow.Visible)
            boxRow(QRect(kJobInset, job->StatusRow.Top, rowWidth, kBoxRowHeight),
                   job->StatusRow.Text, pal.color(QPalette::Midlight), kStatusText, Qt::AlignLeft,
                   job->StatusRow.Painted);
    }
    painter.restore();
}

TVxJob* TVxJobArea::HitTest(const QPoint& viewportPos, TVxJobPart* part, TVxJobItem** item) const {
    if (item) *item = nullptr;
    if (part) *part = TVxJobPart::None;
    TVxJob* job = m_Schedule->JobAt(viewportPos.y() + ScrollPos());
    if (!job) return nullptr;
    const TVxJobPart hit = job->PartAt(viewportPos - JobOrigin(job), item);
    if (hit == TVxJobPart::None) return nullptr;
    if (part) *part = hit;
    return job;
}

QObject* TVxJobArea::ElementAt(const QPoint& viewportPos, QPoint* relative) const {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(viewportPos, &part, &item);
    if (!job) {
        *relative = viewportPos;
        return m_Schedule;
    }
    const QPoint jobPos = viewportPos - JobOrigin(job);
    *relative = jobPos - job->PartRect(part, item).topLeft();
    if (item) return item;
    return job;
}

QObject* TVxJobArea::DragSourceAt(const QPoint& viewportPos) const {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(viewportPos, &part, &item);
    if (!job) return m_Schedule;
    switch (part) {
    case TVxJobPart::Item:
        return item;
    case TVxJobPart::UpperCaption:
    case TVxJobPart::LowerCaption:
    case TVxJobPart::Status:
        return job;
    default:
        return nullptr;
    }
}

void TVxJobArea::mousePressEvent(QMouseEvent* event) {
    m_SkipClick = false;
    m_PressPos = event->position().toPoint();
    m_PressSource =
        event->button() == Qt::LeftButton ? DragSourceAt(event->position().toPoint()) : nullptr;
    QPoint relative;
    QObject* sender = ElementAt(event->position().toPoint(), &relative);
    // The pressed element keeps the mouse until the release, as a control
    // holding the capture: the mouse-up goes to it and only a release over
    // it makes a click.
    m_PressElement = sender;
    m_PressOrigin = event->position().toPoint() - relative + QPoint(0, ScrollPos());
    if (m_Schedule->OnMouseDown)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseDown(sender, event->button(), event->modifiers(), relative.x(),
                                    relative.y());
        });
}

void TVxJobArea::mouseMoveEvent(QMouseEvent* event) {
    TVxDragTracker& drag = TVxDragTracker::Instance();
    if (event->buttons() & Qt::LeftButton) {
        if (!drag.Active() && m_PressSource &&
            (event->position().toPoint() - m_PressPos).manhattanLength() >=
                QApplication::startDragDistance()) {
            QObject* source = m_PressSource;
            m_PressSource = nullptr;
            // Neither a drop nor a cancelled drag ends in a click.
            m_SkipClick = true;
            drag.Begin(source, viewport(), event->globalPosition().toPoint());
        } else if (drag.Active()) {
            drag.Move(event->globalPosition().toPoint());
        }
        return;
    }
    QPoint relative;
    QObject* sender = ElementAt(event->position().toPoint(), &relative);
    if (m_Schedule->OnMouseMove)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseMove(sender, event->buttons(), event->modifiers(), relative.x(),
                                    relative.y());
        });
}

void TVxJobArea::mouseReleaseEvent(QMouseEvent* event) {
    m_PressSource = nullptr;
    TVxDragTracker& drag = TVxDragTracker::Instance();
    if (drag.Active() && event->button() == Qt::LeftButton) {
        // A drag ends here; the release belongs to the drop: no mouse-up
        // and no click (so a refusal shown during the drag stays readable).
        m_SkipClick = false;
        drag.Drop(event->globalPosition().toPoint());
        return;
    }
    QPointer<TVxJobSchedule> schedule(m_Schedule);
    const QPoint pos = event->position().toPoint();
    QPoint relative;
    QObject* sender = m_PressElement;
    if (!sender)
        sender = ElementAt(pos, &relative);
    else if (sender == m_Schedule)
        relative = pos;
    else
        relative = pos + QPoint(0, ScrollPos()) - m_PressOrigin;
    if (m_Schedule->OnMouseUp)
        VxGuard(m_Schedule, [&] {
            m_Schedule->OnMouseUp(sender, event->button(), event->modifiers(), relative.x(),
                                  relative.y());
        });
    if (!schedule) return;
    if (m_Schedule->Box()) m_Schedule->Box()->ScrollTimer->stop();
    if (event->button() == Qt::LeftButton && !m_SkipClick && m_PressElement &&
        viewport()->rect().contains(pos)) {
        // Re-hit: the mouse-up handler may have changed the jobs.
        QObject* released = ElementAt(pos, &relative);
        if (released == m_PressElement)
            VxGuard(m_Schedule, [&] { m_Schedule->DispatchClick(released); });
    }
    m_SkipClick = false;
}

void TVxJobArea::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    m_PressSource = nullptr; // the second press of a double click starts no drag
    m_SkipClick = true;
    if (event->button() != Qt::LeftButton) return;
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(event->position().toPoint(), &part, &item);
    VxGuard(m_Schedule, [&] {
        if (!job) {
            if (VxCaptionUsable(m_Schedule->MenuCaptions().AddJob)) m_Schedule->ExecuteAddJob();
        } else if (part == TVxJobPart::Item) {
            if (VxCaptionUsable(item->MenuCaptions().EditItem)) item->ExecuteEditItem();
        } else if (part == TVxJobPart::UpperCaption || part == TVxJobPart::LowerCaption ||
                   part == TVxJobPart::Status) {
            if (VxCaptionUsable(job->MenuCaptions().EditJob)) job->ExecuteEditJob();
        }
    });
}

void TVxJobArea::contextMenuEvent(QContextMenuEvent* event) {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(event->pos(), &part, &item);
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (item)
        item->BuildMenu(menu);
    else if (job)
        job->BuildMenu(menu);
    else
        m_Schedule->BuildMenu(menu);
    menu->popup(event->globalPos());
}

bool TVxJobArea::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        TVxJobPart part;
        TVxJob* job = HitTest(help->pos(), &part, nullptr);
        if (job && part == TVxJobPart::Dates && job->DatesRow.ShowHint &&
            !job->DatesRow.Hint.isEmpty()) {
            const QRect r = job->PartRect(part).translated(JobOrigin(job));
            QToolTip::showText(help->globalPos(), job->DatesRow.Hint, viewport(), r);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Resize) {
        const bool result = QAbstractScrollArea::viewportEvent(event);
        UpdateScrollRange();
        // The width rule looks at the job area's height, which the toolkit
        // may settle only after the schedule's own resize (on first show).
        m_Schedule->ResizeSchedule();
        return result;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
