#pragma once
// A dataset shown in a grid: the data source is a table model over an open
// dataset, and the grid keeps its selected row and the dataset's current row
// the same (the user's selection moves the dataset; the dataset's moves, such
// as a key lookup, move the selection).

#include <QAbstractTableModel>
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
    // row into edit and sets the value; posting is left to the caller.
    bool ReadOnly = true;

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

private:
    void changed(int event);
    TVxDataSet* m_dataSet = nullptr;
    QList<int> m_columns;
};

class TVxDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TVxDBGrid(QWidget* parent = nullptr);

    void SetDataSource(TVxDataSource* source);
    TVxDataSource* DataSource() const { return m_source; }

private:
    void selectCurrent(int row);
    void applyWidths();

    TVxDataSource* m_source = nullptr;
    bool m_syncing = false;
};
