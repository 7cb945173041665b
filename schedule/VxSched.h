// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "VxColumnDecoration.h"
#include "VxDate.h"
#include "VxJob.h"
#include "VxSelection.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;
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
// A drop or a keyboard move reported as an intent: Job to stand at Index on
// Schedule (positions of the column without the moved job when it is
// already there; its job count for the end).
using TVxJobDropEvent = std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, int Index)>;
// Item to stand at Index among the items of Job (positions of the job
// without the item when it is already there).
using TVxItemDropEvent =
    std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int Index)>;
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

// A drag of a job or item followed by the box's owner (see
// TVxScheduleBox::OnDragPlace).
using TVxDragBeginEvent = std::function<void(QObject* Source)>;
using TVxDragPlaceEvent =
    std::function<void(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool Accept)>;

// ---------------------------------------------------------------------------
// Menu captions. An empty or " " caption hides its entry (and the double
// click tied to it).

bool VxCaptionUsable(const QString& caption);

struct TVxScheduleMenuCaptions {
    QString AddItem = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Add Item...");
    QString EditItem = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Edit Item...");
    QString RemoveItem = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Remove Item");
    QString ClearItems = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Clear Items");
    QString AddJob = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Add New Job...");
    QString EditJob = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Edit Job...");
    QString RemoveJob = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Remove Job");
    QString ClearJobs = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Clear Jobs");
    QString Expanded = QCoreApplication::translate("TVxScheduleMenuCaptions", "&Expanded");
};

// The drag in progress inside the component, if any (drags are tracked by
// the component from real mouse presses, moves and releases).
bool VxScheduleDragActive();
// The object being dragged (an item, a job or a schedule), or nullptr.
QObject* VxScheduleDragSource();
// Whether the drop at the last position would be accepted.
bool VxScheduleDragAccepted();
// A move made with Alt and the arrows that waits for its confirmation:
// releasing Alt or Enter makes it, Escape (or any other key, or a click)
// drops it.
bool VxScheduleKeyMoveActive();

// Where a drop would land, shown in a job area while dragging: a line across
// the gap the dragged job or item will fill, or a frame round the job that
// takes it. In job-area content coordinates; empty for none.
struct TVxDropMarker {
    QRect Rect;
    bool Frame = false;
    // Where a move with the keys stands that would be refused there (a
    // mouse shows that with its cursor).
    bool Refused = false;
    bool operator==(const TVxDropMarker& other) const {
        return Rect == other.Rect && Frame == other.Frame && Refused == other.Refused;
    }
};

// Marks an application lays over a column without changing its jobs, as a
// comparison with another plan shows what differs: a band of colour down
// the left edge of a job or an item, and a thin broken line across the gap
// where a job or an item no longer stands. Jobs and items go by position.
struct TVxColumnMarks {
    struct TMark {
        int Job = 0;
        int Item = -1; // -1: the job itself
        QColor Color;
    };
    struct TGhost {
        int Job = -1;   // -1: a gap between jobs; else one among this job's items
        int Before = 0; // the gap above this job (or item); the count: below the last
        QColor Color;
    };
    QVector<TMark> Marks;
    QVector<TGhost> Ghosts;

    bool IsEmpty() const { return Marks.isEmpty() && Ghosts.isEmpty(); }
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

    QString Header() const;
    void SetHeader(const QString& header);
    QFont HeaderFont() const;
    void SetHeaderFont(const QFont& font);
    QColor HeaderColor() const;
    void SetHeaderColor(const QColor& color);
    QString Footer() const;
    void SetFooter(const QString& footer);
    QFont FooterFont() const;
    void SetFooterFont(const QFont& font);
    QColor FooterColor() const;
    void SetFooterColor(const QColor& color);

    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool expanded);
    bool AdjustWidth() const { return m_adjustWidth; }
    void SetAdjustWidth(bool adjust);
    int JobWidth() const { return m_jobWidth; }
    void SetJobWidth(int width);
    // Writing the width adds the difference to JobWidth, then resizes.
    void SetScheduleWidth(int width);
    TVxScheduleMenuCaptions& MenuCaptions() { return m_menuCaptions; }
    int ScrollInterval() const;
    void SetScrollInterval(int msec);

    int JobCount() const { return m_jobs.Count(); }
    TVxJob* Jobs(int index) const { return m_jobs.At(index); }
    int IndexOfJob(const TVxJob* job) const { return m_jobs.IndexOf(job); }

    TVxJob* NewJob();
    TVxJob* AddJob(int jobNo, const QString& upperCaption, const QString& lowerCaption,
                   TDateTime startDate, TDateTime finishDate);
    void InsertJob(TVxJob* job);
    void InsertJobAt(int index, TVxJob* job);
    void DeleteJob(int index, bool freeIt);
    int RemoveJob(TVxJob* job, bool freeIt);
    void ClearJobs(bool freeIt);
    void MoveJob(int curIndex, int newIndex);
    // Shows jobs an application built from its own model in place of the
    // column's, as a view does: no events, one layout pass, the column kept
    // scrolled where it was. The column takes the jobs over; each keeps its
    // own expanded state, except that a collapsed column collapses it.
    void ReplaceJobs(std::vector<std::unique_ptr<TVxJob>> jobs);
    // Hands every job over without events, for a view that reuses them.
    std::vector<std::unique_ptr<TVxJob>> TakeJobs();
    // Vertical layout of the jobs, top to bottom without gaps.
    void Restack();
    // The schedule's resize pass: width from JobWidth and AdjustWidth, then
    // the box re-places its columns.
    void ResizeSchedule();
    int JobAreaHeight() const;
    void ScrollToJob(const TVxJob* job);
    // The job whose panel covers a point in job-area content coordinates.
    TVxJob* JobAt(int contentY) const;
    // The line across the gap where a job dropped at newIndex comes to stand.
    QRect JobDropLine(const TVxJob* job, int newIndex) const;
    // The drop marker the drag in progress shows in this column.
    const TVxDropMarker& DropMarker() const { return m_dropMarker; }
    void SetDropMarker(const TVxDropMarker& marker);
    // The marks over the jobs; they stay, by position, until set again.
    const TVxColumnMarks& Marks() const { return m_marks; }
    void SetMarks(const TVxColumnMarks& marks);
    // What the column shows of a drag over the board, set by its owner (an
    // empty decoration shows nothing).
    const TVxColumnDecoration& Decoration() const { return m_decoration; }
    void SetDecoration(const TVxColumnDecoration& decoration);

    // The job or item the keyboard acts on, shown with a focus frame: one
    // for the whole box (a column outside a box keeps its own).
    QObject* Selected() const { return selection().Element(); }
    TVxJob* SelectedJob() const { return selection().Job(); }
    TVxJobItem* SelectedItem() const { return selection().Item(); }
    // Selects a job or item of any column of the box (or nothing) and,
    // unless the mouse chose it where it is, scrolls it into view.
    void Select(QObject* element, bool scrollIntoView = true);
    // Scrolls the column and the box so that a job or item of this column
    // is in view.
    void ShowElement(const QObject* element);
    // The keys' operations on the selection: the arrows walk the column
    // (Left and Right to the job level with it in the next column that has
    // jobs); the moves go through the drag-over question and the drop a
    // mouse would make (false when refused); remove and edit run the menu
    // actions when their captions show them. A move goes one place at a
    // time as a drag would, shown with the drop marker, and is made when it
    // is confirmed (VxScheduleKeyMoveActive); false when it cannot go on.
    void SelectStep(TVxKeyStep step);
    bool MoveSelected(TVxKeyStep step);
    void RemoveSelected();
    void EditSelected();

    TVxJobArea* JobArea() const { return m_jobArea; }
    TVxScheduleStrip* HeaderRow() const { return m_headerRow; }
    TVxScheduleStrip* FooterRow() const { return m_footerRow; }
    // The box holding this schedule, or nullptr.
    TVxScheduleBox* Box() const { return m_box; }

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

    // Intents, for an application that keeps its own model: when assigned,
    // the column asks its own questions (the clear questions, the drag-over
    // events) and then leaves the change to the handler, which redraws the
    // column (ReplaceJobs). Unassigned, the column changes itself.
    TVxJobDropEvent OnDoJobDrop;
    TVxItemDropEvent OnDoItemDrop;
    TVxJobEvent OnDoJobRemove;
    TVxItemEvent OnDoItemRemove;
    TVxScheduleEvent OnDoJobsClear;
    TVxJobEvent OnDoItemsClear;

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
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TVxJob;
    friend class TVxJobArea;
    friend class TVxScheduleStrip;
    friend class TVxScheduleBox;
    friend class TVxDragTracker;
    friend struct TVxDropPlace;
    void layoutRows();
    void repaintJobs();
    bool inView() const;
    void stopScrollTimer();
    void scrollTick();
    TVxSelection& selection() const;
    // The column next to this one in the box, towards Left or Right.
    TVxJobSchedule* neighbour(TVxKeyStep step) const;

    TVxOwnedList<TVxJob, TVxJobSchedule> m_jobs{&TVxJob::m_schedule};
    mutable TVxSelection m_selection;
    TVxScheduleBox* m_box = nullptr;
    TVxJobArea* m_jobArea = nullptr;
    TVxScheduleStrip* m_headerRow = nullptr;
    TVxScheduleStrip* m_footerRow = nullptr;
    TVxScheduleMenuCaptions m_menuCaptions;
    TVxDropMarker m_dropMarker;
    TVxColumnMarks m_marks;
    TVxColumnDecoration m_decoration;
    bool m_expanded = true;
    bool m_adjustWidth = false;
    int m_jobWidth = 112;
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

    int ScheduleCount() const { return static_cast<int>(m_schedules.size()); }
    TVxJobSchedule* Schedules(int index) const;
    TVxJobSchedule* NewSchedule();
    TVxJobSchedule* AddSchedule(int scheduleNo, const QString& header, const QString& footer);
    void InsertSchedule(TVxJobSchedule* schedule);

    // Between these, columns are added without placing the whole row each
    // time: it is placed once, at the outermost EndUpdate (so adding many
    // columns takes time in proportion to their number).
    void BeginUpdate();
    void EndUpdate();

    // Places the columns side by side from the left edge.
    void Arrange();
    // Re-places every column and sets its height (the box's resize pass).
    void ResizeBox();
    // Scrolls so that the whole column is in view, as far as it fits.
    void ShowSchedule(const TVxJobSchedule* schedule);

    // Standard events for drags of anything over the box itself.
    TVxDragOverEvent OnDragOver;
    TVxDragDropEvent OnDragDrop;
    // Another job or item (or none) was selected; Sender is the box.
    TVxNotifyEvent OnSelect;

    // A drag of a job or item out of one of the columns, by mouse or by the
    // keys, as the owner follows it to show what it would do: begun; over a
    // place (the column under the pointer or none; the job the item would
    // go on, and the position the drop would give the job or item, as
    // OnDoJobDrop and OnDoItemDrop give them, -1 where a release drops
    // nothing; Accept the drag-over answer there); ended, before the drop.
    TVxDragBeginEvent OnDragBegin;
    TVxDragPlaceEvent OnDragPlace;
    TVxNotifyEvent OnDragEnd;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class TVxJobSchedule;
    friend class TVxDragTracker;
    void updateScrollRange();
    void placeColumns();
    void scrollTick();
    std::vector<TVxJobSchedule*> m_schedules;
    bool m_placing = false;
    bool m_placeAgain = false;
    int m_updating = 0;
    bool m_arrangeLater = false;
    // The columns' one selection.
    mutable TVxSelection m_selection;
};

// A header or footer strip of a schedule: one centred line of text.
class TVxScheduleStrip : public QWidget {
    Q_OBJECT
public:
    TVxScheduleStrip(TVxJobSchedule* schedule, bool isHeader);
    bool IsHeader() const { return m_isHeader; }
    TVxJobSchedule* Schedule() const { return m_schedule; }
    // The line's text, font and background; an empty text hides the strip
    // (height 0), any other makes it one line of its font high.
    QString Text() const { return m_text; }
    void SetText(const QString& text);
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
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
    void updateHeight();
    void paintText(QPainter& painter);
    TVxJobSchedule* m_schedule;
    QString m_text;
    QFont m_font;
    QColor m_color;
    bool m_isHeader;
    bool m_skipClick = false;
    // The shown text, cut to the width, and its layout for painting.
    mutable QString m_elidedFrom;
    mutable QString m_elided;
    mutable QFont m_elidedFont;
    mutable int m_elidedWidth = -1;
    QStaticText m_painted;
    QFont m_paintedFont;
};

// The job area of a schedule: a vertically scrolling view whose viewport
// paints the stacked jobs and turns the mouse into element actions.
class TVxJobArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TVxJobArea(TVxJobSchedule* schedule);
    TVxJobSchedule* Schedule() const { return m_schedule; }

    // Height of the stacked jobs.
    int ContentHeight() const;
    void UpdateScrollRange();
    int ScrollPos() const;
    void SetScrollPos(int pos);
    // Viewport point of a job's top-left corner.
    QPoint JobOrigin(const TVxJob* job) const;
    // What lies under a viewport point: a job and its part (or nothing).
    TVxJob* HitTest(const QPoint& viewportPos, TVxJobPart* part, TVxJobItem** item) const;
    // Scrolls as little as needed to show a band of content (its top when
    // it is taller than the view).
    void ShowRange(int top, int height);
    // Turns a key pressed in the column into a selection operation; false
    // for keys it does not use.
    bool KeyPress(QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QString tipFor(const TVxJob& job, TVxJobPart part, const TVxJobItem* item) const;
    // The element under a viewport point as a sender object, with the point
    // made relative to that element.
    QObject* elementAt(const QPoint& viewportPos, QPoint* relative) const;
    // What a drag started at a viewport point would carry, or nullptr.
    QObject* dragSourceAt(const QPoint& viewportPos) const;
    // The focus frame of the selected job or item, when this column holds it.
    void paintSelection(QPainter& painter) const;
    void paintMarks(QPainter& painter, const QRect& exposed) const;
    TVxJobSchedule* m_schedule;
    bool m_skipClick = false;
    QPoint m_pressPos;
    QPointer<QObject> m_pressSource;
    // The element pressed and its top-left in content coordinates.
    QPointer<QObject> m_pressElement;
    QPoint m_pressOrigin;
};
