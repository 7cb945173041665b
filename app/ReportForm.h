#pragma once
// What the two report windows share: a tool bar of combo boxes with
// "&Print" and "E&xit", a read-only grid over the shown query with a totals
// line under it, printing through the main window's data printer, and the
// shown query closed when the window closes.

#include <QDialog>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class TVxDBGrid;
class TVxDataPrinter;
class TVxDataSource;
class TVxQuery;

class TReportForm : public QDialog {
    Q_OBJECT
public:
    QPushButton* PrintButton;
    QPushButton* ExitButton;
    TVxDBGrid* DBGrid1;
    QLabel* TotalsLabel;

    // The printer the report prints through (the main window's; not owned).
    TVxDataPrinter* Printer = nullptr;

    // The query the grid shows, nullptr when none.
    TVxQuery* ShownQuery() const;
    // The printout's sub-title line.
    virtual QString SubTitle() const = 0;

    void PrintButtonClick();
    void ExitButtonClick();

protected:
    explicit TReportForm(QWidget* parent);

    // A drop-down list of items in the tool bar, before the buttons.
    QComboBox* addCombo(const QStringList& items);
    // Closes the shown query, shows query and opens it (nullptr: nothing).
    void showQuery(TVxQuery* query);
    void updateTotals();
    virtual QString totalsText(const TVxQuery& query) const = 0;
    // Runs the window modally with the caption prefix and the scenario's
    // description.
    int execute(const QString& captionPrefix, const QString& description);

    TVxDataSource* m_source;

private:
    QHBoxLayout* m_toolBar;
};
