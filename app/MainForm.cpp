// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainForm.h"

#include "BoardController.h"
#include "BoardDragPreview.h"
#include "BoardView.h"
#include "CompareMode.h"
#include "ComparePanel.h"
#include "FindBar.h"
#include "ItemForm.h"
#include "JobForm.h"
#include "LoadForm.h"
#include "LoomProgress.h"
#include "MaintForm.h"
#include "OutputForm.h"
#include "PlantViews.h"
#include "PrintForm.h"
#include "ProgramLanguage.h"
#include "RefText.h"
#include "ReqmtsForm.h"
#include "SaveForm.h"
#include "ScenarioFailure.h"
#include "ScenarioSession.h"
#include "SheetExport.h"
#include "TimelinePane.h"
#include "VxAbort.h"
#include "VxAboutForm.h"
#include "VxCalend.h"
#include "VxDatPrn.h"
#include "VxDate.h"
#include "VxDialogPrompts.h"
#include "VxDialogs.h"
#include "VxDrawnIcon.h"
#include "VxNumbers.h"
#include "VxPlanCommand.h"
#include "VxPlanSheet.h"
#include "VxWeaPlan.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

// Resources of a static library must be registered by hand, outside any
// namespace.
static void InitInfoResources() {
    Q_INIT_RESOURCE(info);
}

namespace {
const int kFormWidth = 602;
const int kFormHeight = 560;
// Enough board below the tool bar for a loom's header and a job.
const int kBoardMinHeight = 160;
const int kMessageMsec = 2000;

// The window's caption in the program's language.
QString caption() {
    return TMainForm::tr("Demo: Plexiweave Scheduler");
}

QString ReadInfoPage(const QString& name) {
    QFile file(QStringLiteral(":/info/") + name);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

// ---------------------------------------------------------------------------
// TMainForm: construction

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    InitInfoResources();
    setWindowTitle(caption());
    resize(kFormWidth, kFormHeight);
    Document = new TVxPlanDocument(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createToolPanel();
    layout->addWidget(ToolPanel);

    Splitter = new QSplitter(Qt::Horizontal, central);
    Splitter->setChildrenCollapsible(false);
    ScheduleBox = new TVxScheduleBox(Splitter);
    createInfoPane();
    Splitter->addWidget(ScheduleBox);
    Splitter->addWidget(PageControl1);
    // A wider window shows more looms; the information pane keeps its width.
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 0);
    // A handle the user can see and grab. Coloured through its palette, not
    // a style sheet: one on the splitter would style every column of the
    // board through the slow style-sheet path, a quarter of the start-up.
    Splitter->setHandleWidth(6);
    QSplitterHandle* handle = Splitter->handle(1);
    QPalette handleColours = handle->palette();
    handleColours.setColor(QPalette::Window, handleColours.color(QPalette::Mid));
    handle->setPalette(handleColours);
    handle->setAutoFillBackground(true);
    layout->addWidget(Splitter, 1);
    setCentralWidget(central);

    Status = statusBar();
    DatabaseLabel = new QLabel(Status);
    Status->addPermanentWidget(DatabaseLabel);
    createMessageTimer();
    Board = new TBoardView(ScheduleBox, *Document, this);
    Controller = new TBoardController(*Document, *Board, this);
    Controller->ShowStatus = [this](const QString& text) { ShowStatus(text); };
    DragPreview = new TBoardDragPreview(*Document, *Board, *Controller, this);
    DragPreview->Bind(ScheduleBox);
    DragPreview->ShowSummary = [this](const QString& text) { ShowLastingStatus(text); };
    Scenarios = new TScenarioSession(*Document, this);
    createCompare();
    // The timeline, the find bar and the View menu beside the board.
    Views = new TPlantViews(this, *Document, *Board);
    Views->Timeline->ScenarioName = [this] { return Scenarios->ScenarioName(); };
    layout->addWidget(Views->FindBar);
    auto* tools = static_cast<QBoxLayout*>(ToolPanel->layout());
    tools->insertWidget(tools->indexOf(PrintButton) + 1, Views->ViewButton);
    createUndo();
    createShortcuts();
    connect(Document, &TVxPlanDocument::LoomsChanged, this, [this] { followPlan(); });
    connect(Document, &TVxPlanDocument::ScenarioLinkChanged, this, [this] { followPlan(); });
    watchMouseUps();
    // The tool bar reads whole at the smallest size, above a strip of board.
    setMinimumSize(ToolPanel->sizeHint().width(),
                   ToolPanel->sizeHint().height() + Status->sizeHint().height() + kBoardMinHeight);

    // The reports' printer: headers in bold underlined Arial, the other
    // settings as the printer has them.
    DataPrinter = new TVxDataPrinter(this);
    DataPrinter->HeaderFont.setFamily(QStringLiteral("Arial"));
    DataPrinter->HeaderFont.setBold(true);
    DataPrinter->HeaderFont.setUnderline(true);
}

TMainForm::~TMainForm() {
    // Columns first: their jobs belong to the rules' bookkeeping below.
    delete ScheduleBox;
    ScheduleBox = nullptr;
    // Also after a failed start-up: a connection opened before the failure
    // must not outlive the window.
    if (Data) Data->CloseAll();
    if (Session) Session->DeleteAlias(TSchedDB::DefaultAliasName);
}

QToolButton* TMainForm::addToolButton(const QString& caption, const QString& hint,
                                      void (TMainForm::*handler)()) {
    auto* button = new QToolButton(ToolPanel);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setEnabled(false);
    connect(button, &QToolButton::clicked, this,
            [this, handler] { VxGuard(this, [this, handler] { (this->*handler)(); }); });
    ToolPanel->layout()->addWidget(button);
    return button;
}

void TMainForm::createToolPanel() {
    ToolPanel = new QWidget(this);
    auto* row = new QHBoxLayout(ToolPanel);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    LoadButton = addToolButton(tr("&Load..."), tr("Load a scenario"), &TMainForm::LoadButtonClick);
    // Comparing with a stored scenario, beside loading one: a menu of the
    // button, so the bar keeps the window's first width.
    CompareMenu = new QMenu(LoadButton);
    connect(CompareMenu->addAction(tr("Compare &with...")), &QAction::triggered, this,
            [this] { VxGuard(this, [this] { Compare->ChooseAndCompare(); }); });
    connect(CompareMenu->addAction(tr("Compare with the &last saved state")), &QAction::triggered,
            this, [this] { VxGuard(this, [this] { Compare->CompareWithSaved(); }); });
    LoadButton->setMenu(CompareMenu);
    LoadButton->setPopupMode(QToolButton::MenuButtonPopup);
    SaveButton =
        addToolButton(tr("&Save..."), tr("Save this scenario"), &TMainForm::SaveButtonClick);
    ClearButton =
        addToolButton(tr("&Clear"), tr("Clear this scenario"), &TMainForm::ClearButtonClick);
    // Arrows, so the bar still fits the window's first width; the hints name
    // the step.
    UndoButton = addToolButton(tr("&Undo"), QString(), &TMainForm::UndoButtonClick);
    RedoButton = addToolButton(tr("Re&do"), QString(), &TMainForm::RedoButtonClick);
    UndoButton->setIcon(VxUndoIcon());
    RedoButton->setIcon(VxRedoIcon());
    for (QToolButton* button : {UndoButton, RedoButton})
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    PrintButton =
        addToolButton(tr("&Print"), tr("Print this scenario"), &TMainForm::PrintButtonClick);
    // The plan's data for spreadsheets, beside printing it.
    auto* printMenu = new QMenu(PrintButton);
    connect(printMenu->addAction(tr("Export Plan &Data...")), &QAction::triggered, this,
            [this] { VxGuard(this, [this] { ExportPlanDataClick(); }); });
    PrintButton->setMenu(printMenu);
    PrintButton->setPopupMode(QToolButton::MenuButtonPopup);
    ReqmtsButton = addToolButton(tr("&Reqmts..."), tr("Scenario yarn requirements"),
                                 &TMainForm::ReqmtsButtonClick);
    OutputButton = addToolButton(tr("&Output..."), tr("Scenario fabric output"),
                                 &TMainForm::OutputButtonClick);
    MaintButton =
        addToolButton(tr("&Maint..."), tr("Data maintenance"), &TMainForm::MaintButtonClick);
    ExitButton = addToolButton(tr("E&xit"), tr("Close the planner"), &TMainForm::ExitButtonClick);
    AboutButton =
        addToolButton(tr("&About..."), tr("About this program"), &TMainForm::AboutButtonClick);
    ExitButton->setEnabled(true);
    AboutButton->setEnabled(true);
    createLanguageMenu();
    row->addStretch();
}

void TMainForm::createLanguageMenu() {
    // Beside the About box, behind the arrow of its button.
    auto* aboutMenu = new QMenu(AboutButton);
    QMenu* languages = aboutMenu->addMenu(tr("&Language"));
    auto* group = new QActionGroup(languages);
    QList<TLanguageChoice> choices{{QString(), tr("&System language")}};
    for (const TLanguageChoice& choice : TProgramLanguage::Available())
        choices.append({choice.Code, QLatin1Char('&') + choice.Name});
    for (const TLanguageChoice& choice : choices) {
        QAction* action = languages->addAction(choice.Name);
        action->setCheckable(true);
        action->setData(choice.Code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = choice.Code] {
            VxGuard(this, [this, &code] { ChooseLanguage(code); });
        });
    }
    connect(languages, &QMenu::aboutToShow, this, [this, group] {
        const QString setting = TProgramLanguage::Setting(LayoutFile);
        for (QAction* action : group->actions())
            action->setChecked(action->data().toString() == setting);
    });
    AboutButton->setMenu(aboutMenu);
    AboutButton->setPopupMode(QToolButton::MenuButtonPopup);
}

void TMainForm::ChooseLanguage(const QString& code) {
    if (code == TProgramLanguage::Setting(LayoutFile)) return;
    TProgramLanguage::SetSetting(LayoutFile, code);
    VxDialogs::information(this, tr("The language changes at the planner's next start."));
}

void TMainForm::createInfoPane() {
    PageControl1 = new QTabWidget(Splitter);
    // The pane may be narrowed below its three tabs (they scroll), so the
    // splitter never squeezes the looms to keep the tabs whole.
    PageControl1->setUsesScrollButtons(true);
    PageControl1->setMinimumWidth(120);
    auto addPage = [this](const QString& title, const QString& file) {
        auto* memo = new QTextBrowser(PageControl1);
        memo->setReadOnly(true);
        memo->setOpenLinks(false);
        memo->setHtml(ReadInfoPage(file));
        PageControl1->addTab(memo, title);
        return memo;
    };
    IntroMemo = addPage(tr("Introduction"), QStringLiteral("introduction.html"));
    TermsMemo = addPage(tr("Terminology"), QStringLiteral("terminology.html"));
    TutorialMemo = addPage(tr("Tutorial"), QStringLiteral("tutorial.html"));
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { VxGuard(this, [this, index] { PageControl1Change(index); }); });
}

// ---------------------------------------------------------------------------
// Start-up

bool TMainForm::Connected() const {
    // A connection to a server that broke is opened again at the next use.
    return Data && Data->SchedDB.Opened();
}

bool TMainForm::CanWriteDatabase() const {
    return Connected() && !Data->SchedDB.ReadOnly();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Run after the window is on screen, so the mode dialog opens above it.
    if (!m_started) QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TMainForm::FormShow() {
    if (m_started) return;
    m_started = true;
    VxGuard(this, [this] { runStartUp(); });
    if (Terminated) return;
    RestoreLayout();
    // The mode dialog and the splash had the keyboard: the window takes it
    // back, so its keys work at once.
    activateWindow();
}

void TMainForm::RestoreLayout() {
    if (LayoutFile.isEmpty()) return;
    const QSettings settings(LayoutFile, QSettings::IniFormat);
    const QSize size = settings.value(QStringLiteral("Window/Size")).toSize();
    if (size.isValid()) resize(size);
    const QList<QVariant> sizes = settings.value(QStringLiteral("Window/Splitter")).toList();
    if (sizes.size() == 2) Splitter->setSizes({sizes[0].toInt(), sizes[1].toInt()});
    restoreState(settings.value(QStringLiteral("Window/Docks")).toByteArray());
}

void TMainForm::SaveLayout() const {
    if (LayoutFile.isEmpty() || !m_started || Terminated) return;
    QSettings settings(LayoutFile, QSettings::IniFormat);
    settings.setValue(QStringLiteral("Window/Size"), size());
    const QList<int> sizes = Splitter->sizes();
    settings.setValue(QStringLiteral("Window/Splitter"), QVariantList{sizes[0], sizes[1]});
    settings.setValue(QStringLiteral("Window/Docks"), saveState());
}

void TMainForm::runStartUp() {
    VxSetShortDateFormat(QStringLiteral("dd/mm/yy"));
    // No design-time column exists here, so there is none to destroy.
    resize(kFormWidth, height());
    setWindowTitle(caption());
    Controller->JobForm = JobForm;
    Controller->ItemForm = ItemForm;
    Views->Timeline->PrintForm = PrintForm;

    std::unique_ptr<TModeForm> ownModeForm;
    TModeForm* modeForm = ModeForm;
    if (!modeForm) {
        ownModeForm = std::make_unique<TModeForm>(this);
        modeForm = ownModeForm.get();
    }
    if (!Session) Session = std::make_unique<TVxDbSession>();
    modeForm->ShowLocalNote(LocalModeNote(*Session, LocalDatabase()));
    for (;;) {
        if (VxDialogs::exec(modeForm) != QDialog::Accepted) {
            terminate();
            return;
        }
        DataMode = modeForm->DataMode();
        if (DataMode == TDataMode::Text) {
            LoadTextData();
            break;
        }
        if (VxGuard(this, [this] { LoadDatabaseData(); })) break;
        // A database that could not be reached (no alias, a refused login)
        // leaves no column behind: the user may pick another mode at once
        // instead of restarting the program.
        if (ScheduleBox->ScheduleCount() > 0) return;
        Data.reset();
        Scenarios->Data = nullptr;
        DatabaseLabel->clear();
    }
    FinishStartUp();
    if (Connected() && !CanWriteDatabase()) WarnReadOnly();
}

void TMainForm::WarnReadOnly() {
    DatabaseLabel->setText(tr("Database: %1 (read-only)").arg(Data->SchedDB.Location()));
    VxDialogs::warning(this, tr("The database file %1 cannot be written, so it is open read-only. "
                                "Stored scenarios can be loaded, printed and reported on, but "
                                "nothing can be saved and the data cannot be maintained.")
                                 .arg(Data->SchedDB.Location()));
}

void TMainForm::terminate() {
    Terminated = true;
    hide();
    // Ends the event loop when it runs; does nothing before it starts.
    QCoreApplication::quit();
}

void TMainForm::LoadTextData() {
    const TRefTextLoader loader(TextFolder, VxDialogPrompts(this));
    LoomTypes = loader.BuildLoomTypes();
    WarpInfos = loader.BuildWarpInfos();
    FabricInfos = loader.BuildFabricInfos();
    DowntimeTypes = loader.BuildDowntimeTypes();
    CreateLoomSchedules(loader.ReadLoomRecords());
    LoadButton->setEnabled(false);
    if (!JobForm) return;
    for (int i = 0; i < WarpInfos.Count(); ++i) {
        const QString ends = QString::number(WarpInfos.Object(i)->TotalEnds);
        if (JobForm->EndsCombo->findText(ends) < 0) JobForm->EndsCombo->addItem(ends);
    }
}

namespace {
// Keeps the About window up as a splash while the database steps run, and
// takes it down however they end.
class TSplash {
public:
    explicit TSplash(TVxAboutForm* about) : m_about(about) {
        if (m_about) m_about->ShowAsSplash();
    }
    ~TSplash() {
        if (m_about) m_about->CloseSplash();
    }
    TSplash(const TSplash&) = delete;
    TSplash& operator=(const TSplash&) = delete;

private:
    TVxAboutForm* m_about;
};
} // namespace

void TMainForm::LoadDatabaseData() {
    TSplash splash(AboutForm);
    if (!Session) Session = std::make_unique<TVxDbSession>();
    if (DataMode == TDataMode::Local) DefineLocalAlias(*Session);
    Data = std::make_unique<TSchedData>(*Session, VxDialogPrompts(this));
    Scenarios->Data = Data.get();
    Data->SchedDB.Open();
    DatabaseLabel->setText(tr("Database: %1").arg(Data->SchedDB.Location()));
    Data->OpenScenarioTables();
    LoomTypes = Data->BuildLoomTypes();
    WarpInfos = Data->BuildWarpInfos();
    FabricInfos = Data->BuildFabricInfos();
    DowntimeTypes = Data->BuildDowntimeTypes();
    Data->DowntimeType.Close();
    CreateLoomSchedules(Data->ReadLoomRecords());
    const QStringList ends = Data->EndsList();
    if (JobForm) JobForm->EndsCombo->addItems(ends);
    Controller->DefaultWarpLen = Data->ReadDefaultWarpLen();
}

void TMainForm::CreateLoomSchedules(const std::vector<TLoomRecord>& looms) {
    // The row of columns is placed once, not again for every loom.
    ScheduleBox->BeginUpdate();
    const auto placeRow = qScopeGuard([this] { ScheduleBox->EndUpdate(); });
    for (const TLoomRecord& loom : looms)
        SetupLoomSchedule(loom.Posn, loom.Type, loom.Descr);
}

TVxJobSchedule* TMainForm::SetupLoomSchedule(int posn, const QString& type, const QString& descr) {
    TVxJobSchedule* schedule = ScheduleBox->AddSchedule(posn, descr, QString());
    schedule->ScheduleNo = posn;
    schedule->SetHeader(descr + QStringLiteral(" : ") + type);
    schedule->Tag = LoomTypes.IndexOf(type);

    TVxScheduleMenuCaptions& captions = schedule->MenuCaptions();
    captions.AddItem = tr("&Add Fabric...");
    captions.EditItem = tr("&Edit Fabric...");
    captions.RemoveItem = tr("&Remove Fabric");
    captions.ClearItems = tr("&Clear Fabrics");
    captions.EditJob = tr("&Edit Warp");
    captions.RemoveJob = tr("&Remove Warp");
    captions.ClearJobs = tr("&Clear All");

    Controller->Bind(schedule);
    schedule->OnMouseUp = [this](QObject* sender, Qt::MouseButton button,
                                 Qt::KeyboardModifiers shift, int x,
                                 int y) { DoMouseUp(sender, button, shift, x, y); };
    return schedule;
}

void TMainForm::FinishStartUp() {
    // The plan knows every loom the board shows, in the same order.
    TVxPlan plan;
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i) {
        const TVxJobSchedule* schedule = ScheduleBox->Schedules(i);
        TVxPlanLoom loom;
        loom.ScheduleNo = schedule->ScheduleNo;
        const QString header = schedule->Header();
        const int type = header.lastIndexOf(QStringLiteral(" : "));
        loom.Name = type < 0 ? header : header.left(type);
        loom.LoomType = type < 0 ? QString() : header.mid(type + 3);
        plan.Looms << loom;
    }
    TVxWeaveRefs refs;
    refs.LoomTypes = &LoomTypes;
    refs.WarpInfos = &WarpInfos;
    refs.FabricInfos = &FabricInfos;
    refs.DowntimeTypes = &DowntimeTypes;
    Document->SetRefs(refs);
    Document->Reset(plan);
    m_startedUp = true;
    const bool scenarioTableOpen = Data && Data->Scenario.Active();
    LoadButton->setEnabled(scenarioTableOpen);
    MaintButton->setEnabled(scenarioTableOpen && CanWriteDatabase());
    if (ScheduleBox->ScheduleCount() > 0)
        SetScheduleBoxWidth(3 * ScheduleBox->Schedules(0)->width() + 4);
}

void TMainForm::SetScheduleBoxWidth(int width) {
    // The information pane shows its tabs whole beside the looms: the window
    // (which the splitter spans) grows when both do not fit.
    const int needed = width + Splitter->handleWidth() + InfoPaneWidth();
    if (this->width() < needed) resize(needed, height());
    // Lay the window out first: sizes set on a splitter of a stale width are
    // rescaled later, and the looms (which take any change of width) would
    // lose pixels.
    layout()->activate();
    centralWidget()->layout()->activate();
    const int total = Splitter->width() > width ? Splitter->width() : this->width();
    Splitter->setSizes({width, total - width - Splitter->handleWidth()});
}

// ---------------------------------------------------------------------------
// Tool bar and window

void TMainForm::ExitButtonClick() {
    close();
}

void TMainForm::AboutButtonClick() {
    if (AboutForm) VxDialogs::exec(AboutForm);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool CanClose = true;
    if (!VxGuard(this, [this, &CanClose] { FormCloseQuery(CanClose); })) CanClose = false;
    if (!CanClose) {
        event->ignore();
        return;
    }
    SaveLayout();
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever else is still open.
    QCoreApplication::quit();
}

// ---------------------------------------------------------------------------
// Scenario storage, printing, reports and maintenance

void TMainForm::followDeletions(const TScenarioStore& store) {
    // The dialog may have deleted stored scenarios; the plan's own gone, the
    // plan is linked to none.
    const std::optional<int> linked = Scenarios->CurrentScenarioNo();
    if (linked && !store.Find(*linked)) Scenarios->Deleted(*linked);
}

void TMainForm::SaveButtonClick() {
    SaveScenario();
}

bool TMainForm::SaveScenario() {
    const int reconnections = Connected() ? Data->StoreThread().Reconnections() : 0;
    try {
        if (!saveScenario()) return false;
    } catch (const EVxDbError& e) {
        VxDialogs::error(this, ScenarioSaveFailure(e), e.details());
        return false;
    } catch (const EVxAbort&) {
        ShowStatus(tr("Saving was cancelled: nothing was saved, the board is kept"));
        return false;
    } catch (const EVxError& e) {
        VxDialogs::error(this, e.message(), e.details());
        return false;
    }
    if (Data->StoreThread().Reconnections() > reconnections)
        VxDialogs::information(this, tr("The connection to the database server had broken (the "
                                        "server may have restarted). It was opened again, and "
                                        "the scenario is saved."));
    return true;
}

bool TMainForm::saveScenario() {
    const std::unique_ptr<TThreadedScenarioStore> store = Scenarios->Store();
    std::unique_ptr<TSaveForm> ownForm;
    TSaveForm* form = SaveForm;
    if (!form) {
        ownForm = std::make_unique<TSaveForm>(this);
        form = ownForm.get();
    }
    {
        TLoomProgress waiting(this, tr("Saving Scenario"), tr("Saving loom %1"), ScheduleBox, true);
        store->Poll = [&waiting] { waiting.Poll(); };
        form->Prepare(store.get(), VxNextAfter(store->MaxScenarioNo()));
        store->Poll = nullptr;
    }
    const int choice = VxDialogs::exec(form);
    followDeletions(*store);
    if (choice != TSaveForm::SaveNew && choice != TSaveForm::SaveOverwrite) return false;
    int number = form->ScenarioNo();
    QString descr = form->Descr();
    TScenarioSaveMode mode =
        choice == TSaveForm::SaveNew ? TScenarioSaveMode::New : TScenarioSaveMode::Overwrite;
    bool theirsSeen = false;
    for (;;) {
        try {
            TLoomProgress progress(this, tr("Saving Scenario"), tr("Saving loom %1"), ScheduleBox,
                                   true);
            Scenarios->Save(
                number, descr, mode,
                [&progress](int index, int, int scheduleNo) { progress.Step(index, scheduleNo); },
                [&progress] { progress.Poll(); }, theirsSeen);
            return true;
        } catch (const EScenarioConflict& conflict) {
            // Another planner's work is not overwritten without asking.
            const auto answer = VxDialogs::choose(
                this,
                tr("%1.\n\nOverwrite it with this board, save this board as a new scenario, or "
                   "cancel?")
                    .arg(conflict.message()),
                {tr("&Overwrite"), tr("Save as &New"), tr("Cancel")}, QMessageBox::Cancel);
            if (answer == QMessageBox::Cancel) return false;
            theirsSeen = true;
            if (answer == QMessageBox::No) {
                const int next = VxNextAfter(store->MaxScenarioNo());
                VxRequireNextNumber(next, TVxNumbered::Scenario);
                // The proposed description goes with the number it named.
                if (descr == tr("Scenario %1").arg(number)) descr = tr("Scenario %1").arg(next);
                number = next;
                mode = TScenarioSaveMode::New;
            }
        }
    }
}

void TMainForm::LoadButtonClick() {
    try {
        loadScenario();
    } catch (const EVxDbError& e) {
        VxDialogs::error(this, ScenarioLoadFailure(e), e.details());
    }
}

void TMainForm::loadScenario() {
    if (Modified()) {
        const auto answer = VxDialogs::confirm(
            this, tr("Do you want to first save the current scenario?"), VxButtons::YesNoCancel);
        if (answer == QMessageBox::Cancel) return;
        // Unsaved work is only given up when the planner says so: a save that
        // fails or is cancelled keeps the board.
        if (answer == QMessageBox::Yes && !SaveScenario()) return;
    }
    const std::unique_ptr<TThreadedScenarioStore> store = Scenarios->Store();
    std::unique_ptr<TLoadForm> ownForm;
    TLoadForm* form = LoadForm;
    if (!form) {
        ownForm = std::make_unique<TLoadForm>(this);
        form = ownForm.get();
    }
    {
        TLoomProgress waiting(this, tr("Loading Scenario"), tr("Loading loom %1"), ScheduleBox,
                              true);
        store->Poll = [&waiting] { waiting.Poll(); };
        form->Prepare(store.get(), Scenarios->CurrentScenarioNo());
        store->Poll = nullptr;
    }
    const int choice = VxDialogs::exec(form);
    followDeletions(*store);
    if (choice != QDialog::Accepted) return;
    const std::optional<TScenarioInfo> chosen = form->Selected();
    if (!chosen) return;
    QMap<int, int> missingLooms;
    {
        TLoomProgress progress(this, tr("Loading Scenario"), tr("Loading loom %1"), ScheduleBox,
                               true);
        missingLooms = Scenarios->Load(*chosen, [&progress] { progress.Poll(); });
    }
    if (!missingLooms.isEmpty())
        VxDialogs::warning(this, TScenarioStore::MissingLoomsText(missingLooms));
}

void TMainForm::ClearButtonClick() {
    if (VxDialogs::confirmDiscard(this, tr("Clear all jobs?")) != QMessageBox::Yes) return;
    // The planner asked once for the whole board: no question per job.
    Scenarios->Clear();
}

TVxJobTextSource PlanJobTexts(const TVxWeaveRefs& refs) {
    return [refs](const TVxPlanJob& job) {
        TVxJobTexts texts;
        texts.UpperCaption = PlanJobCaption(job);
        texts.StatusText = PlanJobStatusText(job, refs);
        for (const TVxPlanItem& item : job.Items)
            texts.ItemCaptions << PlanItemCaption(item);
        return texts;
    };
}

void TMainForm::PrintButtonClick() {
    if (!PrintForm) return;
    TVxPrintJob job;
    job.Title = PrintForm->windowTitle();
    const TVxPlan& plan = Document->plan();
    const TVxJobTextSource texts = PlanJobTexts(Document->Refs());
    for (int i = 0; i < ScheduleBox->ScheduleCount() && i < plan.Looms.size(); ++i) {
        const TVxJobSchedule* column = ScheduleBox->Schedules(i);
        // The paper shows what the board shows: a folded loom hides its
        // fabric there too.
        TVxPlanLoom shown = plan.Looms[i];
        if (!column->Expanded())
            for (TVxPlanJob& planJob : shown.Jobs)
                planJob.Expanded = false;
        job.AddColumn(column->Header(), VxScheduleLines(shown, texts));
    }
    PrintForm->Execute(job, Scenarios->ScenarioName() + QStringLiteral(".txt"));
}

void TMainForm::ExportPlanDataClick() {
    const QString name = Scenarios->ScenarioName();
    ExportSheetAs(this, tr("Export Plan Data"),
                  (name.isEmpty() ? tr("Plan data") : name) + QStringLiteral(".xlsx"),
                  [this] { return VxPlanSheet(Document->plan(), Document->Refs()); });
}

void TMainForm::ReqmtsButtonClick() {
    openReport(ReqmtsForm);
}

void TMainForm::OutputButtonClick() {
    openReport(OutputForm);
}

void TMainForm::createCompare() {
    // The board shares its side of the window with the compare panel, so
    // the information pane and the window's layout stay as they are.
    auto* boardSide = new QSplitter(Qt::Horizontal);
    boardSide->setChildrenCollapsible(false);
    boardSide->setHandleWidth(Splitter->handleWidth());
    Splitter->replaceWidget(0, boardSide);
    Splitter->setStretchFactor(0, 1);
    boardSide->addWidget(ScheduleBox);
    ComparePanel = new TComparePanel(boardSide);
    boardSide->addWidget(ComparePanel);
    boardSide->setStretchFactor(0, 1);
    boardSide->setStretchFactor(1, 0);
    TCompareMode::TSources sources;
    sources.Window = this;
    sources.Document = Document;
    sources.Board = Board;
    sources.CurrentScenarioNo = [this] { return Scenarios->CurrentScenarioNo(); };
    sources.Database = [this] {
        if (!Data) throw EVxError(tr("No database is open"));
        return Data->SchedDB.Database();
    };
    sources.Names.Job = &PlanJobCaption;
    sources.Names.Item = &PlanItemCaption;
    sources.LoadForm = [this] { return LoadForm; };
    sources.PrintForm = [this] { return PrintForm; };
    Compare = std::make_unique<TCompareMode>(sources, ComparePanel);
}

void TMainForm::openReport(TReportForm* form) {
    if (!form) return;
    // The reports read the stored scenario, not the board.
    if (Modified()) {
        VxDialogs::error(this, tr("First save your changes"));
        return;
    }
    const std::optional<int> scenarioNo = Scenarios->CurrentScenarioNo();
    if (!scenarioNo || !Connected()) return;
    Data->Revive();
    form->Printer = DataPrinter;
    form->SetDatabase(&Data->SchedDB);
    form->Execute(*scenarioNo, Scenarios->ScenarioName());
}

void TMainForm::MaintButtonClick() {
    // The window edits the tables only; what this run has read stays until
    // the next start.
    if (!MaintForm || !Connected()) return;
    Data->Revive();
    MaintForm->SetDatabase(&Data->SchedDB);
    VxDialogs::exec(MaintForm);
}

// ---------------------------------------------------------------------------
// Undo and redo

bool TMainForm::Modified() const {
    return Document->IsModified();
}

void TMainForm::createUndo() {
    UndoAction = new QAction(this);
    UndoAction->setShortcuts(QKeySequence::Undo);
    RedoAction = new QAction(this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        if (!redoKeys.contains(key)) redoKeys.push_back(key);
    RedoAction->setShortcuts(redoKeys);
    addAction(UndoAction);
    addAction(RedoAction);
    connect(UndoAction, &QAction::triggered, this,
            [this] { VxGuard(this, [this] { UndoButtonClick(); }); });
    connect(RedoAction, &QAction::triggered, this,
            [this] { VxGuard(this, [this] { RedoButtonClick(); }); });
    QUndoStack* stack = Document->undoStack();
    connect(stack, &QUndoStack::indexChanged, this, [this] { followUndoStack(); });
    connect(stack, &QUndoStack::cleanChanged, this, [this] { followUndoStack(); });
    followUndoStack();
}

void TMainForm::followUndoStack() {
    const QUndoStack* stack = Document->undoStack();
    UndoButton->setEnabled(stack->canUndo());
    RedoButton->setEnabled(stack->canRedo());
    UndoAction->setEnabled(stack->canUndo());
    RedoAction->setEnabled(stack->canRedo());
    UndoButton->setToolTip(stack->canUndo() ? tr("Undo %1").arg(stack->undoText())
                                            : tr("Nothing to undo"));
    RedoButton->setToolTip(stack->canRedo() ? tr("Redo %1").arg(stack->redoText())
                                            : tr("Nothing to redo"));
}

void TMainForm::UndoButtonClick() {
    // A job on its way to a drop must not be taken off the board under the
    // mouse.
    if (VxScheduleDragActive()) return;
    Document->undoStack()->undo();
}

void TMainForm::RedoButtonClick() {
    if (VxScheduleDragActive()) return;
    Document->undoStack()->redo();
}

void TMainForm::followPlan() {
    // A board with jobs, or one linked to a stored scenario, can be saved,
    // cleared and printed; the reports read the linked scenario.
    const bool linked = Scenarios->CurrentScenarioNo().has_value();
    const bool shown = linked || Document->plan().JobCount() > 0;
    SaveButton->setEnabled(shown && CanWriteDatabase());
    ClearButton->setEnabled(shown);
    PrintButton->setEnabled(shown);
    ReqmtsButton->setEnabled(linked && Connected());
    OutputButton->setEnabled(linked && Connected());
    setWindowTitle(linked ? caption() + QStringLiteral(" - ") + Scenarios->ScenarioName()
                          : caption());
}

// ---------------------------------------------------------------------------
// Status messages

void TMainForm::createMessageTimer() {
    MsgTimer = new QTimer(this);
    MsgTimer->setInterval(kMessageMsec);
    connect(MsgTimer, &QTimer::timeout, this, [this] { MsgTimerTimer(); });
}

void TMainForm::ShowStatus(const QString& Text) {
    // A drag repeats its refusal on every move; repainting the same text
    // would only cost time.
    const QString shown = Text.isEmpty() ? m_lastingStatus : Text;
    if (Status->currentMessage() != shown) Status->showMessage(shown);
    if (Text.isEmpty())
        MsgTimer->stop();
    else
        MsgTimer->start();
}

void TMainForm::ShowLastingStatus(const QString& Text) {
    const QString before = m_lastingStatus;
    m_lastingStatus = Text;
    if (!Text.isEmpty()) {
        MsgTimer->stop();
        Status->showMessage(Text);
    } else if (Status->currentMessage() == before) {
        Status->clearMessage();
    }
}

void TMainForm::MsgTimerTimer() {
    Status->clearMessage();
    MsgTimer->stop();
}

void TMainForm::DoMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    Status->clearMessage();
}

void TMainForm::watchMouseUps() {
    // The loom columns report their mouse-ups through OnMouseUp; the tool
    // bar, its buttons, the box and the status bar are watched here.
    ToolPanel->installEventFilter(this);
    for (QToolButton* button : ToolPanel->findChildren<QToolButton*>())
        button->installEventFilter(this);
    ScheduleBox->installEventFilter(this);
    ScheduleBox->viewport()->installEventFilter(this);
    Status->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        DoMouseUp(watched, mouse->button(), mouse->modifiers(), pos.x(), pos.y());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Window-level handlers

void TMainForm::FormCloseQuery(bool& CanClose) {
    // Text mode keeps no scenarios, so there is nothing to lose by asking.
    if (!Modified() || !Connected()) return;
    CanClose =
        VxDialogs::message(this, VxMsgKind::Warning, tr("Close without saving your changes?"),
                           VxButtons::YesNo, QMessageBox::No) == QMessageBox::Yes;
}

int TMainForm::InfoPaneWidth() const {
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(PageControl1);
    const int border =
        2 * PageControl1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, PageControl1);
    return PageControl1->tabBar()->sizeHint().width() + border;
}

void TMainForm::HelpKeyPress() {
    const QList<int> sizes = Splitter->sizes();
    const int pane = InfoPaneWidth();
    if (sizes.value(1) < pane) Splitter->setSizes({std::max(0, sizes[0] + sizes[1] - pane), pane});
    PageControl1->currentWidget()->setFocus(Qt::ShortcutFocusReason);
}

void TMainForm::createShortcuts() {
    // The keys every desktop program has. Each presses its button, and does
    // nothing while the button is disabled.
    const std::pair<QKeySequence, QToolButton*> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), SaveButton},
        {QKeySequence(Qt::CTRL | Qt::Key_O), LoadButton},
        {QKeySequence(Qt::CTRL | Qt::Key_P), PrintButton}};
    for (const auto& [key, button] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        addAction(action);
        connect(action, &QAction::triggered, button, [button = button] {
            if (button->isEnabled()) button->click();
        });
    }
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { HelpKeyPress(); });
}

void TMainForm::PageControl1Change(int Index) {
    if (auto* page = qobject_cast<QAbstractScrollArea*>(PageControl1->widget(Index)))
        page->verticalScrollBar()->setValue(0);
}
