#include "MainUnit.h"

#include "AboutUnit.h"
#include "JobUnit.h"
#include "RefText.h"
#include "VxAbort.h"
#include "VxDate.h"
#include "VxDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
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
    // The columns keep their width when the window grows; the pane takes it.
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    layout->addWidget(Splitter, 1);
    setCentralWidget(central);

    Status = statusBar();
    DatabaseLabel = new QLabel(Status);
    Status->addPermanentWidget(DatabaseLabel);
}

TMainForm::~TMainForm() {
    // Columns first: their jobs belong to the rules' bookkeeping below.
    delete ScheduleBox;
    ScheduleBox = nullptr;
    if (!LoomStartDates) return;
    LoomStartDates.reset();
    DowntimeTypes.Clear();
    LoomTypes.Clear();
    WarpInfos.Clear();
    FabricInfos.Clear();
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
    return false;
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
    if (VxDialogs::exec(modeForm) != QDialog::Accepted) {
        Terminate();
        return;
    }
    DataMode = modeForm->DataMode();
    if (DataMode == TDataMode::Text)
        LoadTextData();
    else
        LoadDatabaseData();
    FinishStartUp();
}

void TMainForm::Terminate() {
    Terminated = true;
    hide();
    // Ends the event loop when it runs; does nothing before it starts.
    QCoreApplication::quit();
}

void TMainForm::LoadTextData() {
    const TRefTextLoader loader(TextFolder, this);
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

void TMainForm::LoadDatabaseData() {
    throw EVxError(QStringLiteral("The database modes are not available in this version. "
                                  "Start the planner again and choose \"Use Text Based Data\"."));
}

void TMainForm::CreateLoomSchedules(const std::vector<TLoomRecord>& looms) {
    for (const TLoomRecord& loom : looms)
        SetupLoomSchedule(loom.Posn, loom.Type, loom.Descr);
}

namespace {
// Forwards a column event to a handler of the main window, keeping in-out
// arguments (Accept) by reference.
template <class... Args> auto Bind(TMainForm* form, void (TMainForm::*handler)(Args...)) {
    return [form, handler](Args... args) { (form->*handler)(args...); };
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

    schedule->OnDoJobAdd = Bind(this, &TMainForm::DoJobAdd);
    schedule->OnDoJobEdit = Bind(this, &TMainForm::DoJobEdit);
    schedule->OnDoItemAdd = Bind(this, &TMainForm::DoItemAdd);
    schedule->OnDoItemEdit = Bind(this, &TMainForm::DoItemEdit);
    schedule->OnJobDragOver = Bind(this, &TMainForm::JobDragOver);
    schedule->OnItemDragOver = Bind(this, &TMainForm::ItemDragOver);
    schedule->OnJobDragDrop = Bind(this, &TMainForm::JobDragDrop);
    schedule->OnItemDragDrop = Bind(this, &TMainForm::ItemDragDrop);
    schedule->OnBeforeJobFree = Bind(this, &TMainForm::BeforeJobFree);
    schedule->OnAfterJobAdd = Bind(this, &TMainForm::AfterJobAdd);
    schedule->OnAfterJobEdit = Bind(this, &TMainForm::AfterJobEdit);
    schedule->OnAfterJobFree = Bind(this, &TMainForm::AfterJobFree);
    schedule->OnAfterJobRemove = Bind(this, &TMainForm::AfterJobRemove);
    schedule->OnAfterItemAdd = Bind(this, &TMainForm::AfterItemAdd);
    schedule->OnAfterItemEdit = Bind(this, &TMainForm::AfterItemEdit);
    schedule->OnAfterItemFree = Bind(this, &TMainForm::AfterItemFree);
    schedule->OnAfterItemRemove = Bind(this, &TMainForm::AfterItemRemove);
    schedule->OnMouseUp = Bind(this, &TMainForm::DoMouseUp);
    return schedule;
}

void TMainForm::FinishStartUp() {
    LoomStartDates = std::make_unique<TLoomStartDates>();
    for (int i = 0; i < ScheduleBox->ScheduleCount(); ++i)
        LoomStartDates->Add(ScheduleBox->Schedules(i));
    NextJobNo = 1;
    NextItemNo = 1;
    const bool scenarioTableOpen = Connected();
    LoadButton->setEnabled(scenarioTableOpen);
    MaintButton->setEnabled(scenarioTableOpen);
    if (ScheduleBox->ScheduleCount() > 0)
        SetScheduleBoxWidth(3 * ScheduleBox->Schedules(0)->width() + 4);
}

void TMainForm::SetScheduleBoxWidth(int width) {
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
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Scenario storage, printing, reports and maintenance

void TMainForm::LoadButtonClick() {}
void TMainForm::SaveButtonClick() {}
void TMainForm::ClearButtonClick() {}
void TMainForm::PrintButtonClick() {}
void TMainForm::ReqmtsButtonClick() {}
void TMainForm::OutputButtonClick() {}
void TMainForm::MaintButtonClick() {}

// ---------------------------------------------------------------------------
// Weaving rules handlers

void TMainForm::DoJobAdd(TVxJobSchedule*) {}
void TMainForm::DoJobEdit(TVxJobSchedule*, TVxJob*) {}
void TMainForm::DoItemAdd(TVxJobSchedule*, TVxJob*) {}
void TMainForm::DoItemEdit(TVxJobSchedule*, TVxJob*, TVxJobItem*) {}
void TMainForm::JobDragOver(TVxJobSchedule*, TVxJob*, int, bool&) {}
void TMainForm::ItemDragOver(TVxJobSchedule*, TVxJob*, TVxJobItem*, int, bool&) {}
void TMainForm::JobDragDrop(TVxJobSchedule*, TVxJob*) {}
void TMainForm::ItemDragDrop(TVxJobSchedule*, TVxJob*, TVxJobItem*) {}
void TMainForm::BeforeJobFree(TVxJobSchedule*, TVxJob*) {}
void TMainForm::AfterJobAdd(TVxJobSchedule*, TVxJob*) {}
void TMainForm::AfterJobEdit(TVxJobSchedule*, TVxJob*) {}
void TMainForm::AfterJobFree(TVxJobSchedule*) {}
void TMainForm::AfterJobRemove(TVxJobSchedule*) {}
void TMainForm::AfterItemAdd(TVxJobSchedule*, TVxJob*, TVxJobItem*) {}
void TMainForm::AfterItemEdit(TVxJobSchedule*, TVxJob*, TVxJobItem*) {}
void TMainForm::AfterItemFree(TVxJobSchedule*, TVxJob*) {}
void TMainForm::AfterItemRemove(TVxJobSchedule*, TVxJob*) {}
void TMainForm::DoMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
// Text mode never asks; the unsaved-changes question belongs here.
void TMainForm::FormCloseQuery(bool&) {}
void TMainForm::PageControl1Change(int) {}
