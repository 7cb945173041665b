// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dataset shown in a grid: the data source is a table model over an open
// dataset, and the grid keeps its selected row and the dataset's current row
// the same (the user's selection moves the dataset; the dataset's moves, such
// as a key lookup, move the selection).

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class TVxDataSet;

class TVxDataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TVxDataSource(TVxDataSet* dataSet = nullptr, QObject* parent = nullptr);
    ~TVxDataSource() override;

    TVxDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TVxDataSet* dataSet);

    // Grids over a read-only source do not edit. Editing a cell puts the
    // row into edit and sets the value as typed (the post converts it);
    // posting is left to the caller.
    bool ReadOnly = true;

    // The fields shown, in this order; empty: every visible field.
    void SetColumns(const QStringList& fieldNames);
    // The grid row of the dataset's current row: while inserting, the new
    // row after the last one.
    int CurrentRow() const;

    // The dataset was opened, closed, or changed between browsing and
    // editing; and: the current row moved or its data changed.
    std::function<void(TVxDataSource&)> OnStateChange;
    std::function<void(TVxDataSource&)> OnDataChange;

    // Index of the dataset field shown in a grid column (visible fields only).
    int FieldOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void currentRowChanged(int row);
    // A post is about to run: an open cell editor writes its text first.
    void updateRecord();

private:
    void changed(int event);
    bool inserting() const;
    TVxDataSet* m_dataSet = nullptr;
    QList<int> m_columns;
    QStringList m_columnNames;
    bool m_shownInsertRow = false;
};

// Edits every cell as text, or with a drop-down of choices where the grid
// has a pick list for the column; remembers its open editor.
class TVxGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QHash<QString, QStringList> PickLists; // by field name
    QWidget* OpenEditor() const { return m_editor; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    QString fieldOf(const QModelIndex& index) const;
    mutable QPointer<QWidget> m_editor;
};

class TVxDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TVxDBGrid(QWidget* parent = nullptr);

    void SetDataSource(TVxDataSource* source);
    TVxDataSource* DataSource() const { return m_source; }

    // Choices offered when a cell of the field is edited (empty: none).
    void SetPickList(const QString& fieldName, const QStringList& items);
    QStringList PickList(const QString& fieldName) const;
    // Writes an open cell editor's text into the row and closes the editor.
    void CommitEdit();
    bool CellEditorOpen() const { return state() == QAbstractItemView::EditingState; }

    // "Delete record?", asked before a row is deleted from a grid or navigator.
    static QString DeleteQuestion();

protected:
    // Editable grids: Enter or F2 edits the cell, Escape cancels the row's
    // edit, Insert adds a row, Ctrl+Delete deletes the row after a question.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectCurrent(int row);
    void applyWidths();
    bool handleEditKey(QKeyEvent* event);

    TVxDataSource* m_source = nullptr;
    TVxGridDelegate* m_delegate;
    int m_column = 0; // the current column, kept across resets
    bool m_syncing = false;
};
