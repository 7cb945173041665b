// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Jobs and their fabric items: plain objects (QObject for identity in
// events, never widgets) that a schedule column lays out, paints and
// hit-tests itself, so the widget count stays fixed however many jobs a
// plant holds. A job owns its items; a schedule owns its jobs.

#include "VxDate.h"
#include "VxOwnedList.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

class QMenu;
class TVxJob;
class TVxJobSchedule;

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
    // The text laid out in a font (its size then is the painted size).
    const QStaticText& Get(const QString& text, const QFont& font) const;

private:
    mutable std::unique_ptr<QStaticText> m_text;
    mutable QFont m_font;
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

// A small bar an application draws along the foot of a job panel, e.g. how
// much of a capacity is used: Fill from 0 (empty) to 1 (more draws full).
struct TVxJobGauge {
    double Fill = 0;
    QColor Color;
    bool operator==(const TVxJobGauge& other) const {
        return Fill == other.Fill && Color == other.Color;
    }
};

// The parts of a job panel the mouse can hit.
enum class TVxJobPart { None, Frame, UpperCaption, LowerCaption, Dates, Item, Status };

class TVxJobItem : public QObject {
public:
    TVxJobItem();
    ~TVxJobItem() override;

    int ItemNo = 0;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    // The item's background (white by default).
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);

    // Highlighted by the application (a fabric found).
    bool Marked() const { return m_marked; }
    void SetMarked(bool marked);

    // The owning job, or nullptr.
    TVxJob* Job() const { return m_job; }
    TVxItemMenuCaptions& MenuCaptions() { return m_menuCaptions; }

    // Geometry in job coordinates.
    int Left() const { return 3; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return 15; }
    bool Visible() const { return m_visible; }
    QRect BoundsRect() const { return QRect(Left(), m_top, m_width, Height()); }
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
    QString m_caption;
    QColor m_color = QColor(255, 255, 255);
    bool m_marked = false;
    TVxJob* m_job = nullptr;
    TVxItemMenuCaptions m_menuCaptions;
    int m_top = 0;
    int m_width = 0;
    bool m_visible = false;
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
    TDateTime StartDate() const { return m_startDate; }
    void SetStartDate(TDateTime date);
    TDateTime FinishDate() const { return m_finishDate; }
    void SetFinishDate(TDateTime date);
    // The dates row's text for a date range.
    static QString DatesText(TDateTime startDate, TDateTime finishDate);

    // Font of the upper caption row only; edit the live object and call
    // Changed(), or use SetCaptionFont.
    QFont& CaptionFont() { return m_captionFont; }
    const QFont& CaptionFont() const { return m_captionFont; }
    void SetCaptionFont(const QFont& font);
    // Background of both caption rows (blue by default).
    QColor CaptionColor() const { return m_captionColor; }
    void SetCaptionColor(const QColor& color);

    // The application's marks on the panel: gauges side by side along its
    // foot, with their hover hint, and a highlight (a job found).
    const QVector<TVxJobGauge>& Gauges() const { return m_gauges; }
    const QString& GaugeHint() const { return m_gaugeHint; }
    void SetGauges(const QVector<TVxJobGauge>& gauges, const QString& hint);
    // The band the gauges take, in job coordinates (the foot of the panel).
    QRect GaugeBand() const { return QRect(3, m_height - 3, m_width - 6, 3); }
    bool Marked() const { return m_marked; }
    void SetMarked(bool marked);

    // The job-level expanded setter: shows or hides items and status row,
    // re-lays out the job and enables its item menu entries.
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool expanded);

    int ItemCount() const { return m_items.Count(); }
    TVxJobItem* Items(int index) const { return m_items.At(index); }
    int IndexOfItem(const TVxJobItem* item) const { return m_items.IndexOf(item); }

    // The owning schedule, or nullptr.
    TVxJobSchedule* Schedule() const { return m_schedule; }
    TVxJobMenuCaptions& MenuCaptions() { return m_menuCaptions; }
    // Item menu entries as the expanded setter left them.
    bool AddItemEnabled() const { return m_addItemEnabled; }
    bool ClearItemsEnabled() const { return m_clearItemsEnabled; }

    TVxJobItem* NewItem();
    TVxJobItem* AddItem(int itemNo, const QString& caption);
    void InsertItem(TVxJobItem* item);
    void InsertItemAt(int index, TVxJobItem* item);
    void DeleteItem(int index, bool freeIt);
    int RemoveItem(TVxJobItem* item, bool freeIt);
    void ClearItems(bool freeIt);
    void MoveItem(int curIndex, int newIndex);
    // For a view of an application's model: hands every item over, or takes
    // items in place of the job's, without events.
    std::vector<std::unique_ptr<TVxJobItem>> TakeItems();
    void ReplaceItems(std::vector<std::unique_ptr<TVxJobItem>> items);
    // Vertical layout of the rows and items; sets the height.
    void Arrange();

    // Geometry in job-area content coordinates (left is always 0).
    int Left() const { return 0; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    QRect BoundsRect() const { return QRect(0, m_top, m_width, m_height); }
    void SetTop(int top);
    // Job resize: every row and item gets the new width minus 6.
    void SetWidth(int width);

    // The line, in job coordinates, across the gap where an item dropped at
    // newIndex of this job comes to stand.
    QRect ItemDropLine(const TVxJobItem* item, int newIndex) const;

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
    void refreshDatesRow();
    void relayoutAfterRowChange(bool visibilityChanged);
    void setItemWidths();
    void detachItem(TVxJobItem* item);
    void afterItemsChanged();
    TVxJobSchedule* requireSchedule() const;

    TVxOwnedList<TVxJobItem, TVxJob> m_items{&TVxJobItem::m_job};
    TVxJobSchedule* m_schedule = nullptr;
    TVxJobMenuCaptions m_menuCaptions;
    TDateTime m_startDate;
    TDateTime m_finishDate;
    QFont m_captionFont;
    QColor m_captionColor = QColor(0, 0, 255);
    QVector<TVxJobGauge> m_gauges;
    QString m_gaugeHint;
    bool m_marked = false;
    bool m_expanded = false;
    bool m_addItemEnabled = false;
    bool m_clearItemsEnabled = false;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
};
