// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaintForm.h"

#include "MaintData.h"
#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDBNav.h"
#include "VxDialogs.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TMaintForm::TMaintForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Data Maintenance"));
    resize(780, 440);

    auto source = [this](bool editable) {
        auto* s = new TVxDataSource(nullptr, this);
        s->ReadOnly = !editable;
        return s;
    };
    LoomSpecSource = source(true);
    WarpTypeSource = source(true);
    FabricTypeSource = source(true);
    StruLoomSource = source(false);
    DowntimeTypeSource = source(true);
    FabricStruSource = source(false);
    LoomTypeSource = source(false);

    LoomSpecGrid = createGrid(LoomSpecSource, {"REF", "POSN", "TYPE", "DESCR"});
    WarpTypeGrid = createGrid(WarpTypeSource, {"WARPTYPE", "TOTALENDS", "DENTSPERCM", "AVEHRS",
                                               "GREIGELENPERCENT", "WARPLEN", "WARPWGT"});
    FabricsGrid = createGrid(FabricTypeSource, {"FABRICSTRU", "FABRICCOL", "WARPTYPE", "WARPCOL",
                                                "WEFTSTRU", "WEFTTWIST", "WEFTCOL", "PIECELEN",
                                                "WARPPCEWGT", "WEFTPCEWGT", "HRSPERPIECE"});
    FabricStruGrid = createGrid(FabricStruSource, {"FABRICSTRU"});
    LoomTypeGrid = createGrid(LoomTypeSource, {"TYPE"});
    StruLoomGrid = createGrid(StruLoomSource, {"FABRICSTRU", "LOOMTYPE"});
    DBGrid4 = createGrid(DowntimeTypeSource, {"DESCR"});

    PageCtrl = new QTabWidget(this);
    PageCtrl->addTab(LoomsPage = gridPage(LoomSpecGrid), tr("Looms"));
    PageCtrl->addTab(WarpsPage = gridPage(WarpTypeGrid), tr("Warps"));
    PageCtrl->addTab(FabricsPage = gridPage(FabricsGrid), tr("Fabrics"));
    PageCtrl->addTab(StruLoomPage = createStruLoomPage(), tr("Fa&bric:Loom"));
    PageCtrl->addTab(DowntimesPage = gridPage(DBGrid4), tr("Downtimes"));

    NavButtons = new TVxDBNavigator(
        {TVxNavButton::First, TVxNavButton::Prior, TVxNavButton::Next, TVxNavButton::Last}, this);
    EditButtons = new TVxDBNavigator({TVxNavButton::Insert, TVxNavButton::Delete,
                                      TVxNavButton::Edit, TVxNavButton::Post, TVxNavButton::Cancel},
                                     this);
    ExitButton = new QPushButton(tr("E&xit"), this);
    ExitButton->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(NavButtons);
    bottom->addSpacing(12);
    bottom->addWidget(EditButtons);
    bottom->addStretch(1);
    bottom->addWidget(ExitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageCtrl, 1);
    layout->addLayout(bottom);

    connect(ExitButton, &QPushButton::clicked, this, [this] { ExitButtonClick(); });
    connect(AddButton, &QPushButton::clicked, this,
            [this] { VxGuard(this, [this] { AddButtonClick(); }); });
    connect(RemoveButton, &QPushButton::clicked, this,
            [this] { VxGuard(this, [this] { RemoveButtonClick(); }); });
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    connect(PageCtrl, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_changingPage || index == m_page) return;
        if (!PageCtrlChanging()) { // the edited page stays
            m_changingPage = true;
            PageCtrl->setCurrentIndex(m_page);
            m_changingPage = false;
            return;
        }
        m_page = index;
        VxGuard(this, [this] { PageCtrlChange(); });
    });
    for (TVxDBGrid* grid : {FabricStruGrid, LoomTypeGrid, StruLoomGrid})
        grid->installEventFilter(this);
    PageCtrl->tabBar()->installEventFilter(this);
}

TMaintForm::~TMaintForm() {
    // The datasets go before the child widgets that link to them.
    NavButtons->SetDataSource(nullptr);
    EditButtons->SetDataSource(nullptr);
    for (TVxDataSource* s : findChildren<TVxDataSource*>())
        s->SetDataSet(nullptr);
}

TVxDBGrid* TMaintForm::createGrid(TVxDataSource* source, const QStringList& columns) {
    auto* grid = new TVxDBGrid(this);
    source->SetColumns(columns);
    grid->SetDataSource(source);
    return grid;
}

QWidget* TMaintForm::gridPage(TVxDBGrid* grid) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid);
    return page;
}

QWidget* TMaintForm::createStruLoomPage() {
    auto* page = new QWidget;
    AddButton = new QPushButton(tr(">>  &Add  >"), page);
    RemoveButton = new QPushButton(tr("&Remove <"), page);
    HelpButton = new QPushButton(tr("&Help"), page);
    for (QPushButton* b : {AddButton, RemoveButton, HelpButton})
        b->setAutoDefault(false);
    AddButton->setEnabled(false);
    RemoveButton->setEnabled(false);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(AddButton);
    buttons->addWidget(RemoveButton);
    buttons->addSpacing(16);
    buttons->addWidget(HelpButton);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(FabricStruGrid, 2);
    layout->addWidget(LoomTypeGrid, 3);
    layout->addLayout(buttons);
    layout->addWidget(StruLoomGrid, 4);
    return page;
}

void TMaintForm::SetDatabase(TSchedDB* db) {
    if (db == m_db && m_data) return;
    NavButtons->SetDataSource(nullptr);
    EditButtons->SetDataSource(nullptr);
    for (TVxDataSource* s : findChildren<TVxDataSource*>())
        s->SetDataSet(nullptr);
    m_pageSource = nullptr;
    m_data.reset();
    m_db = db;
    if (!db) return;
    m_data = std::make_unique<TMaintData>(*db);
    LoomSpecSource->SetDataSet(&m_data->LoomSpec);
    WarpTypeSource->SetDataSet(&m_data->WarpType);
    FabricTypeSource->SetDataSet(&m_data->FabricType);
    StruLoomSource->SetDataSet(&m_data->StruLoom);
    DowntimeTypeSource->SetDataSet(&m_data->DowntimeType);
    FabricStruSource->SetDataSet(&m_data->FabricStruQuery);
    LoomTypeSource->SetDataSet(&m_data->LoomTypeQuery);
    bindHandlers();
}

void TMaintForm::bindHandlers() {
    for (TVxTable* table : m_data->Tables()) {
        table->BeforeEdit = [this](TVxDataSet&) { TableBeforeEdit(); };
        table->BeforeInsert = [this](TVxDataSet&) { TableBeforeInsert(); };
        table->AfterPost = [this](TVxDataSet&) { TableAfterPost(); };
        table->AfterCancel = [this](TVxDataSet&) { TableAfterCancel(); };
        table->BeforePost = [this, table](TVxDataSet&) { TableBeforePost(*table); };
        table->BeforeDelete = [this, table](TVxDataSet&) { TableBeforeDelete(*table); };
        table->AfterDelete = [this](TVxDataSet&) { m_changed = true; };
        // A refused edit, post or delete reaches the user as an error box
        // with the engine's message from the action that ran it.
    }
    m_data->StruLoom.AfterScroll = [this](TVxDataSet&) { StruLoomAfterScroll(); };
    m_data->FabricStruQuery.AfterScroll = [this](TVxDataSet&) { QueryAfterScroll(); };
    m_data->LoomTypeQuery.AfterScroll = [this](TVxDataSet&) { QueryAfterScroll(); };
    for (TVxDataSource* s :
         {LoomSpecSource, WarpTypeSource, FabricTypeSource, StruLoomSource, DowntimeTypeSource})
        s->OnStateChange = [this](TVxDataSource&) { DataSourceStateChange(); };
}

TVxDataSource* TMaintForm::PageSource(int page) const {
    const TVxDataSource* sources[] = {LoomSpecSource, WarpTypeSource, FabricTypeSource,
                                      StruLoomSource, DowntimeTypeSource};
    return page >= 0 && page < 5 ? const_cast<TVxDataSource*>(sources[page]) : nullptr;
}

void TMaintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) VxGuard(this, [this] { FormShow(); });
}

void TMaintForm::FormShow() {
    if (!m_data) throw EVxError(tr("No database is connected"));
    m_changingPage = true;
    PageCtrl->setCurrentIndex(0);
    m_changingPage = false;
    m_page = 0;
    AddButton->setEnabled(false);
    RemoveButton->setEnabled(false);
    m_changed = false;
    PageCtrlChange();
}

static bool editing(const TVxDataSet* ds) {
    return ds && (ds->State() == TVxDataSetState::Edit || ds->State() == TVxDataSetState::Insert);
}

bool TMaintForm::PageCtrlChanging() {
    if (!editing(NavButtons->DataSet())) return true;
    VxDialogs::error(this, tr("First save or cancel your edits"));
    return false;
}

bool TMaintForm::FormCloseQuery() {
    return PageCtrlChanging();
}

void TMaintForm::reject() {
    if (!FormCloseQuery()) return;
    FormClose();
    QDialog::reject();
    // The planner would otherwise look for the new loom on the board.
    if (m_changed)
        VxDialogs::information(parentWidget(), tr("New and changed reference data is used from the "
                                                  "next start"));
}

void TMaintForm::FormClose() {
    if (m_data) m_data->CloseAll();
    m_enteredGrid = nullptr;
}

void TMaintForm::ExitButtonClick() {
    close();
}

void TMaintForm::PageCtrlChange() {
    TVxDataSource* source = PageSource(PageCtrl->currentIndex());
    // Only the shown page's table stays open (the fabric:loom page also has
    // its two queries), whichever grid the navigator followed last.
    if (TVxDataSet* navigated = NavButtons->DataSet()) navigated->Close();
    if (m_pageSource && m_pageSource != source) m_pageSource->DataSet()->Close();
    m_pageSource = source;
    m_enteredGrid = nullptr;
    NavButtons->SetDataSource(source);
    const bool editable = source != StruLoomSource;
    EditButtons->SetDataSource(editable ? source : nullptr);
    EditButtons->setVisible(editable);
    source->DataSet()->Open();
    for (TVxDataSet* query : {static_cast<TVxDataSet*>(&m_data->FabricStruQuery),
                              static_cast<TVxDataSet*>(&m_data->LoomTypeQuery)}) {
        if (m_data->StruLoom.Active())
            query->Open();
        else
            query->Close();
    }
    showPickLists();
    DataSourceStateChange();
}

void TMaintForm::showPickLists() {
    // Read at each page change, so a key added on another page is offered.
    for (TVxDBGrid* grid : {LoomSpecGrid, FabricsGrid}) {
        auto* table = static_cast<TVxTable*>(grid->DataSource()->DataSet());
        if (!table->Active()) continue;
        for (const TVxField& field : table->Fields())
            grid->SetPickList(field.FieldName,
                              m_data->Checks.Choices(table->TableName(), field.FieldName));
    }
}

void TMaintForm::DataSourceStateChange() {
    const TVxDataSet* ds = NavButtons->DataSet();
    ExitButton->setEnabled(ds && ds->State() == TVxDataSetState::Browse);
}

void TMaintForm::TableBeforeEdit() {
    m_data->SchedDB.StartTransaction();
}

void TMaintForm::TableBeforeInsert() {
    m_data->SchedDB.StartTransaction();
}

void TMaintForm::TableBeforePost(const TVxTable& table) {
    const TMaintVerdict verdict = m_data->Checks.BeforePost(table);
    if (!verdict.Refusal.isEmpty()) throw EVxError(verdict.Refusal);
    // A new key is more often a typo than meant: Enter keeps the row open.
    for (const QString& question : verdict.Questions)
        if (VxDialogs::message(this, VxMsgKind::Confirmation, question, VxButtons::YesNo,
                               QMessageBox::No) != QMessageBox::Yes)
            VxAbort();
}

void TMaintForm::TableBeforeDelete(const TVxTable& table) {
    const TMaintVerdict verdict = m_data->Checks.BeforeDelete(table);
    if (!verdict.Refusal.isEmpty()) throw EVxError(verdict.Refusal);
}

void TMaintForm::TableAfterPost() {
    try {
        m_data->SchedDB.Commit();
    } catch (...) {
        m_data->SchedDB.Rollback(); // a failed commit leaves no transaction behind
        throw;
    }
    m_changed = true;
}

void TMaintForm::TableAfterCancel() {
    m_data->SchedDB.Rollback();
}

bool TMaintForm::eventFilter(QObject* watched, QEvent* event) {
    // A click on another tab is refused before that page shows.
    if (watched == PageCtrl->tabBar() && event->type() == QEvent::MouseButtonPress) {
        const int tab = PageCtrl->tabBar()->tabAt(static_cast<QMouseEvent*>(event)->pos());
        if (tab >= 0 && tab != m_page && !PageCtrlChanging()) return true;
    }
    if (event->type() == QEvent::FocusIn)
        for (TVxDBGrid* grid : {FabricStruGrid, LoomTypeGrid, StruLoomGrid})
            if (watched == grid) VxGuard(this, [this, grid] { DBGridEnter(grid); });
    return QDialog::eventFilter(watched, event);
}

void TMaintForm::DBGridEnter(TVxDBGrid* grid) {
    m_enteredGrid = grid;
    NavButtons->SetDataSource(grid->DataSource());
    if (grid != StruLoomGrid) {
        // Clicking the pair already current moves nothing: judge it now.
        QueryAfterScroll();
        return;
    }
    highlightStruLoom(true);
    StruLoomAfterScroll();
}

void TMaintForm::searchFromFirst(TVxDataSet& query, const QString& field, const QString& value) {
    query.First();
    while (!query.Eof() && query.AsString(field) != value)
        query.Next();
}

void TMaintForm::StruLoomAfterScroll() {
    if (m_enteredGrid != StruLoomGrid) return;
    TVxTable& pairs = m_data->StruLoom;
    if (pairs.RecNo() >= 0) {
        searchFromFirst(m_data->FabricStruQuery, "FABRICSTRU", pairs.AsString("FABRICSTRU"));
        searchFromFirst(m_data->LoomTypeQuery, "TYPE", pairs.AsString("LOOMTYPE"));
    }
    AddButton->setEnabled(false);
    RemoveButton->setEnabled(!pairs.IsEmpty());
}

void TMaintForm::QueryAfterScroll() {
    if (m_enteredGrid != FabricStruGrid && m_enteredGrid != LoomTypeGrid) return;
    TVxDataSet& stru = m_data->FabricStruQuery;
    TVxDataSet& type = m_data->LoomTypeQuery;
    const bool rows = !stru.IsEmpty() && !type.IsEmpty();
    const bool found =
        rows && m_data->StruLoom.FindKey({stru.AsString("FABRICSTRU"), type.AsString("TYPE")});
    AddButton->setEnabled(rows && !found);
    highlightStruLoom(!AddButton->isEnabled());
    RemoveButton->setEnabled(!AddButton->isEnabled());
}

void TMaintForm::highlightStruLoom(bool show) {
    QItemSelectionModel* selection = StruLoomGrid->selectionModel();
    const int row = m_data->StruLoom.RecNo();
    if (show && row >= 0)
        selection->select(StruLoomSource->index(row, 0),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        selection->clearSelection();
}

bool TMaintForm::StruLoomHighlighted() const {
    return StruLoomGrid->selectionModel()->hasSelection();
}

void TMaintForm::AddButtonClick() {
    TVxTable& pairs = m_data->StruLoom;
    pairs.Insert();
    try {
        pairs.SetAsString("FABRICSTRU", m_data->FabricStruQuery.AsString("FABRICSTRU"));
        pairs.SetAsString("LOOMTYPE", m_data->LoomTypeQuery.AsString("TYPE"));
        pairs.Post();
    } catch (...) {
        // This page has no cancel button: a refused pair must not stay
        // half-inserted and lock the window.
        pairs.Cancel();
        throw;
    }
    refreshStruLoomPage();
}

void TMaintForm::RemoveButtonClick() {
    TVxTable& pairs = m_data->StruLoom;
    if (pairs.IsEmpty()) return;
    if (VxDialogs::confirm(this, tr("Delete this fabric:loom combination?")) != QMessageBox::Yes)
        return;
    pairs.Delete();
    refreshStruLoomPage();
}

void TMaintForm::refreshStruLoomPage() {
    StruLoomGrid->setFocus();
    if (m_enteredGrid != StruLoomGrid) DBGridEnter(StruLoomGrid);
    for (TVxDataSet* query : {static_cast<TVxDataSet*>(&m_data->FabricStruQuery),
                              static_cast<TVxDataSet*>(&m_data->LoomTypeQuery)}) {
        query->Close();
        query->Open();
    }
    StruLoomAfterScroll();
}

void TMaintForm::HelpButtonClick() {
    VxDialogs::information(
        this, tr("Specify what fabric structures can go on a loom type by adding the "
                 "combinations.\n"
                 "Note that the add button is only enabled when a combination does "
                 "not already exist (when it is not highlighted).\n"
                 "Tip: To see which fabrics are not defined for a loom type, select "
                 "that loom type and scroll through the available fabric structures."));
}
