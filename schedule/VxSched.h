#pragma once
// The schedule component: a horizontally scrolling box of schedule columns,
// each an ordered list of jobs, each job an ordered list of items.
//
// Jobs and items are plain objects (QObject for identity in events, never
// widgets): a column paints them itself and hit-tests the mouse with the same
// geometry, so the widget count stays fixed however many jobs a plant holds.
// Containers own what they hold; an application hands `new`-created jobs and
// items to InsertJob / InsertItem, which take them over.
//
// Handlers veto by throwing EVxAbort (VxAbort()); operations let every handler
// exception pass, and the component's own UI entry points run through VxGuard.

#include "VxAbort.h"
#include "VxDate.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QTimer;
class TVxJob;
class TVxJobItem;
class TVxJobSchedule;
class TVxScheduleBox;
class TVxJobArea;
class TVxScheduleStrip;

// ---------------------------------------------------------------------------
// Event types

using TVxScheduleEvent = std::function<void(TVxJobSchedule* Schedule)>;
using TVxJobEvent = std::function<void(TVxJobSchedule* Schedule, TVxJob* Job)>;
using TVxItemEvent = std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item)>;
using TVxJobDragEvent =
    std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool& Accept)>;
using TVxItemDragEvent = std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item,
                                            int Index, bool& Accept)>;
using TVxInitJobDialogEvent =
    std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, QStringList& UpperCaptionList,
                       QStringList& LowerCaptionList)>;
using TVxInitItemDialogEvent = std::function<void(TVxJobSchedule* Schedule, TVxJob* Job,
                                                  TVxJobItem* Item, QStringList& CaptionList)>;

// Standard control events. Sender is the schedule, a job or an item (or the
// box); coordinates are relative to the element under the mouse.
enum class TVxDragState { DragEnter, DragLeave, DragMove };
using TVxNotifyEvent = std::function<void(QObject* Sender)>;
using TVxMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                         Qt::KeyboardModifiers Shift, int X, int Y)>;
using TVxMouseMoveEvent = std::function<void(QObject* Sender, Qt::MouseButtons Buttons,
                                             Qt::KeyboardModifiers Shift, int X, int Y)>;
using TVxDragOverEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y,
                                            TVxDragState State, bool& Accept)>;
using TVxDragDropEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y)>;

// ---------------------------------------------------------------------------
// Menu captions. An empty or " " caption hides its entry (and the double
// click tied to it).

bool VxCaptionUsable(const QString& caption);

struct TVxScheduleMenuCaptions {
    QString AddItem = QStringLiteral("&Add Item...");
    QString EditItem = QStringLiteral("&Edit Item...");
    QString RemoveItem = QStringLiteral("&Remove Item");
    QString ClearItems = QStringLiteral("&Clear Items");
    QString AddJob = QStringLiteral("&Add New Job...");
    QString EditJob = QStringLiteral("&Edit Job...");
    QString RemoveJob = QStringLiteral("&Remove Job");
    QString ClearJobs = QStringLiteral("&Clear Jobs");
    QString Expanded = QStringLiteral("&Expanded");
};

struct TVxJobMenuCaptions {
    QString AddItem;
    QString ClearItems;
    QString EditJob;
    QString RemoveJob;
};

struct TVxItemMenuCaptions {
    QString EditItem;
    QString RemoveItem;
};

// The laid-out text of a painted row, kept between paints (only rows that
// have been shown carry one). Copies start empty.
class TVxTextCache {
public:
    TVxTextCache() = default;
    TVxTextCache(const TVxTextCache&) {}
    TVxTextCache& operator=(const TVxTextCache&) { return *this; }
    const QStaticText& Get(const QString& text) const;

private:
    mutable std::unique_ptr<QStaticText> m_Text;
};

// One drawn row of a job panel. Top is in job coordinates; every row starts
// at left 3 and is as wide as the job minus 6.
struct TVxJobRow {
    QString Text;
    bool Visible = false;
    int Top = 0;
    int Height = 15;
    // Hover hint; shown as a tooltip when ShowHint is set (the dates row).
    QString Hint;
    bool ShowHint = false;
    TVxTextCache Painted;
};

// The drag in progress inside the component, if any (drags are tracked by
// the component from real mouse presses, moves and releases).
bool VxScheduleDragActive();
// The object being dragged (an item, a job or a schedule), or nullptr.
QObject* VxScheduleDragSource();
// Whether the drop at the last position would be accepted.
bool VxScheduleDragAccepted();

// The parts of a job panel the mouse can hit.
enum class TVxJobPart { None, Frame, UpperCaption, LowerCaption, Dates, Item, Status };

// ---------------------------------------------------------------------------

class TVxJobItem : public QObject {
public:
    TVxJobItem();
    ~TVxJobItem() override;

    int ItemNo = 0;

    QString Caption() const { return m_Caption; }
    void SetCaption(const QString& caption);
    // The item's background (white by default).
    QColor Color() const { return m_Color; }
    void SetColor(const QColor& color);

    // The owning job, or nullptr.
    TVxJob* Job() const { return m_Job; }
    TVxItemMenuCaptions& MenuCaptions() { return m_MenuCaptions; }

    // Geometry in job coordinates.
    int Left() const { return 3; }
    int Top() const { return m_Top; }
    int Width() const { return m_Width; }
    int Height() const { return 15; }
    bool Visible() const { return m_Visible; }
    QRect BoundsRect() const { return QRect(Left(), m_Top, m_Width, Height()); }
    TVxTextCache Painted;

    // User actions (item menu, double click).
    void ExecuteEditItem();
    void ExecuteRemoveItem();
    // Builds the item's popup menu as it shows when it opens.
    void BuildMenu(QMenu* menu);

    // Repaints the item where it is shown.
    void Changed();

private:
    friend class TVxJob;
    QString m_Caption;
    QColor m_Color = QColor(255, 255, 255);
    TVxJob* m_Job = nullptr;
    TVxItemMenuCaptions m_MenuCaptions;
    int m_Top = 0;
    int m_Width = 0;
    bool m_Visible = false;
};

class TVxJob : public QObject {
public:
    TVxJob();
    ~TVxJob() override;

    int JobNo = 0;
    // Free for the application.
    int Tag = 0;
    bool AddingItem = false;

    // The date range row; the application sets Hint and ShowHint.
    TVxJobRow DatesRow;
    TVxJobRow StatusRow;
    TVxJobRow UpperRow;
    TVxJobRow LowerRow;

    QString UpperCaption() const { return UpperRow.Text; }
    void SetUpperCaption(const QString& caption);
    QString LowerCaption() const { return LowerRow.Text; }
    void SetLowerCaption(const QString& caption);
    QString StatusText() const { return StatusRow.Text; }
    void SetStatusText(const QString& text);
    TDateTime StartDate() const { return m_StartDate; }
    void SetStartDate(TDateTime date);
    TDateTime FinishDate() const { return m_FinishDate; }
    void SetFinishDate(TDateTime date);

    // Font of the upper caption row only; edit the live object and call
    // Changed(), or use SetCaptionFont.
    QFont& CaptionFont() { return m_CaptionFont; }
    void SetCaptionFont(const QFont& font);
    // Background of both caption rows (blue by default).
    QColor CaptionColor() const { return m_CaptionColor; }
    void SetCaptionColor(const QColor& color);

    // The job-level expanded setter: shows or hides items and status row,
    // re-lays out the job and enables its item menu entries.
    bool Expanded() const { return m_Expanded; }
    void SetExpanded(bool expanded);

    int ItemCount() const { return static_cast<int>(m_Items.size()); }
    TVxJobItem* Items(int index) const;
    int IndexOfItem(const TVxJobItem* item) const;

    // The owning schedule, or nullptr.
    TVxJobSchedule* Schedule() const { return m_Schedule; }
    TVxJobMenuCaptions& MenuCaptions() { return m_MenuCaptions; }
    // Item menu entries as the expanded setter left them.
    bool AddItemEnabled() const { return m_AddItemEnabled; }
    bool ClearItemsEnabled() const { return m_ClearItemsEnabled; }

    TVxJobItem* NewItem();
    TVxJobItem* AddItem(int itemNo, const QString& caption);
    void InsertItem(TVxJobItem* item);
    void InsertItemAt(int index, TVxJobItem* item);
    void DeleteItem(int index, bool freeIt);
    int RemoveItem(TVxJobItem* item, bool freeIt);
    void ClearItems(bool freeIt);
    void MoveItem(int curIndex, int newIndex);
    // Vertical layout of the rows and items; sets the height.
    void Arrange();

    // Geometry in job-area content coordinates (left is always 0).
    int Left() const { return 0; }
    int Top() const { return m_Top; }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }
    QRect BoundsRect() const { return QRect(0, m_Top, m_Width, m_Height); }
    void SetTop(int top);
    // Job resize: every row and item gets the new width minus 6.
    void SetWidth(int width);

    // The part at a point in job coordinates; item receives the item hit.
    TVxJobPart PartAt(const QPoint& pos, TVxJobItem** item = nullptr) const;
    // A part's rectangle in job coordinates.
    QRect PartRect(TVxJobPart part, const TVxJobItem* item = nullptr) const;

    // User actions (job menu, double click).
    void ExecuteEditJob();
    void ExecuteRemoveJob();
    void ExecuteAddItem();
    void ExecuteClearItems();

    // Builds the job's popup menu as it shows when it opens.
    void BuildMenu(QMenu* menu);

    // Repaints the job where it is shown.
    void Changed();

private:
    friend class TVxJobSchedule;
    friend class TVxJobItem;
    void RefreshDatesRow();
    void RelayoutAfterRowChange(bool visibilityChanged);
    void SetItemWidths();
    void DetachItem(TVxJobItem* item);
    TVxJobSchedule* RequireSchedule() const;

    std::vector<TVxJobItem*> m_Items;
    TVxJobSchedule* m_Schedule = nullptr;
    TVxJobMenuCaptions m_MenuCaptions;
    TDateTime m_StartDate;
    TDateTime m_FinishDate;
    QFont m_CaptionFont;
    QColor m_CaptionColor = QColor(0, 0, 255);
    bool m_Expanded = false;
    bool m_AddItemEnabled = false;
    bool m_ClearItemsEnabled = false;
    int m_Top = 0;
    int m_Width = 0;
    int m_Height = 0;
};

// One column: header strip, vertically scrolling job area, footer strip.
class TVxJobSchedule : public QFrame {
    Q_OBJECT
public:
    explicit TVxJobSchedule(QWidget* parent = nullptr);
    ~TVxJobSchedule() override;

    static QString About() { return QStringLiteral("Version 2.3"); }

    int ScheduleNo = 0;
    // Free for the application.
    int Tag = 0;
    bool ExpandAll = true;
    bool AddingJob = false;
    bool Resizing = false;
    bool AutoScroll = true;
    bool ScrollUp = false;
    QString DateFormat;
    QTimer* ScrollTimer = nullptr;

    QString Header() const { return m_Header; }
    void SetHeader(const QString& header);
    QFont HeaderFont() const { return m_HeaderFont; }
    void SetHeaderFont(const QFont& font);
    QColor HeaderColor() const { return m_HeaderColor; }
    void SetHeaderColor(const QColor& color);
    QString Footer() const { return m_Footer; }
    void SetFooter(const QString& footer);
    QFont FooterFont() const { return m_FooterFont; }
    void SetFooterFont(const QFont& font);
    QColor FooterColor() const { return m_FooterColor; }
    void SetFooterColor(const QColor& color);

    bool Expanded() const { return m_Expanded; }
    void SetExpanded(bool expanded);
    bool AdjustWidth() const { return m_AdjustWidth; }
    void SetAdjustWidth(bool adjust);
    int JobWidth() const { return m_JobWidth; }
    void SetJobWidth(int width);
    // Writing the width adds the difference to JobWidth, then resizes.
    void SetScheduleWidth(int width);
    TVxScheduleMenuCaptions& MenuCaptions() { return m_MenuCaptions; }
    int ScrollInterval() const;
    void SetScrollInterval(int msec);

    int JobCount() const { return static_cast<int>(m_Jobs.size()); }
    TVxJob* Jobs(int index) const;
    int IndexOfJob(const TVxJob* job) const;

    TVxJob* NewJob();
    TVxJob* AddJob(int jobNo, const QString& upperCaption, const QString& lowerCaption,
                   TDateTime startDate, TDateTime finishDate);
    void InsertJob(TVxJob* job);
    void InsertJobAt(int index, TVxJob* job);
    void DeleteJob(int index, bool freeIt);
    int RemoveJob(TVxJob* job, bool freeIt);
    void ClearJobs(bool freeIt);
    void MoveJob(int curIndex, int newIndex);
    // Vertical layout of the jobs, top to bottom without gaps.
    void Restack();
    // The schedule's resize pass: width from JobWidth and AdjustWidth, then
    // the box re-places its columns.
    void ResizeSchedule();
    int JobAreaHeight() const;
    void ScrollToJob(const TVxJob* job);
    // The job whose panel covers a point in job-area content coordinates.
    TVxJob* JobAt(int contentY) const;

    TVxJobArea* JobArea() const { return m_JobArea; }
    TVxScheduleStrip* HeaderRow() const { return m_HeaderRow; }
    TVxScheduleStrip* FooterRow() const { return m_FooterRow; }
    // The box holding this schedule, or nullptr.
    TVxScheduleBox* Box() const { return m_Box; }

    // User actions (schedule menu, double clicks).
    void ExecuteAddJob();
    void ExecuteClearJobs();
    void ToggleExpanded();
    // Builds the schedule's popup menu as it shows when it opens.
    void BuildMenu(QMenu* menu);

    // Click dispatch: an item, a job, or anything else (the schedule).
    void DispatchClick(QObject* clicked);

    // Events, in the order they are declared by the component.
    TVxScheduleEvent OnBeforeJobAdd;
    TVxScheduleEvent OnDoJobAdd;
    TVxScheduleEvent OnAfterJobRemove;
    TVxScheduleEvent OnAfterJobFree;
    TVxJobEvent OnAfterJobAdd;
    TVxJobEvent OnBeforeJobEdit;
    TVxJobEvent OnAfterJobEdit;
    TVxJobEvent OnBeforeJobRemove;
    TVxJobEvent OnBeforeJobFree;
    TVxJobEvent OnDoJobEdit;
    TVxJobEvent OnJobDragDrop;
    TVxJobEvent OnBeforeItemAdd;
    TVxJobEvent OnDoItemAdd;
    TVxJobEvent OnAfterItemRemove;
    TVxJobEvent OnAfterItemFree;
    TVxJobEvent OnJobClick;
    TVxItemEvent OnAfterItemAdd;
    TVxItemEvent OnAfterItemEdit;
    TVxItemEvent OnBeforeItemEdit;
    TVxItemEvent OnBeforeItemRemove;
    TVxItemEvent OnBeforeItemFree;
    TVxItemEvent OnDoItemEdit;
    TVxItemEvent OnItemDragDrop;
    TVxItemEvent OnItemClick;
    TVxJobDragEvent OnJobDragOver;
    TVxItemDragEvent OnItemDragOver;
    TVxInitItemDialogEvent OnInitItemDialog;
    TVxInitJobDialogEvent OnInitJobDialog;

    // Standard control events.
    TVxNotifyEvent OnClick;
    TVxNotifyEvent OnEnter;
    TVxNotifyEvent OnExit;
    TVxDragOverEvent OnDragOver;
    TVxDragDropEvent OnDragDrop;
    TVxMouseEvent OnMouseDown;
    TVxMouseMoveEvent OnMouseMove;
    TVxMouseEvent OnMouseUp;
    TVxNotifyEvent OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class TVxJob;
    friend class TVxJobArea;
    friend class TVxScheduleStrip;
    friend class TVxScheduleBox;
    friend class TVxDragTracker;
    void LayoutRows();
    void UpdateStripHeight(TVxScheduleStrip* strip, const QString& text, const QFont& font);
    void RepaintJobs();
    bool InView() const;
    void StopScrollTimer();
    void ScrollTick();

    std::vector<TVxJob*> m_Jobs;
    TVxScheduleBox* m_Box = nullptr;
    TVxJobArea* m_JobArea = nullptr;
    TVxScheduleStrip* m_HeaderRow = nullptr;
    TVxScheduleStrip* m_FooterRow = nullptr;
    QString m_Header;
    QString m_Footer;
    QFont m_HeaderFont;
    QFont m_FooterFont;
    QColor m_HeaderColor;
    QColor m_FooterColor;
    TVxScheduleMenuCaptions m_MenuCaptions;
    bool m_Expanded = true;
    bool m_AdjustWidth = false;
    int m_JobWidth = 112;
};

// The horizontally scrolling box of schedule columns.
class TVxScheduleBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TVxScheduleBox(QWidget* parent = nullptr);
    ~TVxScheduleBox() override;

    static QString About() { return QStringLiteral("Version 2.3"); }

    QTimer* ScrollTimer = nullptr;
    bool AutoScroll = true;
    bool ScrollLeft = false;
    // Copied into each schedule when it is inserted.
    bool AdjustWidth = true;

    int ScrollInterval() const;
    void SetScrollInterval(int msec);

    int ScheduleCount() const { return static_cast<int>(m_Schedules.size()); }
    TVxJobSchedule* Schedules(int index) const;
    TVxJobSchedule* NewSchedule();
    TVxJobSchedule* AddSchedule(int scheduleNo, const QString& header, const QString& footer);
    void InsertSchedule(TVxJobSchedule* schedule);

    // Places the columns side by side from the left edge.
    void Arrange();
    // Re-places every column and sets its height (the box's resize pass).
    void ResizeBox();

    // Standard events for drags of anything over the box itself.
    TVxDragOverEvent OnDragOver;
    TVxDragDropEvent OnDragDrop;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class TVxJobSchedule;
    friend class TVxDragTracker;
    void UpdateScrollRange();
    void ScrollTick();
    std::vector<TVxJobSchedule*> m_Schedules;
};

// A header or footer strip of a schedule: one centred line of text.
class TVxScheduleStrip : public QWidget {
    Q_OBJECT
public:
    TVxScheduleStrip(TVxJobSchedule* schedule, bool isHeader);
    bool IsHeader() const { return m_IsHeader; }
    TVxJobSchedule* Schedule() const { return m_Schedule; }
    // The text as painted: a text wider than the strip is cut at the right
    // with an ellipsis so that its start (the loom's name) stays readable.
    QString ShownText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TVxJobSchedule* m_Schedule;
    bool m_IsHeader;
    bool m_SkipClick = false;
};

// The job area of a schedule: a vertically scrolling view whose viewport
// paints the stacked jobs and turns the mouse into element actions.
class TVxJobArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TVxJobArea(TVxJobSchedule* schedule);
    TVxJobSchedule* Schedule() const { return m_Schedule; }

    // Height of the stacked jobs.
    int ContentHeight() const;
    void UpdateScrollRange();
    int ScrollPos() const;
    void SetScrollPos(int pos);
    // Viewport point of a job's top-left corner.
    QPoint JobOrigin(const TVxJob* job) const;
    // What lies under a viewport point: a job and its part (or nothing).
    TVxJob* HitTest(const QPoint& viewportPos, TVxJobPart* part, TVxJobItem** item) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void PaintJob(class QPainter& painter, const TVxJob* job, const QRect& exposed) const;
    // The element under a viewport point as a sender object, with the point
    // made relative to that element.
    QObject* ElementAt(const QPoint& viewportPos, QPoint* relative) const;
    // What a drag started at a viewport point would carry, or nullptr.
    QObject* DragSourceAt(const QPoint& viewportPos) const;
    TVxJobSchedule* m_Schedule;
    bool m_SkipClick = false;
    QPoint m_PressPos;
    QPointer<QObject> m_PressSource;
    // The element pressed and its top-left in content coordinates.
    QPointer<QObject> m_PressElement;
    QPoint m_PressOrigin;
};
