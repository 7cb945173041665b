// SPDX-License-Identifier: GPL-3.0-or-later
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
class QModelIndex;
class QTableView;
class QTreeView;
class TChangeListModel;

class TComparePanel : public QWidget {
    Q_OBJECT
public:
    explicit TComparePanel(QWidget* parent = nullptr);

    QLabel* CaptionLabel;
    // What the marks on the board mean (rich text, set by the owner).
    QLabel* LegendLabel;
    QTabWidget* Pages;
    // The changes under their looms: a loom's row, then a row per change.
    QTreeView* ChangeTree;
    QPushButton* PrintButton;
    QPushButton* CloseButton;

    QSize sizeHint() const override { return QSize(480, 400); }

    // Fills the panel: the caption line, the change list and the summary.
    void Show(const QString& caption, const TVxCompareReport& report);
    // The change a row of the tree stands for (nullptr for a loom's row).
    const TVxChangeRow* ChangeOf(const QModelIndex& index) const;

    // A change chosen in the list; the panel's print and close buttons.
    std::function<void(const TVxChangeRow&)> OnChangeChosen;
    std::function<void()> OnPrint;
    std::function<void()> OnClose;

protected:
    // In a splitter, the panel takes its width from the board when it comes.
    void showEvent(QShowEvent* event) override;

private:
    void fillSummary();
    QTableView* newTableView();

    TChangeListModel* m_changes;
    TVxCompareReport m_report;
    bool m_summaryShown = false;
};
