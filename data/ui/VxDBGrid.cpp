#include "VxDBGrid.h"

#include "VxAbort.h"
#include "VxDataSet.h"

#include <QHeaderView>

TVxDataSource::TVxDataSource(TVxDataSet* dataSet, QObject* parent) : QAbstractTableModel(parent) {
    SetDataSet(dataSet);
}

TVxDataSource::~TVxDataSource() {
    if (m_dataSet) m_dataSet->RemoveLink(this);
}

void TVxDataSource::SetDataSet(TVxDataSet* dataSet) {
    beginResetModel();
    if (m_dataSet) m_dataSet->RemoveLink(this);
    m_dataSet = dataSet;
    if (m_dataSet) m_dataSet->AddLink(this, [this](TVxDataEvent event) { changed(int(event)); });
    m_columns.clear();
    if (m_dataSet)
        for (int i = 0; i < m_dataSet->Fields().size(); ++i)
            if (m_dataSet->Fields()[i].Visible) m_columns << i;
    endResetModel();
}

void TVxDataSource::changed(int eventCode) {
    switch (TVxDataEvent(eventCode)) {
    case TVxDataEvent::Opened:
    case TVxDataEvent::Closed:
    case TVxDataEvent::DataChanged:
        SetDataSet(m_dataSet); // rows and columns may both have changed
        if (TVxDataEvent(eventCode) != TVxDataEvent::DataChanged && OnStateChange)
            OnStateChange(*this);
        break;
    case TVxDataEvent::StateChanged:
        if (OnStateChange) OnStateChange(*this);
        return;
    case TVxDataEvent::Scrolled:
        break;
    }
    emit currentRowChanged(m_dataSet ? m_dataSet->RecNo() : -1);
    if (OnDataChange) OnDataChange(*this);
}

int TVxDataSource::FieldOfColumn(int column) const {
    return column >= 0 && column < m_columns.size() ? m_columns[column] : -1;
}

int TVxDataSource::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dataSet || !m_dataSet->Active()) return 0;
    return m_dataSet->RecordCount();
}

int TVxDataSource::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TVxDataSource::data(const QModelIndex& index, int role) const {
    if (!m_dataSet || !index.isValid()) return {};
    const int field = FieldOfColumn(index.column());
    if (role == Qt::DisplayRole) return m_dataSet->DisplayText(index.row(), field);
    if (role == Qt::EditRole) return m_dataSet->RowValue(index.row(), field);
    return {};
}

QVariant TVxDataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !m_dataSet) return {};
    if (orientation == Qt::Vertical) return {};
    const int field = FieldOfColumn(section);
    return field < 0 ? QVariant() : QVariant(m_dataSet->Fields()[field].DisplayLabel);
}

Qt::ItemFlags TVxDataSource::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const int field = FieldOfColumn(index.column());
    if (!ReadOnly && field >= 0 && !m_dataSet->Fields()[field].Calculated &&
        dynamic_cast<TVxTable*>(m_dataSet))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TVxDataSource::setData(const QModelIndex& index, const QVariant& value, int role) {
    auto* table = dynamic_cast<TVxTable*>(m_dataSet);
    if (role != Qt::EditRole || !table || ReadOnly) return false;
    const int field = FieldOfColumn(index.column());
    if (field < 0) return false;
    const bool done = VxGuard(nullptr, [&] {
        if (table->State() == TVxDataSetState::Browse) {
            table->MoveTo(index.row());
            table->Edit();
        }
        const QString name = table->Fields()[field].FieldName;
        if (value.typeId() == QMetaType::QString)
            table->SetAsString(name, value.toString());
        else
            table->SetValue(name, value);
    });
    if (done) emit dataChanged(index, index);
    return done;
}

// ---------------------------------------------------------------------------

TVxDBGrid::TVxDBGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void TVxDBGrid::SetDataSource(TVxDataSource* source) {
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    setModel(source);
    if (!source) return;
    setEditTriggers(source->ReadOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    connect(source, &TVxDataSource::currentRowChanged, this, &TVxDBGrid::selectCurrent);
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        if (m_source->DataSet()) selectCurrent(m_source->DataSet()->RecNo());
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid() || !m_source->DataSet()) return;
                if (m_source->DataSet()->RecNo() == current.row()) return;
                VxGuard(this, [&] { m_source->DataSet()->MoveTo(current.row()); });
            });
    applyWidths();
    if (source->DataSet()) selectCurrent(source->DataSet()->RecNo());
}

void TVxDBGrid::selectCurrent(int row) {
    if (!m_source || m_syncing) return;
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const QModelIndex index = m_source->index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_syncing = false;
}

void TVxDBGrid::applyWidths() {
    if (!m_source || !m_source->DataSet()) return;
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_source->columnCount(); ++c) {
        const TVxField& f = m_source->DataSet()->Fields()[m_source->FieldOfColumn(c)];
        if (f.DisplayWidth > 0) setColumnWidth(c, f.DisplayWidth * charWidth + 8);
    }
}
