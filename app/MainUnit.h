#pragma once
// The main window: the loom columns, the information pane, the tool bar and
// the status bar, and the state the weaving rules and scenario storage share.
//
// Start-up runs once, on the window's first showing: the data-mode dialog,
// the reference tables of the chosen mode, one column per loom, and the
// buttons the mode allows. Each step is a public method so a test can run the
// sequence with a scripted mode dialog.

#include "ModeUnit.h"
#include "RefData.h"
#include "SchedData.h"
#include "ThreadedScenarioStore.h"
#include "VxPlan.h"
#include "VxScenPrn.h"
#include "VxSched.h"
#include "VxWeaRules.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

class QLabel;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTextBrowser;
class QTimer;
class QToolButton;
class TItemForm;
class TJobForm;
class TLoadForm;
class TMaintForm;
class TModeForm;
class TOutputForm;
class TPrintForm;
class TReportForm;
class TReqmtsForm;
class TSaveForm;
class TVxAboutForm;
class TBoardHistory;
class QAction;
class TVxDataPrinter;

// Each loom's start date as short-date text, tied to its column; "0" until
// the loom's first job is added.
class TLoomStartDates {
public:
    void Add(TVxJobSchedule* schedule, const QString& date = QStringLiteral("0"));
    int Count() const { return static_cast<int>(m_Entries.size()); }
    // Position of the schedule's entry, or -1.
    int IndexOf(const TVxJobSchedule* schedule) const;
    TVxJobSchedule* Schedule(int index) const;
    QString Date(int index) const;
    void SetDate(int index, const QString& date);
    // By column; a column without an entry reads "0" and ignores writes.
    QString DateOf(const TVxJobSchedule* schedule) const;
    void SetDateOf(const TVxJobSchedule* schedule, const QString& date);

private:
    struct Entry {
        TVxJobSchedule* schedule;
        QString date;
    };
    const Entry& at(int index) const;
    std::vector<Entry> m_Entries;
};

// The texts the board shows for the jobs of a plan, built from their values
// and the reference tables.
TVxJobTextSource PlanJobTexts(const TVxWeaveContext& context);

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The other windows, created once for the program's run (TAppWindows
    // sets them; any may be missing in a test).
    TJobForm* JobForm = nullptr;
    TItemForm* ItemForm = nullptr;
    TLoadForm* LoadForm = nullptr;
    TSaveForm* SaveForm = nullptr;
    TReqmtsForm* ReqmtsForm = nullptr;
    TOutputForm* OutputForm = nullptr;
    TVxAboutForm* AboutForm = nullptr;
    TPrintForm* PrintForm = nullptr;
    TModeForm* ModeForm = nullptr;
    TMaintForm* MaintForm = nullptr;

    // Controls.
    QWidget* ToolPanel;
    QToolButton* LoadButton;
    QToolButton* SaveButton;
    QToolButton* ClearButton;
    QToolButton* UndoButton;
    QToolButton* RedoButton;
    QToolButton* PrintButton;
    QToolButton* ReqmtsButton;
    QToolButton* OutputButton;
    QToolButton* MaintButton;
    QToolButton* ExitButton;
    QToolButton* AboutButton;
    QSplitter* Splitter;
    TVxScheduleBox* ScheduleBox;
    QTabWidget* PageControl1;
    QTextBrowser* IntroMemo;
    QTextBrowser* TermsMemo;
    QTextBrowser* TutorialMemo;
    QStatusBar* Status;
    // Permanent status-bar field naming the database in use.
    QLabel* DatabaseLabel;

    // Undo and redo of board changes, and their keys (the platform's Undo and
    // Redo, with Ctrl+Shift+Z and Ctrl+Y for redo).
    TBoardHistory* History;
    QAction* UndoAction;
    QAction* RedoAction;

    // State shared by the weaving rules and scenario storage.
    TLoomTypeList LoomTypes;
    TWarpInfoList WarpInfos;
    TFabricInfoList FabricInfos;
    TDowntimeList DowntimeTypes;
    std::unique_ptr<TLoomStartDates> LoomStartDates;
    int NextJobNo = 0;
    int NextItemNo = 0;
    int DefaultWarpLen = 0;
    bool BulkUpdate = false;
    bool Modified = false;

    // The mode chosen at start-up, and whether its database is open.
    TDataMode DataMode = TDataMode::Text;
    bool Connected() const;
    // Connected to a database that takes writes (not a read-only file):
    // saving and maintenance need it.
    bool CanWriteDatabase() const;
    // The database session with its connection aliases (created on the way
    // to a database unless a test set one), and the connection SchedDB with
    // its tables and queries (database modes only).
    std::unique_ptr<TVxDbSession> Session;
    std::unique_ptr<TSchedData> Data;
    // The data printer both reports print through, with the report fonts.
    TVxDataPrinter* DataPrinter;
    // Set when the mode dialog was cancelled: the program ends.
    bool Terminated = false;
    // Folder the text files are read from; empty means the working directory.
    QString TextFolder;
    // Where the window's size and splitter position are kept between runs;
    // empty keeps nothing (tests).
    QString LayoutFile;
    void RestoreLayout();
    void SaveLayout() const;

    // Start-up sequence; runs once, later calls do nothing.
    void FormShow();
    // Reference tables and columns of text mode.
    void LoadTextData();
    // Reference tables and columns of a database mode; throws on failure.
    void LoadDatabaseData();
    void CreateLoomSchedules(const std::vector<TLoomRecord>& looms);
    TVxJobSchedule* SetupLoomSchedule(int posn, const QString& type, const QString& descr);
    // Start dates, numbers, buttons and the box width (the closing steps).
    void FinishStartUp();
    // Says in a warning and in the status bar that the database is read-only.
    void WarnReadOnly();
    // Width of the schedule box beside the information pane.
    void SetScheduleBoxWidth(int width);

    // Scenario storage. The store writes and reads whole plans (one
    // transaction per save), so the board's looms are handed over as plan
    // values rather than written or read a column at a time. It runs on the
    // database thread, so the window repaints while it works.
    std::unique_ptr<TThreadedScenarioStore> ScenarioStore() const;
    // Runs the save dialog and saves; false when cancelled or failed (the
    // failure shown, the board, caption, buttons and Modified as they were).
    // A scenario that another planner saved since this board was loaded or
    // saved is not overwritten without asking.
    bool SaveScenario();
    // The stored scenario the board shows (the Scenario table's current
    // row), 0 with none.
    int CurrentScenarioNo() const;
    // A plan read from the store onto the board, loom i on column i: one
    // repaint, progress after half a second, the plan's next numbers.
    void ShowStoredPlan(const TVxPlan& plan);
    // The lines of one loom as the printout and the export list them.
    TVxPrintLines ScheduleLines(const TVxJobSchedule* Schedule) const;

    // Tool bar.
    void LoadButtonClick();
    void SaveButtonClick();
    void ClearButtonClick();
    void UndoButtonClick();
    void RedoButtonClick();
    void PrintButtonClick();
    void ReqmtsButtonClick();
    void OutputButtonClick();
    void MaintButtonClick();
    void ExitButtonClick();
    void AboutButtonClick();

    // Weaving rules: handlers bound to every loom column.
    void DoJobAdd(TVxJobSchedule* Schedule);
    void DoJobEdit(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoItemAdd(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoItemEdit(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void JobDragOver(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool& Accept);
    void ItemDragOver(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int Index,
                      bool& Accept);
    void JobDragDrop(TVxJobSchedule* Schedule, TVxJob* Job);
    void ItemDragDrop(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void BeforeJobFree(TVxJobSchedule* Schedule, TVxJob* Job);
    void AfterJobAdd(TVxJobSchedule* Schedule, TVxJob* Job);
    void AfterJobEdit(TVxJobSchedule* Schedule, TVxJob* Job);
    void AfterJobFree(TVxJobSchedule* Schedule);
    void AfterJobRemove(TVxJobSchedule* Schedule);
    void AfterItemAdd(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void AfterItemEdit(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void AfterItemFree(TVxJobSchedule* Schedule, TVxJob* Job);
    void AfterItemRemove(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                   int Y);
    // Window-level handlers of the weaving rules.
    void FormCloseQuery(bool& CanClose);
    void PageControl1Change(int Index);

    // Status-bar messages: each clears itself after 2 seconds, or earlier at
    // the next mouse-up on the columns, the tool bar or the status bar.
    QTimer* MsgTimer;
    void ShowStatus(const QString& Text);
    void MsgTimerTimer();

    // Re-chains the dates of one loom from its start date.
    void RedateSchedule(TVxJobSchedule* Schedule);
    // Whether a warp may be dropped before the job at Index (-1: at the end);
    // a refusal for want of a matching reed is explained in the status bar.
    bool CheckReed(TVxJobSchedule* Schedule, TVxJob* Job, int Index);
    // "Finish: " and the loom's last finish date; left alone during a bulk
    // update.
    void UpdateFooter(TVxJobSchedule* Schedule);
    // The reference tables as the rules and the dialogs read them.
    TVxWeaveContext WeaveContext() const;
    TVxWeaveRules Rules() const;
    // The board as plan values and back (see TBoardPlan). Showing a plan
    // runs the usual bookkeeping under BulkUpdate and leaves Modified alone.
    TVxPlan CurrentPlan() const;
    TVxPlanLoom LoomPlan(const TVxJobSchedule* Schedule) const;
    void ShowPlan(const TVxPlan& Plan);
    void ShowLoomPlan(TVxJobSchedule* Schedule, const TVxPlanLoom& Loom);

    // The loom's start date, 0 while it has none.
    TDateTime LoomStartDate(const TVxJobSchedule* Schedule) const;
    void SetLoomStartDate(const TVxJobSchedule* Schedule, TDateTime Date);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateToolPanel();
    void CreateInfoPane();
    QToolButton* AddToolButton(const QString& caption, const QString& hint,
                               void (TMainForm::*handler)());
    void RunStartUp();
    void CreateMessageTimer();
    void createUndo();
    void followUndoStack();
    // Buttons that need a board with jobs, after undo or redo.
    void enableBoardButtons();
    void WatchMouseUps();
    TJobForm* RequireJobForm() const;
    TItemForm* RequireItemForm() const;
    // Shows a report of the current stored scenario; with unsaved changes
    // only the error "First save your changes".
    void OpenReport(TReportForm* form);
    // Capacity, weaving time and the loom's dates after a fabric change.
    void FabricChanged(TVxJob* Job);
    // Makes the scenario the current row of the Scenario table, re-read.
    void SelectScenario(int scenarioNo);
    void ShowScenarioCaption(const QString& descr);
    void Terminate();
    // The current scenario's description, empty while none is loaded or
    // saved.
    QString ScenarioDescription() const;
    // The save and load behind SaveScenario and LoadButtonClick, which say
    // how a database failure left the board.
    bool saveScenario();
    void loadScenario();
    // The stored scenario the board was last loaded from or saved as, as
    // its save left it: a save over it notices another planner's save.
    std::optional<TScenarioStamp> m_boardStamp;

    bool m_Started = false;
};
