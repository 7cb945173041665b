#pragma once
// The panel beside the board while it is compared with a stored scenario:
// what it is compared with, the changes grouped by loom, and the output of
// both side by side (looms, fabrics, warps), with "&Print..." and "&Close".
// It only shows what it is given; the compare mode decides the rest.

#include "VxComparePrn.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TComparePanel : public QWidget {
    Q_OBJECT
public:
    explicit TComparePanel(QWidget* parent = nullptr);

    QLabel* CaptionLabel;
    QTabWidget* Pages;
    QTreeWidget* ChangeTree;
    QPushButton* PrintButton;
    QPushButton* CloseButton;

    QSize sizeHint() const override { return QSize(480, 400); }

    // Fills the panel: the caption line, the change list and the summary.
    void Show(const QString& caption, const TVxCompareReport& report);
    // The change a row of the tree stands for (nullptr for a loom's row).
    const TVxChangeRow* ChangeOf(const QTreeWidgetItem* item) const;

    // A change chosen in the list; the panel's print and close buttons.
    std::function<void(const TVxChangeRow&)> OnChangeChosen;
    std::function<void()> OnPrint;
    std::function<void()> OnClose;

private:
    void fillChanges(const QVector<TVxChangeRow>& rows);
    void fillSummary(const TVxCompareReport& report);
    QTableWidget* tableOf(const TVxPrintTable& table);

    QVector<TVxChangeRow> m_rows;
};
