// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDBGrid.h"

#include "VxAbort.h"
#include "VxDataSet.h"

#include "VxDialogs.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

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
    if (m_dataSet) {
        const QList<TVxField>& fields = m_dataSet->Fields();
        if (m_columnNames.isEmpty()) {
            for (int i = 0; i < fields.size(); ++i)
                if (fields[i].Visible) m_columns << i;
        } else {
            for (const QString& name : m_columnNames)
                if (const int i = m_dataSet->FieldIndex(name); i >= 0 && fields[i].Visible)
                    m_columns << i;
        }
    }
    m_shownInsertRow = inserting();
    endResetModel();
}

void TVxDataSource::SetColumns(const QStringList& fieldNames) {
    m_columnNames = fieldNames;
    SetDataSet(m_dataSet);
}

bool TVxDataSource::inserting() const {
    return m_dataSet && m_dataSet->State() == TVxDataSetState::Insert;
}

int TVxDataSource::CurrentRow() const {
    if (!m_dataSet) return -1;
    return inserting() ? m_dataSet->RecordCount() : m_dataSet->RecNo();
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
        if (inserting() != m_shownInsertRow) {
            SetDataSet(m_dataSet); // the new row comes or goes
            emit currentRowChanged(CurrentRow());
        } else if (m_dataSet && m_dataSet->RecNo() >= 0 && rowCount() > 0) {
            emit dataChanged(index(m_dataSet->RecNo(), 0),
                             index(m_dataSet->RecNo(), columnCount() - 1));
        }
        if (OnStateChange) OnStateChange(*this);
        return;
    case TVxDataEvent::Scrolled:
        break;
    case TVxDataEvent::Destroyed:
        m_dataSet->RemoveLink(this);
        m_dataSet = nullptr;
        SetDataSet(nullptr);
        return;
    case TVxDataEvent::UpdateRecord:
        emit updateRecord();
        return;
    }
    emit currentRowChanged(CurrentRow());
    if (OnDataChange) OnDataChange(*this);
}

int TVxDataSource::FieldOfColumn(int column) const {
    return column >= 0 && column < m_columns.size() ? m_columns[column] : -1;
}

int TVxDataSource::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dataSet || !m_dataSet->Active()) return 0;
    return m_dataSet->RecordCount() + (m_shownInsertRow ? 1 : 0);
}

int TVxDataSource::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TVxDataSource::data(const QModelIndex& index, int role) const {
    if (!m_dataSet || !index.isValid()) return {};
    const int field = FieldOfColumn(index.column());
    if (role == Qt::DisplayRole) return m_dataSet->DisplayText(index.row(), field);
    if (role == Qt::TextAlignmentRole) {
        // Query columns have no engine type, only the kind their settings give.
        const TVxField& f = m_dataSet->Fields()[field];
        const bool number = f.IsNumeric() || f.DataType == TVxFieldType::Integer ||
                            f.DataType == TVxFieldType::Float;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    // Cells edit as text: numbers in full, dates in the short date format.
    if (role == Qt::EditRole)
        return TVxDataSet::FormatValue(m_dataSet->RowValue(index.row(), field), QString());
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
    // An editor closed without a change leaves the row as it was.
    if (value.typeId() == QMetaType::QString &&
        data(index, Qt::EditRole).toString() == value.toString())
        return true;
    const bool done = VxGuard(nullptr, [&] {
        if (table->State() == TVxDataSetState::Browse) {
            table->MoveTo(index.row());
            table->Edit();
        }
        const QString name = table->Fields()[field].FieldName;
        if (value.typeId() == QMetaType::QString) {
            table->SetAsString(name, value.toString());
        } else {
            table->SetValue(name, value);
        }
    });
    if (done) emit dataChanged(index, index);
    return done;
}

// ---------------------------------------------------------------------------

QString TVxGridDelegate::fieldOf(const QModelIndex& index) const {
    auto* source = qobject_cast<const TVxDataSource*>(index.model());
    if (!source || !source->DataSet()) return {};
    const int field = source->FieldOfColumn(index.column());
    return field < 0 ? QString() : source->DataSet()->Fields()[field].FieldName;
}

QWidget* TVxGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
    const QStringList choices = PickLists.value(fieldOf(index));
    QWidget* editor;
    if (choices.isEmpty()) {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        editor = line;
    } else {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true); // a value outside the list may still be typed
        combo->addItems(choices);
        editor = combo;
    }
    m_editor = editor;
    return editor;
}

void TVxGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void TVxGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        model->setData(index, combo->currentText());
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text());
}

// ---------------------------------------------------------------------------

TVxDBGrid::TVxDBGrid(QWidget* parent) : QTableView(parent), m_delegate(new TVxGridDelegate(this)) {
    setItemDelegate(m_delegate);
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
    connect(source, &TVxDataSource::updateRecord, this, &TVxDBGrid::CommitEdit);
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (currentIndex().isValid()) m_column = currentIndex().column();
    });
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        selectCurrent(m_source->CurrentRow());
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid() || !m_source->DataSet()) return;
                if (m_source->CurrentRow() == current.row()) return;
                // Leaving an edited row posts it; when that is refused the
                // selection goes back to the row, which stays in editing.
                if (!VxGuard(this, [&] { m_source->DataSet()->MoveTo(current.row()); }))
                    selectCurrent(m_source->CurrentRow());
            });
    applyWidths();
    selectCurrent(source->CurrentRow());
}

void TVxDBGrid::SetPickList(const QString& fieldName, const QStringList& items) {
    m_delegate->PickLists[fieldName.toUpper()] = items;
}

QStringList TVxDBGrid::PickList(const QString& fieldName) const {
    return m_delegate->PickLists.value(fieldName.toUpper());
}

void TVxDBGrid::CommitEdit() {
    QWidget* editor = m_delegate->OpenEditor();
    if (!editor || state() != QAbstractItemView::EditingState) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QString TVxDBGrid::DeleteQuestion() {
    return tr("Delete record?");
}

void TVxDBGrid::keyPressEvent(QKeyEvent* event) {
    if (m_source && !m_source->ReadOnly && handleEditKey(event)) return;
    QTableView::keyPressEvent(event);
}

bool TVxDBGrid::handleEditKey(QKeyEvent* event) {
    auto* table = dynamic_cast<TVxTable*>(m_source->DataSet());
    if (!table || !table->Active()) return false;
    const bool editing =
        table->State() == TVxDataSetState::Edit || table->State() == TVxDataSetState::Insert;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods != Qt::NoModifier || !currentIndex().isValid()) return false;
        // The key that closes a cell editor reaches the grid too.
        if (!CellEditorOpen()) edit(currentIndex());
        return true;
    case Qt::Key_Escape:
        if (!editing) return false; // a browsing grid leaves Escape to its window
        VxGuard(this, [&] { table->Cancel(); });
        return true;
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier) return false;
        VxGuard(this, [&] { table->Insert(); });
        return true;
    case Qt::Key_Delete:
        if (mods != Qt::ControlModifier) return false;
        VxGuard(this, [&] {
            if (table->RecordCount() == 0 && table->State() != TVxDataSetState::Insert) return;
            if (VxDialogs::confirm(this, DeleteQuestion()) == QMessageBox::Yes) table->Delete();
        });
        return true;
    default:
        return false;
    }
}

void TVxDBGrid::selectCurrent(int row) {
    if (!m_source || m_syncing) return;
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : m_column;
        const QModelIndex index =
            m_source->index(row, qBound(0, column, m_source->columnCount() - 1));
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
        // Without a width of its own a text column is as wide as its size
        // or its title.
        const int chars = f.DisplayWidth > 0 ? f.DisplayWidth
                          : f.Size > 0       ? qMax(f.Size, int(f.DisplayLabel.size()))
                                             : 0;
        if (chars > 0) setColumnWidth(c, chars * charWidth + 8);
    }
}
