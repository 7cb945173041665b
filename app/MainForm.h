// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the loom columns, the information pane, the tool bar and
// the status bar, wired to the plan document (the plan and its undo steps),
// the board controller (the rules and the dialogs of the loom columns) and
// the scenario session (the stored scenarios and the clean state).
//
// Start-up runs once, on the window's first showing: the data-mode dialog,
// the reference tables of the chosen mode, one column per loom, and the
// buttons the mode allows. Each step is a public method so a test can run the
// sequence with a scripted mode dialog.

#include "ModeForm.h"
#include "RefData.h"
#include "ScenarioStore.h"
#include "SchedData.h"
#include "VxPlan.h"
#include "VxPlanDocument.h"
#include "VxScenPrn.h"
#include "VxSched.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QMenu;
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
class TBoardController;
class TBoardDragPreview;
class TBoardView;
class TCompareMode;
class TComparePanel;
class TScenarioSession;
class TPlantViews;
class QAction;
class TVxDataPrinter;

// The texts the board and the printout show for the jobs of a plan, built
// from their values and the reference tables.
TVxJobTextSource PlanJobTexts(const TVxWeaveRefs& refs);

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
    // The load button's menu: "Compare with..." a stored scenario, or with
    // the loaded one as last saved.
    QMenu* CompareMenu;
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
    // Beside the board while it is compared with a stored scenario.
    TComparePanel* ComparePanel;
    std::unique_ptr<TCompareMode> Compare;
    QTabWidget* PageControl1;
    QTextBrowser* IntroMemo;
    QTextBrowser* TermsMemo;
    QTextBrowser* TutorialMemo;
    QStatusBar* Status;
    // Permanent status-bar field naming the database in use.
    QLabel* DatabaseLabel;

    // The plan with its undo steps, the board drawing it, the controller of
    // the board's events and the session with the stored scenarios.
    TVxPlanDocument* Document;
    TBoardView* Board;
    TBoardController* Controller;
    // What a drag or a move with the keys would do, shown while it runs.
    TBoardDragPreview* DragPreview;
    TScenarioSession* Scenarios;
    // The timeline, the find bar and the View menu.
    TPlantViews* Views;
    // The keys of the document's undo and redo (the platform's Undo and
    // Redo, with Ctrl+Shift+Z and Ctrl+Y for redo).
    QAction* UndoAction;
    QAction* RedoAction;
    // Unsaved changes: the undo stack is not at its clean point.
    bool Modified() const;

    // The reference tables of this run; the document reads them.
    TLoomTypeList LoomTypes;
    TWarpInfoList WarpInfos;
    TFabricInfoList FabricInfos;
    TDowntimeList DowntimeTypes;

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
    // The plan of the looms, buttons and the box width (the closing steps).
    void FinishStartUp();
    // Start-up has run to its end (the looms read, the plan set up).
    bool StartedUp() const { return m_startedUp; }
    // Says in a warning and in the status bar that the database is read-only.
    void WarnReadOnly();
    // Width of the schedule box beside the information pane.
    void SetScheduleBoxWidth(int width);

    // Runs the save dialog and saves; false when cancelled or failed (the
    // failure shown, the board, caption, buttons and Modified as they were).
    bool SaveScenario();

    // Tool bar.
    void LoadButtonClick();
    void SaveButtonClick();
    void ClearButtonClick();
    void UndoButtonClick();
    void RedoButtonClick();
    void PrintButtonClick();
    // The Print button's menu: the plan's jobs and fabric items to an .xlsx
    // or .csv file.
    void ExportPlanDataClick();
    void ReqmtsButtonClick();
    void OutputButtonClick();
    void MaintButtonClick();
    void ExitButtonClick();
    void AboutButtonClick();
    // The About button's menu: the language to speak from the next start,
    // kept in LayoutFile; an empty code follows the system's languages.
    void ChooseLanguage(const QString& code);

    void DoMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                   int Y);
    // Window-level handlers of the weaving rules.
    void FormCloseQuery(bool& CanClose);
    void PageControl1Change(int Index);
    // F1: the information pane, at least as wide as its tabs, takes the
    // focus.
    void HelpKeyPress();
    // Width of the information pane that shows its tabs whole.
    int InfoPaneWidth() const;

    // Status-bar messages: each clears itself after 2 seconds, or earlier at
    // the next mouse-up on the columns, the tool bar or the status bar.
    QTimer* MsgTimer;
    void ShowStatus(const QString& Text);
    void MsgTimerTimer();
    // A text that stays (a drag's preview summary) until replaced by an
    // empty one; messages show over it and an empty message gives it back.
    void ShowLastingStatus(const QString& Text);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolPanel();
    void createLanguageMenu();
    void createInfoPane();
    QToolButton* addToolButton(const QString& caption, const QString& hint,
                               void (TMainForm::*handler)());
    void runStartUp();
    void createMessageTimer();
    void createUndo();
    void createCompare();
    // Ctrl+S, Ctrl+O, Ctrl+P and F1.
    void createShortcuts();
    void followUndoStack();
    // The buttons and the caption as the plan and its link stand.
    void followPlan();
    void watchMouseUps();
    // Shows a report of the current stored scenario; with unsaved changes
    // only the error "First save your changes".
    void openReport(TReportForm* form);
    // After the load or save dialog: the plan's scenario deleted there
    // leaves the plan linked to none.
    void followDeletions(const TScenarioStore& store);
    // The save and load behind SaveScenario and LoadButtonClick, which say
    // how a database failure left the board.
    bool saveScenario();
    void loadScenario();
    void terminate();

    bool m_started = false;
    bool m_startedUp = false;
    QString m_lastingStatus;
};
