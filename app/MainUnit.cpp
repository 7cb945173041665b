#include "MainUnit.h"

#include "AboutUnit.h"
#include "BoardHistory.h"
#include "BoardPlan.h"
#include "ItemUnit.h"
#include "JobUnit.h"
#include "LoadUnit.h"
#include "LoomProgress.h"
#include "MaintUnit.h"
#include "OutUnit.h"
#include "PrnUnit.h"
#include "RefText.h"
#include "ReqUnit.h"
#include "SaveUnit.h"
#include "ScenarioFailure.h"
#include "VxAbort.h"
#include "VxCalend.h"
#include "VxDatPrn.h"
#include "VxDate.h"
#include "VxDialogPrompts.h"
#include "VxDialogs.h"
#include "VxFlagGuard.h"
#include "VxNumbers.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
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

QString ReadInfoPage(const QString& name) {
    QFile file(QStringLiteral(":/info/") + name);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

// ---------------------------------------------------------------------------
// TLoomStartDates

void TLoomStartDates::Add(TVxJobSchedule* schedule, const QString& date) {
    m_Entries.push_back(Entry{schedule, date});
}

int TLoomStartDates::IndexOf(const TVxJobSchedule* schedule) const {
    for (int i = 0; i < Count(); ++i)
        if (m_Entries[static_cast<size_t>(i)].schedule == schedule) return i;
    return -1;
}

const TLoomStartDates::Entry& TLoomStartDates::at(int index) const {
    if (index < 0 || index >= Count()) throw EVxListIndexError(index);
    return m_Entries[static_cast<size_t>(index)];
}

TVxJobSchedule* TLoomStartDates::Schedule(int index) const {
    return at(index).schedule;
}

QString TLoomStartDates::Date(int index) const {
    return at(index).date;
}

void TLoomStartDates::SetDate(int index, const QString& date) {
    at(index);
    m_Entries[static_cast<size_t>(index)].date = date;
}

QString TLoomStartDates::DateOf(const TVxJobSchedule* schedule) const {
    const int i = IndexOf(schedule);
    return i < 0 ? QStringLiteral("0") : Date(i);
}

void TLoomStartDates::SetDateOf(const TVxJobSchedule* schedule, const QString& date) {
    const int i = IndexOf(schedule);
    if (i >= 0) SetDate(i, date);
}

// ---------------------------------------------------------------------------
// TMainForm: construction

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    InitInfoResources();
    setWindowTitle(QStringLiteral("Demo: Plexiweave Scheduler"));
    resize(kFormWidth, kFormHeight);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateToolPanel();
    layout->addWidget(ToolPanel);

    Splitter = new QSplitter(Qt::Horizontal, central);
    Splitter->setChildrenCollapsible(false);
    ScheduleBox = new TVxScheduleBox(Splitter);
    CreateInfoPane();
    Splitter->addWidget(ScheduleBox);
    Splitter->addWidget(PageControl1);
    // A wider window shows more looms; the information pane keeps its width.
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 0);
    // A handle the user can see and grab.
    Splitter->setHandleWidth(6);
    Splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: palette(mid); }"));
    layout->addWidget(Splitter, 1);
    setCentralWidget(central);

    Status = statusBar();
    DatabaseLabel = new QLabel(Status);
    Status->addPermanentWidget(DatabaseLabel);
    CreateMessageTimer();
    createUndo();
    WatchMouseUps();

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
    if (LoomStartDates) {
        LoomStartDates.reset();
        DowntimeTypes.Clear();
        LoomTypes.Clear();
        WarpInfos.Clear();
        FabricInfos.Clear();
    }
    // Also after a failed start-up: a connection opened before the failure
    // must not outlive the window.
    if (Data) Data->CloseAll();
    if (Session) Session->DeleteAlias(TSchedDB::DefaultAliasName);
}

QToolButton* TMainForm::AddToolButton(const QString& caption, const QString& hint,
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

void TMainForm::CreateToolPanel() {
    ToolPanel = new QWidget(this);
    auto* row = new QHBoxLayout(ToolPanel);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    LoadButton = AddToolButton(QStringLiteral("&Load..."), QStringLiteral("Load a scenario"),
                               &TMainForm::LoadButtonClick);
    SaveButton = AddToolButton(QStringLiteral("&Save..."), QStringLiteral("Save this scenario"),
                               &TMainForm::SaveButtonClick);
    ClearButton = AddToolButton(QStringLiteral("&Clear"), QStringLiteral("Clear this scenario"),
                                &TMainForm::ClearButtonClick);
    // Arrows, so the bar still fits the window's first width; the hints name
    // the step.
    UndoButton = AddToolButton(QStringLiteral("&Undo"), QString(), &TMainForm::UndoButtonClick);
    RedoButton = AddToolButton(QStringLiteral("Re&do"), QString(), &TMainForm::RedoButtonClick);
    UndoButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    RedoButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    for (QToolButton* button : {UndoButton, RedoButton})
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    PrintButton = AddToolButton(QStringLiteral("&Print"), QStringLiteral("Print this scenario"),
                                &TMainForm::PrintButtonClick);
    ReqmtsButton =
        AddToolButton(QStringLiteral("&Reqmts..."), QStringLiteral("Scenario yarn requirements"),
                      &TMainForm::ReqmtsButtonClick);
    OutputButton =
        AddToolButton(QStringLiteral("&Output..."), QStringLiteral("Scenario fabric output"),
                      &TMainForm::OutputButtonClick);
    MaintButton = AddToolButton(QStringLiteral("&Maint..."), QStringLiteral("Data maintenance"),
                                &TMainForm::MaintButtonClick);
    ExitButton = AddToolButton(QStringLiteral("E&xit"), QStringLiteral("Close the planner"),
                               &TMainForm::ExitButtonClick);
    AboutButton = AddToolButton(QStringLiteral("&About..."), QStringLiteral("About this program"),
                                &TMainForm::AboutButtonClick);
    ExitButton->setEnabled(true);
    AboutButton->setEnabled(true);
    row->addStretch();
}

void TMainForm::CreateInfoPane() {
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
    IntroMemo = addPage(QStringLiteral("Introduction"), QStringLiteral("introduction.html"));
    TermsMemo = addPage(QStringLiteral("Terminology"), QStringLiteral("terminology.html"));
    TutorialMemo = addPage(QStringLiteral("Tutorial"), QStringLiteral("tutorial.html"));
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
    if (!m_Started) QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TMainForm::FormShow() {
    if (m_Started) return;
    m_Started = true;
    VxGuard(this, [this] { RunStartUp(); });
    if (!Terminated) RestoreLayout();
}

void TMainForm::RestoreLayout() {
    if (LayoutFile.isEmpty()) return;
    const QSettings settings(LayoutFile, QSettings::IniFormat);
    const QSize size = settings.value(QStringLiteral("Window/Size")).toSize();
    if (size.isValid()) resize(size);
    const QList<QVariant> sizes = settings.value(QStringLiteral("Window/Splitter")).toList();
    if (sizes.size() == 2) Splitter->setSizes({sizes[0].toInt(), sizes[1].toInt()});
}

void TMainForm::SaveLayout() const {
    if (LayoutFile.isEmpty() || !m_Started || Terminated) return;
    QSettings settings(LayoutFile, QSettings::IniFormat);
    settings.setValue(QStringLiteral("Window/Size"), size());
    const QList<int> sizes = Splitter->sizes();
    settings.setValue(QStringLiteral("Window/Splitter"), QVariantList{sizes[0], sizes[1]});
}

void TMainForm::RunStartUp() {
    VxSetShortDateFormat(QStringLiteral("dd/mm/yy"));
    // No design-time column exists here, so there is none to destroy.
    resize(kFormWidth, height());
    setWindowTitle(QStringLiteral("Demo: Plexiweave Scheduler"));

    std::unique_ptr<TModeForm> ownModeForm;
    TModeForm* modeForm = ModeForm;
    if (!modeForm) {
        ownModeForm = std::make_unique<TModeForm>(this);
        modeForm = ownModeForm.get();
    }
    for (;;) {
        if (VxDialogs::exec(modeForm) != QDialog::Accepted) {
            Terminate();
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
        DatabaseLabel->clear();
    }
    FinishStartUp();
    if (Connected() && !CanWriteDatabase()) WarnReadOnly();
}

void TMainForm::WarnReadOnly() {
    DatabaseLabel->setText(
        QStringLiteral("Database: %1 (read-only)").arg(Data->SchedDB.Location()));
    VxDialogs::warning(
        this, QStringLiteral("The database file %1 cannot be written, so it is open read-only. "
                             "Stored scenarios can be loaded, printed and reported on, but "
                             "nothing can be saved and the data cannot be maintained.")
                  .arg(Data->SchedDB.Location()));
}

void TMainForm::Terminate() {
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
    Data->SchedDB.Open();
    DatabaseLabel->setText(QStringLiteral("Database: ") + Data->SchedDB.Location());
    Data->OpenScenarioTables();
    LoomTypes = Data->BuildLoomTypes();
    WarpInfos = Data->BuildWarpInfos();
    FabricInfos = Data->BuildFabricInfos();
    DowntimeTypes = Data->BuildDowntimeTypes();
    Data->DowntimeType.Close();
    CreateLoomSchedules(Data->ReadLoomRecords());
    const QStringList ends = Data->EndsList();
    if (JobForm) JobForm->EndsCombo->addItems(ends);
    DefaultWarpLen = Data->ReadDefaultWarpLen();
}

void TMainForm::CreateLoomSchedules(const std::vector<TLoomRecord>& looms) {
    // The row of columns is placed once, not again for every loom.
    ScheduleBox->BeginUpdate();
    struct TEndUpdate {
        TVxScheduleBox* box;
        ~TEndUpdate() { box->EndUpdate(); }
    } endUpdate{ScheduleBox};
    for (const TLoomRecord& loom : looms)
        SetupLoomSchedule(loom.Posn, loom.Type, loom.Descr);
}

namespace {
// Forwards a column event to a handler of the main window, keeping in-out
// arguments (Accept) by reference.
template <class... Args> auto Bind(TMainForm* form, void (TMainForm::*handler)(Args...)) {
    return [form, handler](Args... args) { (form->*handler)(args...); };
}
// The same for a handler that may change the loom: the undo history learns
// of it first, so a change the handler starts and then vetoes is looked at
// too.
template <class... Args>
auto BindChange(TMainForm* form, void (TMainForm::*handler)(TVxJobSchedule*, Args...)) {
    return [form, handler](TVxJobSchedule* schedule, Args... args) {
        form->History->Touch(schedule);
        (form->*handler)(schedule, args...);
    };
}
} // namespace

TVxJobSchedule* TMainForm::SetupLoomSchedule(int posn, const QString& type, const QString& descr) {
    TVxJobSchedule* schedule = ScheduleBox->AddSchedule(posn, descr, QString());
    schedule->ScheduleNo = posn;
    schedule->SetHeader(descr + QStringLiteral(" : ") + type);
    schedule->Tag = LoomTypes.IndexOf(type);

    TVxScheduleMenuCaptions& captions = schedule->MenuCaptions();
    captions.AddItem = QStringLiteral("&Add Fabric...");
    captions.EditItem = QStringLiteral("&Edit Fabric...");
    captions.RemoveItem = QStringLiteral("&Remove Fabric");
    captions.ClearItems = QStringLiteral("&Clear Fabrics");
    captions.EditJob = QStringLiteral("&Edit Warp");
    captions.RemoveJob = QStringLiteral("&Remove Warp");
    captions.ClearJobs = QStringLiteral("&Clear All");

    schedule->OnDoJobAdd = BindChange(this, &TMainForm::DoJobAdd);
    schedule->OnDoJobEdit = BindChange(this, &TMainForm::DoJobEdit);
    schedule->OnDoItemAdd = BindChange(this, &TMainForm::DoItemAdd);
    schedule->OnDoItemEdit = BindChange(this, &TMainForm::DoItemEdit);
    schedule->OnJobDragOver = Bind(this, &TMainForm::JobDragOver);
    schedule->OnItemDragOver = Bind(this, &TMainForm::ItemDragOver);
    schedule->OnJobDragDrop = BindChange(this, &TMainForm::JobDragDrop);
    schedule->OnItemDragDrop = BindChange(this, &TMainForm::ItemDragDrop);
    schedule->OnBeforeJobFree = BindChange(this, &TMainForm::BeforeJobFree);
    schedule->OnAfterJobAdd = BindChange(this, &TMainForm::AfterJobAdd);
    schedule->OnAfterJobEdit = BindChange(this, &TMainForm::AfterJobEdit);
    schedule->OnAfterJobFree = BindChange(this, &TMainForm::AfterJobFree);
    schedule->OnAfterJobRemove = BindChange(this, &TMainForm::AfterJobRemove);
    schedule->OnAfterItemAdd = BindChange(this, &TMainForm::AfterItemAdd);
    schedule->OnAfterItemEdit = BindChange(this, &TMainForm::AfterItemEdit);
    schedule->OnAfterItemFree = BindChange(this, &TMainForm::AfterItemFree);
    schedule->OnAfterItemRemove = BindChange(this, &TMainForm::AfterItemRemove);
    schedule->OnMouseUp = Bind(this, &TMainForm::DoMouseUp);
    return schedule;
}

void TMainForm::FinishStartUp() {
    LoomStartDates = std::make_unique<TLoomStartDates>();
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i)
        LoomStartDates->Add(ScheduleBox->Schedules(i));
    NextJobNo = 1;
    NextItemNo = 1;
    const bool scenarioTableOpen = Data && Data->Scenario.Active();
    LoadButton->setEnabled(scenarioTableOpen);
    MaintButton->setEnabled(scenarioTableOpen && CanWriteDatabase());
    if (ScheduleBox->ScheduleCount() > 0)
        SetScheduleBoxWidth(3 * ScheduleBox->Schedules(0)->width() + 4);
    History->Reset();
}

void TMainForm::SetScheduleBoxWidth(int width) {
    // Lay the window out first: sizes set on a splitter of a stale width are
    // rescaled later, and the looms (which take any change of width) would
    // lose pixels.
    layout()->activate();
    centralWidget()->layout()->activate();
    const int total = Splitter->width() > width ? Splitter->width() : kFormWidth;
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

namespace {
const QString kCaption = QStringLiteral("Demo: Plexiweave Scheduler");

} // namespace

std::unique_ptr<TThreadedScenarioStore> TMainForm::ScenarioStore() const {
    if (!Connected()) throw EVxError(QStringLiteral("No database is open"));
    return std::make_unique<TThreadedScenarioStore>(Data->StoreThread());
}

int TMainForm::CurrentScenarioNo() const {
    if (!Data || !Data->Scenario.Active() || Data->Scenario.RecNo() < 0) return 0;
    return Data->Scenario.AsInteger(QStringLiteral("SCENARIONO"));
}

void TMainForm::SelectScenario(int scenarioNo) {
    TVxTable& scenario = Data->Scenario;
    if (!scenario.Active()) return;
    const int before = CurrentScenarioNo();
    scenario.Refresh();
    scenario.FindKey({scenarioNo});
    // The details follow a new master row by themselves; the same row
    // rewritten needs them read again.
    if (before == scenarioNo)
        for (TVxTable* detail :
             {&Data->ReedJob, &Data->WeaveJob, &Data->WeaveItem, &Data->DowntimeJob})
            detail->Refresh();
}

void TMainForm::ShowScenarioCaption(const QString& descr) {
    setWindowTitle(kCaption + QStringLiteral(" - ") + descr);
}

void TMainForm::SaveButtonClick() {
    SaveScenario();
}

bool TMainForm::SaveScenario() {
    try {
        return saveScenario();
    } catch (const EVxDbError& e) {
        VxDialogs::error(this, ScenarioSaveFailure(e), e.details());
    } catch (const EVxAbort&) {
        ShowStatus(QStringLiteral("Saving was cancelled: nothing was saved, the board is kept"));
    } catch (const EVxError& e) {
        VxDialogs::error(this, e.message(), e.details());
    }
    return false;
}

bool TMainForm::saveScenario() {
    const std::unique_ptr<TThreadedScenarioStore> store = ScenarioStore();
    std::unique_ptr<TSaveForm> ownForm;
    TSaveForm* form = SaveForm;
    if (!form) {
        ownForm = std::make_unique<TSaveForm>(this);
        form = ownForm.get();
    }
    form->Prepare(store.get(), VxNextAfter(store->MaxScenarioNo()));
    const int choice = VxDialogs::exec(form);
    // The dialog may have renamed or deleted stored scenarios.
    Data->WithRevival([this] {
        if (Data->Scenario.Active()) Data->Scenario.Refresh();
    });
    if (choice != TSaveForm::SaveNew && choice != TSaveForm::SaveOverwrite) return false;
    int number = form->ScenarioNo();
    const QString descr = form->Descr();
    TScenarioSaveMode mode =
        choice == TSaveForm::SaveNew ? TScenarioSaveMode::New : TScenarioSaveMode::Overwrite;
    std::optional<TScenarioStamp> known;
    if (m_boardStamp && m_boardStamp->ScenarioNo == number) known = m_boardStamp;
    const TVxPlan plan = CurrentPlan();
    for (;;) {
        try {
            TLoomProgress progress(this, QStringLiteral("Saving"), ScheduleBox, true);
            store->Poll = [&progress] { progress.Poll(); };
            m_boardStamp = store->Save(
                number, descr, plan, mode,
                [&progress](int index, int, int scheduleNo) { progress.Step(index, scheduleNo); },
                known);
            break;
        } catch (const EScenarioConflict& conflict) {
            const auto answer = VxDialogs::choose(
                this,
                conflict.message() + QStringLiteral(".\n\nOverwrite it with this board, save this "
                                                    "board as a new scenario, or cancel?"),
                {QStringLiteral("&Overwrite"), QStringLiteral("Save as &New"),
                 QStringLiteral("Cancel")},
                QMessageBox::Cancel);
            if (answer == QMessageBox::Cancel) return false;
            known.reset();
            if (answer == QMessageBox::No) {
                number = VxNextAfter(store->MaxScenarioNo());
                VxRequireNextNumber(number, QStringLiteral("scenario"));
                mode = TScenarioSaveMode::New;
            }
        }
    }
    Data->WithRevival([this, number] { SelectScenario(number); });
    ReqmtsButton->setEnabled(true);
    OutputButton->setEnabled(true);
    ShowScenarioCaption(descr);
    History->SetClean();
    Modified = false;
    if (store->Reconnected())
        VxDialogs::information(this, QStringLiteral("The connection to the database server had "
                                                    "broken (the server may have restarted). It "
                                                    "was opened again, and scenario %1 is saved.")
                                         .arg(number));
    return true;
}

void TMainForm::LoadButtonClick() {
    try {
        loadScenario();
    } catch (const EVxDbError& e) {
        VxDialogs::error(this, ScenarioLoadFailure(e), e.details());
    }
}

void TMainForm::loadScenario() {
    if (Modified) {
        const auto answer = VxDialogs::confirm(
            this, QStringLiteral("Do you want to first save the current scenario?"),
            VxButtons::YesNoCancel);
        if (answer == QMessageBox::Cancel) return;
        // Unsaved work is only given up when the planner says so: a save that
        // fails or is cancelled keeps the board.
        if (answer == QMessageBox::Yes && !SaveScenario()) return;
    }
    const std::unique_ptr<TThreadedScenarioStore> store = ScenarioStore();
    std::unique_ptr<TLoadForm> ownForm;
    TLoadForm* form = LoadForm;
    if (!form) {
        ownForm = std::make_unique<TLoadForm>(this);
        form = ownForm.get();
    }
    form->Prepare(store->List(), CurrentScenarioNo());
    if (VxDialogs::exec(form) != QDialog::Accepted) return;
    const std::optional<TScenarioInfo> chosen = form->Selected();
    if (!chosen) return;

    QVector<int> looms;
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i)
        looms << ScheduleBox->Schedules(i)->ScheduleNo;
    // Read whole before the board changes: a failed read leaves it as it was.
    TScenarioStamp stamp;
    TVxPlan plan;
    {
        TLoomProgress progress(this, QStringLiteral("Loading"), ScheduleBox, true);
        store->Poll = [&progress] { progress.Poll(); };
        plan = store->Load(chosen->ScenarioNo, looms, &stamp);
        store->Poll = nullptr;
    }
    Data->WithRevival([this, &chosen] { SelectScenario(chosen->ScenarioNo); });
    ShowScenarioCaption(chosen->Descr);
    ShowStoredPlan(plan);
    for (QToolButton* button : {SaveButton, ClearButton, PrintButton, ReqmtsButton, OutputButton})
        button->setEnabled(true);
    // A loaded scenario starts a history of its own.
    History->Reset();
    Modified = false;
    m_boardStamp = stamp;
}

void TMainForm::ShowStoredPlan(const TVxPlan& plan) {
    {
        TVxFlagGuard bulk(BulkUpdate);
        TLoomProgress progress(this, QStringLiteral("Loading"), ScheduleBox);
        // The board repaints once, when the last loom is in place.
        ScheduleBox->setUpdatesEnabled(false);
        struct TRepaint {
            QWidget* box;
            ~TRepaint() { box->setUpdatesEnabled(true); }
        } repaint{ScheduleBox};
        const int count = std::min(int(plan.Looms.size()), ScheduleBox->ScheduleCount());
        for (int i = 0; i < count; ++i) {
            progress.Step(i, plan.Looms[i].ScheduleNo);
            ShowLoomPlan(ScheduleBox->Schedules(i), plan.Looms[i]);
        }
    }
    NextJobNo = plan.NextJobNo;
    NextItemNo = plan.NextItemNo;
}

void TMainForm::ClearButtonClick() {
    if (VxDialogs::confirmDiscard(this, QStringLiteral("Clear all jobs?")) != QMessageBox::Yes)
        return;
    {
        // The planner asked once for the whole board: no question per job,
        // no re-dating while the looms empty.
        TVxFlagGuard bulk(BulkUpdate);
        for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i) {
            TVxJobSchedule* loom = ScheduleBox->Schedules(i);
            loom->ClearJobs(true);
            loom->SetFooter(QString());
        }
    }
    setWindowTitle(kCaption);
    for (QToolButton* button : {SaveButton, ClearButton, PrintButton, ReqmtsButton, OutputButton})
        button->setEnabled(false);
    Modified = false;
    NextJobNo = 1;
    NextItemNo = 1;
    // One step, and the empty board is the clean point.
    History->Commit(QStringLiteral("Clear all jobs"));
    History->SetClean();
}

namespace {
const QString kMainCaption = QStringLiteral("Demo: Plexiweave Scheduler");
} // namespace

QString TMainForm::ScenarioDescription() const {
    // The caption names the scenario after a load or a save.
    const QString prefix = kMainCaption + QStringLiteral(" - ");
    const QString caption = windowTitle();
    return caption.startsWith(prefix) ? caption.mid(prefix.size()) : QString();
}

TVxJobTextSource PlanJobTexts(const TVxWeaveContext& context) {
    return [context](const TVxPlanJob& job) {
        TVxJobTexts texts;
        texts.UpperCaption = PlanJobCaption(job);
        texts.StatusText = PlanJobStatusText(job, context);
        for (const TVxPlanItem& item : job.Items)
            texts.ItemCaptions << PlanItemCaption(item);
        return texts;
    };
}

TVxPrintLines TMainForm::ScheduleLines(const TVxJobSchedule* Schedule) const {
    return VxScheduleLines(LoomPlan(Schedule), PlanJobTexts(WeaveContext()));
}

void TMainForm::PrintButtonClick() {
    if (!PrintForm) return;
    TVxPrintJob job;
    job.Title = PrintForm->windowTitle();
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i) {
        const TVxJobSchedule* schedule = ScheduleBox->Schedules(i);
        job.AddColumn(schedule->Header(), ScheduleLines(schedule));
    }
    PrintForm->Execute(job, ScenarioDescription() + QStringLiteral(".txt"));
}
void TMainForm::ReqmtsButtonClick() {
    OpenReport(ReqmtsForm);
}

void TMainForm::OutputButtonClick() {
    OpenReport(OutputForm);
}

void TMainForm::OpenReport(TReportForm* form) {
    if (!form) return;
    // The reports read the stored scenario, not the board.
    if (Modified) {
        VxDialogs::error(this, QStringLiteral("First save your changes"));
        return;
    }
    const int scenarioNo = CurrentScenarioNo();
    if (scenarioNo == 0) return;
    form->Printer = DataPrinter;
    Data->Revive();
    form->SetDatabase(&Data->SchedDB);
    form->Execute(scenarioNo, Data->Scenario.AsString(QStringLiteral("DESCR")));
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
// Weaving rules handlers

namespace {
const QString kReed = QStringLiteral("Reed");
const QString kDefaultWarpLen = QStringLiteral("2400");
const int kMessageMsec = 2000;
} // namespace

TVxWeaveContext TMainForm::WeaveContext() const {
    TVxWeaveContext context;
    context.WarpInfos = &WarpInfos;
    context.FabricInfos = &FabricInfos;
    context.BulkUpdate = &BulkUpdate;
    return context;
}

TVxWeaveRules TMainForm::Rules() const {
    return TVxWeaveRules(LoomTypes, DowntimeTypes, WeaveContext());
}

TJobForm* TMainForm::RequireJobForm() const {
    if (!JobForm) throw EVxError(QStringLiteral("The job dialog is not available"));
    return JobForm;
}

TItemForm* TMainForm::RequireItemForm() const {
    if (!ItemForm) throw EVxError(QStringLiteral("The fabric dialog is not available"));
    return ItemForm;
}

// ---------------------------------------------------------------------------
// Dates along a loom

TDateTime TMainForm::LoomStartDate(const TVxJobSchedule* Schedule) const {
    if (!LoomStartDates) return 0;
    // "0" (no date yet) or a text that no longer reads as a date starts
    // nothing: the jobs keep their own starts.
    TDateTime date = 0;
    if (!VxTryStrToDate(LoomStartDates->DateOf(Schedule), date)) return 0;
    return date;
}

void TMainForm::SetLoomStartDate(const TVxJobSchedule* Schedule, TDateTime Date) {
    if (!LoomStartDates) return;
    LoomStartDates->SetDateOf(Schedule, Date == 0 ? QStringLiteral("0") : VxDateToStr(Date));
}

void TMainForm::RedateSchedule(TVxJobSchedule* Schedule) {
    if (BulkUpdate || Schedule->JobCount() == 0) return;
    // A drop re-dates every loom; only the ones whose dates moved are news
    // to the undo history.
    std::vector<TDateTime> dates;
    for (int i = 0; i < Schedule->JobCount(); ++i)
        dates.insert(dates.end(),
                     {Schedule->Jobs(i)->StartDate(), Schedule->Jobs(i)->FinishDate()});
    TVxWeaveRules::ChainJobDates(Schedule, LoomStartDate(Schedule));
    for (int i = 0; i < Schedule->JobCount(); ++i)
        if (dates[2 * size_t(i)] != Schedule->Jobs(i)->StartDate() ||
            dates[2 * size_t(i) + 1] != Schedule->Jobs(i)->FinishDate()) {
            History->Touch(Schedule);
            break;
        }
}

void TMainForm::UpdateFooter(TVxJobSchedule* Schedule) {
    ::UpdateFooter(Schedule, WeaveContext());
}

// ---------------------------------------------------------------------------
// The board as a plan

TVxPlan TMainForm::CurrentPlan() const {
    return TBoardPlan::Read(*this);
}

TVxPlanLoom TMainForm::LoomPlan(const TVxJobSchedule* Schedule) const {
    return TBoardPlan::ReadLoom(*this, Schedule);
}

void TMainForm::ShowPlan(const TVxPlan& Plan) {
    TBoardPlan(*this).Show(Plan);
}

void TMainForm::ShowLoomPlan(TVxJobSchedule* Schedule, const TVxPlanLoom& Loom) {
    TBoardPlan(*this).ShowLoom(Schedule, Loom);
}

// ---------------------------------------------------------------------------
// Adding and editing jobs

void TMainForm::DoJobAdd(TVxJobSchedule* Schedule) {
    VxRequireNextNumber(NextJobNo, QStringLiteral("job"));
    TJobForm* form = RequireJobForm();
    const int reedEnds = TVxWeaveRules::ReedEndsOf(Schedule);
    form->setWindowTitle(QStringLiteral("Add Job To ") + Schedule->Header());
    form->EditedJob = nullptr;
    form->Context = WeaveContext();
    form->ClearTypes();
    for (const TVxJobTypeEntry& entry : Rules().OfferedJobTypes(Schedule)) {
        if (entry.IsWarp)
            form->AddWarpType(entry.Text, entry.Fabrics);
        else
            form->AddType(entry.Text);
    }
    form->TypeCombo->setEnabled(true);
    form->LengthEdit->setText(DefaultWarpLen != 0 ? QString::number(DefaultWarpLen)
                                                  : kDefaultWarpLen);
    form->EndsCombo->setEnabled(true);
    form->FirstOnLoom = Schedule->JobCount() == 0;
    // A new job follows the last one; on an empty loom it starts today.
    const TDateTime start =
        form->FirstOnLoom ? VxToday() : Schedule->Jobs(Schedule->JobCount() - 1)->FinishDate();
    form->Calendar->SetSingleDate(false);
    form->Calendar->SetStartDate(start);
    form->Calendar->SetFinishDate(form->FirstOnLoom ? start : start + 2);
    form->ShowLength(false);
    form->ShowEnds(false);
    if (VxDialogs::exec(form) != QDialog::Accepted) return;

    // Read every number before creating anything, so a bad text adds nothing.
    std::unique_ptr<TVxJob> job;
    const QString type = form->SelectedType();
    if (form->SelectedHasFabrics()) {
        const int length = form->Length();
        auto warp = std::make_unique<TVxWeaveJob>();
        warp->JobNo = NextJobNo;
        warp->SetWarpType(WarpTypeOf(type));
        warp->SetWarpCol(WarpColOf(type));
        warp->SetWarpLen(length);
        warp->Tag = reedEnds;
        job = std::move(warp);
    } else if (type == kReed) {
        if (form->EndsCombo->currentIndex() < 0)
            throw EVxError(QStringLiteral("Choose the number of ends for the reed"));
        const int ends = form->Ends();
        auto reed = std::make_unique<TVxReedJob>();
        reed->JobNo = NextJobNo;
        reed->SetTotalEnds(ends);
        reed->SetDentsPerCm(6.5f);
        reed->Tag = ends;
        job = std::move(reed);
    } else {
        auto downtime = std::make_unique<TVxDowntimeJob>();
        downtime->JobNo = NextJobNo;
        downtime->SetDescr(type);
        job = std::move(downtime);
    }
    job->SetStartDate(form->Calendar->StartDate());
    job->SetFinishDate(form->Calendar->FinishDate());
    TVxJob* added = job.release();
    NextJobNo = VxNextAfter(NextJobNo);
    Schedule->InsertJob(added);
    SetJobMenuCaptions(added);
    SaveButton->setEnabled(CanWriteDatabase());
    ClearButton->setEnabled(true);
    PrintButton->setEnabled(true);
}

void TMainForm::DoJobEdit(TVxJobSchedule* Schedule, TVxJob* Job) {
    TJobForm* form = RequireJobForm();
    auto* warp = dynamic_cast<TVxWeaveJob*>(Job);
    auto* reed = dynamic_cast<TVxReedJob*>(Job);
    const int index = Schedule->IndexOfJob(Job);
    const QString kind = JobKindText(Job);
    form->setWindowTitle(QStringLiteral("Edit ") + kind + QStringLiteral(" On ") +
                         Schedule->Header());
    form->EditedJob = Job;
    form->Context = WeaveContext();
    form->ClearTypes();
    form->AddType(kind);
    form->SelectType(0);
    form->TypeCombo->setEnabled(false);
    form->ShowLength(warp != nullptr);
    if (warp) form->LengthEdit->setText(QString::number(warp->WarpLen()));
    form->ShowEnds(reed != nullptr);
    if (reed)
        form->EndsCombo->setCurrentIndex(
            form->EndsCombo->findText(QString::number(reed->TotalEnds())));
    // A reed with jobs below it keeps its ends: they were placed by them.
    form->EndsCombo->setEnabled(index == Schedule->JobCount() - 1);
    form->FirstOnLoom = index == 0;
    form->Calendar->SetSingleDate(reed != nullptr);
    form->Calendar->SetStartDate(Job->StartDate());
    form->Calendar->SetFinishDate(Job->FinishDate());

    if (VxDialogs::exec(form) == QDialog::Accepted) {
        if (warp) {
            warp->SetWarpLen(form->Length());
            UpdateCapacity(warp, WeaveContext());
        }
        if (reed && form->EndsCombo->isEnabled() && form->EndsCombo->currentIndex() >= 0) {
            reed->SetTotalEnds(form->Ends());
            reed->Tag = reed->TotalEnds();
        }
    }
    // The dates chosen in the calendar apply however the dialog closed.
    if (form->FirstOnLoom) {
        Job->SetStartDate(form->Calendar->StartDate());
        SetLoomStartDate(Schedule, Job->StartDate());
    }
    Job->SetFinishDate(form->Calendar->FinishDate());
    RedateSchedule(Schedule);
    UpdateFooter(Schedule);
    UpdateCapacity(Job, WeaveContext());
    UpdateWeaveTime(Job, WeaveContext());
    Modified = true;
}

// ---------------------------------------------------------------------------
// Adding and editing fabric items

void TMainForm::DoItemAdd(TVxJobSchedule* Schedule, TVxJob* Job) {
    VxRequireNextNumber(NextItemNo, QStringLiteral("item"));
    TItemForm* form = RequireItemForm();
    auto* warp = dynamic_cast<TVxWeaveJob*>(Job);
    if (!warp) throw EVxError(QStringLiteral("Fabric can only go on a warp"));
    form->setWindowTitle(QStringLiteral("Add To ") + JobKindText(Job) + QStringLiteral(" On ") +
                         Schedule->Header());
    form->EditedJob = Job;
    form->OldPieces = 0;
    form->Context = WeaveContext();
    const TFabricList* fabrics = Rules().FabricListOf(Schedule, warp->WarpKey());
    if (!fabrics) throw EVxError(QStringLiteral("Unknown warp: ") + warp->WarpKey());
    form->SetFabrics(fabrics->Keys());
    form->PiecesEdit->setText(QStringLiteral("1"));
    if (VxDialogs::exec(form) != QDialog::Accepted) return;

    const QString key = form->SelectedFabric();
    const int pieces = form->Pieces();
    const int itemNo = VxTakeNumber(NextItemNo, QStringLiteral("item"));
    AddWeaveItem(Job, itemNo, FabricStruOf(key), FabricColOf(key), WeftColOf(key), pieces);
    Modified = true;
}

void TMainForm::DoItemEdit(TVxJobSchedule*, TVxJob* Job, TVxJobItem* Item) {
    TItemForm* form = RequireItemForm();
    auto* item = dynamic_cast<TVxWeaveJobItem*>(Item);
    if (!item) throw EVxError(QStringLiteral("Only fabric items can be edited here"));
    form->setWindowTitle(QStringLiteral("Edit ") + item->Caption() + QStringLiteral(" In ") +
                         JobKindText(Job));
    form->EditedJob = Job;
    form->OldPieces = item->Pieces();
    form->Context = WeaveContext();
    form->SetFixedFabric(item->FabricKey());
    form->PiecesEdit->setText(QString::number(item->Pieces()));
    // A cancelled edit changes nothing, so it must not mark the scenario
    // modified through the after-edit event either.
    if (VxDialogs::exec(form) != QDialog::Accepted) VxAbort();

    item->SetPieces(form->Pieces());
    FabricChanged(Job);
}

// ---------------------------------------------------------------------------
// Drag rules

void TMainForm::JobDragOver(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool& Accept) {
    const TVxDragVerdict verdict = Rules().JobDragVerdict(Schedule, Job, Index);
    Accept = verdict.Accept;
    if (verdict.Status)
        ShowStatus(*verdict.Status);
    else if (!Accept && !VxScheduleDragActive())
        // A move made with the keys has no refusing cursor: it is told why.
        ShowStatus(VxAboveOtherReed);
}

bool TMainForm::CheckReed(TVxJobSchedule* Schedule, TVxJob* Job, int Index) {
    auto* warp = dynamic_cast<TVxWeaveJob*>(Job);
    if (!warp) return false;
    const TVxDragVerdict verdict = TVxWeaveRules::ReedVerdict(Schedule, warp, Index);
    if (!verdict.Accept && verdict.Status) ShowStatus(*verdict.Status);
    return verdict.Accept;
}

void TMainForm::ItemDragOver(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int,
                             bool& Accept) {
    const TVxDragVerdict verdict = Rules().ItemDragVerdict(Schedule, Job, Item);
    Accept = verdict.Accept;
    if (verdict.Status) ShowStatus(*verdict.Status);
}

void TMainForm::JobDragDrop(TVxJobSchedule*, TVxJob* Job) {
    History->SetSubject({Job->JobNo, 0});
    if (!BulkUpdate) {
        for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i) {
            RedateSchedule(ScheduleBox->Schedules(i));
            UpdateFooter(ScheduleBox->Schedules(i));
        }
    }
    Modified = true;
}

void TMainForm::ItemDragDrop(TVxJobSchedule*, TVxJob*, TVxJobItem* Item) {
    History->SetSubject({0, Item->ItemNo});
    Modified = true;
}

// ---------------------------------------------------------------------------
// Bookkeeping after changes

void TMainForm::AfterJobAdd(TVxJobSchedule* Schedule, TVxJob* Job) {
    // A job entering a loom took the loom's warp captions.
    SetJobMenuCaptions(Job);
    if (Schedule->JobCount() == 1)
        SetLoomStartDate(Schedule, Job->StartDate());
    else
        RedateSchedule(Schedule);
    UpdateFooter(Schedule);
    UpdateCapacity(Job, WeaveContext());
    UpdateWeaveTime(Job, WeaveContext());
    Modified = true;
    Schedule->ResizeSchedule();
}

void TMainForm::AfterJobEdit(TVxJobSchedule* Schedule, TVxJob* Job) {
    AfterJobAdd(Schedule, Job);
}

void TMainForm::AfterJobRemove(TVxJobSchedule* Schedule) {
    SetLoomStartDate(Schedule, Schedule->JobCount() > 0 ? Schedule->Jobs(0)->StartDate() : 0);
    UpdateFooter(Schedule);
    Modified = true;
}

void TMainForm::BeforeJobFree(TVxJobSchedule* Schedule, TVxJob* Job) {
    if (BulkUpdate) return;
    if (dynamic_cast<TVxReedJob*>(Job) &&
        TVxWeaveRules::ReedHasWarpBelow(Schedule, Schedule->IndexOfJob(Job))) {
        VxDialogs::error(this, QStringLiteral("First delete all the warp jobs on this reed "
                                              "before you can delete it."));
        VxAbort();
    }
    if (VxDialogs::confirmDiscard(this, QStringLiteral("Delete this job?")) != QMessageBox::Yes)
        VxAbort();
}

void TMainForm::AfterJobFree(TVxJobSchedule* Schedule) {
    Modified = true;
    Schedule->ResizeSchedule();
}

void TMainForm::FabricChanged(TVxJob* Job) {
    UpdateCapacity(Job, WeaveContext());
    UpdateWeaveTime(Job, WeaveContext());
    // A warp stretched for its fabric would otherwise overlap the jobs after
    // it, and the footer show a finish the loom no longer keeps, until some
    // later change re-dated the loom.
    if (TVxJobSchedule* loom = Job->Schedule()) {
        RedateSchedule(loom);
        UpdateFooter(loom);
    }
    Modified = true;
}

void TMainForm::AfterItemAdd(TVxJobSchedule*, TVxJob* Job, TVxJobItem*) {
    FabricChanged(Job);
}

void TMainForm::AfterItemEdit(TVxJobSchedule*, TVxJob* Job, TVxJobItem*) {
    UpdateCapacity(Job, WeaveContext());
    Modified = true;
}

void TMainForm::AfterItemFree(TVxJobSchedule*, TVxJob* Job) {
    FabricChanged(Job);
}

void TMainForm::AfterItemRemove(TVxJobSchedule*, TVxJob* Job) {
    FabricChanged(Job);
}

// ---------------------------------------------------------------------------
// Undo and redo

void TMainForm::createUndo() {
    History = new TBoardHistory(*this);
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
    QUndoStack* stack = History->Stack();
    connect(stack, &QUndoStack::indexChanged, this, [this] { followUndoStack(); });
    connect(stack, &QUndoStack::cleanChanged, this, [this] { followUndoStack(); });
    connect(History, &TBoardHistory::Restored, this, [this] { enableBoardButtons(); });
    followUndoStack();
}

void TMainForm::followUndoStack() {
    const QUndoStack* stack = History->Stack();
    UndoButton->setEnabled(stack->canUndo());
    RedoButton->setEnabled(stack->canRedo());
    UndoAction->setEnabled(stack->canUndo());
    RedoAction->setEnabled(stack->canRedo());
    UndoButton->setToolTip(stack->canUndo() ? QStringLiteral("Undo ") + stack->undoText()
                                            : QStringLiteral("Nothing to undo"));
    RedoButton->setToolTip(stack->canRedo() ? QStringLiteral("Redo ") + stack->redoText()
                                            : QStringLiteral("Nothing to redo"));
}

void TMainForm::UndoButtonClick() {
    // A job on its way to a drop must not be taken off the board under the
    // mouse.
    if (VxScheduleDragActive()) return;
    History->Undo();
}

void TMainForm::RedoButtonClick() {
    if (VxScheduleDragActive()) return;
    History->Redo();
}

void TMainForm::enableBoardButtons() {
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i)
        if (ScheduleBox->Schedules(i)->JobCount() > 0) {
            SaveButton->setEnabled(Connected());
            ClearButton->setEnabled(true);
            PrintButton->setEnabled(true);
            return;
        }
}

// ---------------------------------------------------------------------------
// Status messages

void TMainForm::CreateMessageTimer() {
    MsgTimer = new QTimer(this);
    MsgTimer->setInterval(kMessageMsec);
    connect(MsgTimer, &QTimer::timeout, this, [this] { MsgTimerTimer(); });
}

void TMainForm::ShowStatus(const QString& Text) {
    // A drag repeats its refusal on every move; repainting the same text
    // would only cost time.
    if (Status->currentMessage() != Text) Status->showMessage(Text);
    if (Text.isEmpty())
        MsgTimer->stop();
    else
        MsgTimer->start();
}

void TMainForm::MsgTimerTimer() {
    Status->clearMessage();
    MsgTimer->stop();
}

void TMainForm::DoMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    Status->clearMessage();
}

void TMainForm::WatchMouseUps() {
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
    if (!Modified || !Connected()) return;
    CanClose = VxDialogs::message(this, VxMsgKind::Warning,
                                  QStringLiteral("Close without saving your changes?"),
                                  VxButtons::YesNo, QMessageBox::No) == QMessageBox::Yes;
}

void TMainForm::PageControl1Change(int Index) {
    if (auto* page = qobject_cast<QAbstractScrollArea*>(PageControl1->widget(Index)))
        page->verticalScrollBar()->setValue(0);
}
