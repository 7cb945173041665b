// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the two report windows share: a tool bar of combo boxes with
// "&Print" and "E&xit", a read-only grid over the shown query with a totals
// line under it, printing through the main window's data printer, and the
// shown query closed when the window closes.

#include <QDialog>
#include <memory>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class TReportData;
class TSchedDB;
class TVxDBGrid;
class TVxDataPrinter;
class TVxDataSource;
class TVxQuery;

class TReportForm : public QDialog {
    Q_OBJECT
public:
    ~TReportForm() override;

    QPushButton* PrintButton;
    // The shown rows to an .xlsx or .csv file.
    QPushButton* ExportButton;
    QPushButton* ExitButton;
    TVxDBGrid* DBGrid1;
    QLabel* TotalsLabel;

    // The printer the report prints through (the main window's; not owned).
    TVxDataPrinter* Printer = nullptr;

    // The queries run on db from now on (made again for another database).
    void SetDatabase(TSchedDB* db);
    // Shows the report of a stored scenario modally: the caption names the
    // scenario, every query takes its number.
    int Execute(int scenarioNo, const QString& description);

    // The query the grid shows, nullptr when none.
    TVxQuery* ShownQuery() const;
    // The printout's sub-title line.
    virtual QString SubTitle() const = 0;

    virtual void FormShow() = 0;
    virtual void FormClose() = 0;
    void PrintButtonClick();
    void ExportButtonClick();
    void ExitButtonClick();

protected:
    TReportForm(QWidget* parent, const QString& designCaption, const QString& captionPrefix);

    virtual std::unique_ptr<TReportData> makeData(TSchedDB& db) const = 0;
    TReportData* data() const { return m_data.get(); }

    // A drop-down list of items in the tool bar, before the buttons; the
    // change handler runs guarded, so a database error shows in a box.
    QComboBox* addCombo(const QStringList& items, void (TReportForm::*onChange)());
    // Closes the shown query, shows query and opens it (nullptr: nothing).
    void showQuery(TVxQuery* query);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    TVxDataSource* m_source;

private:
    QHBoxLayout* m_toolBar;
    QString m_captionPrefix;
    TSchedDB* m_db = nullptr;
    std::unique_ptr<TReportData> m_data;
};
