// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maintenance window: grids over the five reference tables on the main
// window's connection. Every posted row is a transaction of its own; the
// program reads the tables again only at its next start.

#include <QDialog>
#include <memory>

class QPushButton;
class QTabWidget;
class QWidget;
class TMaintData;
class TSchedDB;
class TVxDBGrid;
class TVxDBNavigator;
class TVxDataSet;
class TVxDataSource;
class TVxTable;

class TMaintForm : public QDialog {
    Q_OBJECT
public:
    explicit TMaintForm(QWidget* parent = nullptr);
    ~TMaintForm() override;

    // The connection whose tables the window edits; call before showing.
    void SetDatabase(TSchedDB* db);
    TMaintData* Data() const { return m_data.get(); }

    // Controls.
    QTabWidget* PageCtrl;
    QWidget* LoomsPage;
    QWidget* WarpsPage;
    QWidget* FabricsPage;
    QWidget* StruLoomPage;
    QWidget* DowntimesPage;
    TVxDBGrid* LoomSpecGrid;
    TVxDBGrid* WarpTypeGrid;
    TVxDBGrid* FabricsGrid;
    TVxDBGrid* FabricStruGrid;
    TVxDBGrid* LoomTypeGrid;
    TVxDBGrid* StruLoomGrid;
    TVxDBGrid* DBGrid4;
    TVxDBNavigator* NavButtons;
    TVxDBNavigator* EditButtons;
    QPushButton* ExitButton;
    QPushButton* AddButton;
    QPushButton* RemoveButton;
    QPushButton* HelpButton;

    TVxDataSource* LoomSpecSource;
    TVxDataSource* WarpTypeSource;
    TVxDataSource* FabricTypeSource;
    TVxDataSource* StruLoomSource;
    TVxDataSource* DowntimeTypeSource;
    TVxDataSource* FabricStruSource;
    TVxDataSource* LoomTypeSource;

    // Handlers.
    void FormShow();
    // False (after "First save or cancel your edits") while the row of the
    // navigated dataset is being edited or inserted.
    bool FormCloseQuery();
    void FormClose();
    bool PageCtrlChanging();
    void PageCtrlChange();
    void DataSourceStateChange();
    void DBGridEnter(TVxDBGrid* grid);
    void StruLoomAfterScroll();
    void QueryAfterScroll();
    void TableBeforeEdit();
    void TableBeforeInsert();
    // Refuses (EVxError) or, after a question answered No, aborts a row
    // the checks object to.
    void TableBeforePost(const TVxTable& table);
    void TableBeforeDelete(const TVxTable& table);
    void TableAfterPost();
    void TableAfterCancel();
    void AddButtonClick();
    void RemoveButtonClick();
    void HelpButtonClick();
    void ExitButtonClick();

    // The data source of each page, in page order.
    TVxDataSource* PageSource(int page) const;
    // Whether the combination grid shows its current row as selected.
    bool StruLoomHighlighted() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createStruLoomPage();
    QWidget* gridPage(TVxDBGrid* grid);
    TVxDBGrid* createGrid(TVxDataSource* source, const QStringList& columns);
    void bindHandlers();
    void refreshStruLoomPage();
    void highlightStruLoom(bool show);
    // The existing keys offered in the key columns of the open page.
    void showPickLists();
    // Moves a query to its first row whose field equals value; without a
    // match it stays after its last row.
    static void searchFromFirst(TVxDataSet& query, const QString& field, const QString& value);

    std::unique_ptr<TMaintData> m_data;
    TSchedDB* m_db = nullptr;
    TVxDataSource* m_pageSource = nullptr; // the data source of the page shown
    TVxDBGrid* m_enteredGrid = nullptr;    // the fabric:loom grid entered last
    int m_page = 0;
    bool m_changingPage = false;
    bool m_changed = false; // a row was stored or deleted since the window opened
};
