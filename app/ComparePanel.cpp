// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparePanel.h"

#include "VxAbort.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

// The change rows, each loom's under a row of its name, read as they are
// shown: a list of thousands of changes builds no item per row. The list is
// flat, so showing it lays out no tree.
class TChangeListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(const QVector<TVxChangeRow>& rows) {
        beginResetModel();
        m_rows = rows;
        m_lines.clear();
        for (int r = 0; r < m_rows.size(); ++r) {
            if (r == 0 || m_rows[r].Loom != m_rows[r - 1].Loom) m_lines << -1 - r;
            m_lines << r;
        }
        endResetModel();
    }
    // The change row of a line, -1 for a loom's line.
    int RowOf(const QModelIndex& index) const {
        return index.isValid() ? std::max(-1, m_lines[index.row()]) : -1;
    }
    bool IsLoom(int line) const { return m_lines[line] < 0; }
    const TVxChangeRow& Row(int row) const { return m_rows[row]; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_lines.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(headings().size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return headings().value(section);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const int line = m_lines[index.row()];
        if (line < 0) {
            if (role == Qt::DisplayRole && index.column() == 0) return m_rows[-1 - line].LoomName;
            if (role == Qt::FontRole) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        }
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        return cell(m_rows[line], index.column(), line > 0 ? &m_rows[line - 1] : nullptr);
    }

private:
    static QStringList headings() {
        return {TComparePanel::tr("Job"),    TComparePanel::tr("Item"),
                TComparePanel::tr("Change"), TComparePanel::tr("Was"),
                TComparePanel::tr("Now"),    TComparePanel::tr("Matched by")};
    }

    // A job or item named on the row above is not named again, as on paper.
    static QString cell(const TVxChangeRow& row, int column, const TVxChangeRow* above) {
        const bool sameJob = above && above->Loom == row.Loom && above->Job == row.Job;
        switch (column) {
        case 0:
            return sameJob ? QString() : row.JobText;
        case 1:
            return sameJob && above->Item == row.Item ? QString() : row.ItemText;
        case 2:
            return row.Change;
        case 3:
            return row.Was;
        case 4:
            return row.Now;
        default:
            return row.MatchedBy;
        }
    }

    QVector<TVxChangeRow> m_rows;
    QVector<int> m_lines; // a change row, or -1 - the first row of a loom
};

// A table of the summary as the printout has it, shown without an item per
// cell.
class TPrintTableModel : public QAbstractTableModel {
public:
    TPrintTableModel(const TVxPrintTable& table, QObject* parent)
        : QAbstractTableModel(parent), m_table(table) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_table.Rows.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(m_table.Headings.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return m_table.Headings.value(section);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole) return m_table.Rows[index.row()].value(index.column());
        if (role == Qt::TextAlignmentRole && m_table.RightAligned.contains(index.column()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

private:
    TVxPrintTable m_table;
};

TComparePanel::TComparePanel(QWidget* parent) : QWidget(parent) {
    CaptionLabel = new QLabel(this);
    CaptionLabel->setWordWrap(true);
    CaptionLabel->setTextFormat(Qt::PlainText);
    LegendLabel = new QLabel(this);
    LegendLabel->setWordWrap(true);
    LegendLabel->setTextFormat(Qt::RichText);
    Pages = new QTabWidget(this);
    Pages->setUsesScrollButtons(true);
    ChangeTree = new QTreeView(Pages);
    m_changes = new TChangeListModel(ChangeTree);
    ChangeTree->setModel(m_changes);
    ChangeTree->setUniformRowHeights(true);
    ChangeTree->setRootIsDecorated(false);
    // Column widths from the first rows: a long list is not measured whole.
    ChangeTree->header()->setResizeContentsPrecision(200);
    ChangeTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ChangeTree->setAlternatingRowColors(true);
    Pages->addTab(ChangeTree, tr("Changes"));
    PrintButton = new QPushButton(tr("&Print..."), this);
    CloseButton = new QPushButton(tr("C&lose"), this);
    PrintButton->setToolTip(tr("Print or export the changes and the output"));
    CloseButton->setToolTip(tr("Leave the comparison"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PrintButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(CaptionLabel);
    layout->addWidget(LegendLabel);
    layout->addWidget(Pages, 1);
    layout->addLayout(buttons);

    // A change chosen by the mouse or walked to with the keys.
    connect(ChangeTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                const TVxChangeRow* row = ChangeOf(index);
                if (row && OnChangeChosen) VxGuard(this, [&] { OnChangeChosen(*row); });
            });
    connect(Pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page > 0 && !m_summaryShown) fillSummary();
    });
    connect(PrintButton, &QPushButton::clicked, this, [this] {
        if (OnPrint) VxGuard(this, OnPrint);
    });
    connect(CloseButton, &QPushButton::clicked, this, [this] {
        if (OnClose) VxGuard(this, OnClose);
    });
}

void TComparePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter || splitter->count() != 2 || splitter->indexOf(this) != 1) return;
    const QList<int> sizes = splitter->sizes();
    const int total = sizes[0] + sizes[1];
    if (sizes[1] >= sizeHint().width() / 2 || total <= 0) return;
    const int mine = std::max(std::min(sizeHint().width(), total), total / 2);
    splitter->setSizes({total - mine, mine});
}

void TComparePanel::Show(const QString& caption, const TVxCompareReport& report) {
    CaptionLabel->setText(caption);
    m_changes->SetRows(report.Changes);
    for (int line = 0; line < m_changes->rowCount({}); ++line)
        if (m_changes->IsLoom(line)) ChangeTree->setFirstColumnSpanned(line, {}, true);
    for (int c = 0; c < m_changes->columnCount({}); ++c)
        ChangeTree->resizeColumnToContents(c);
    // The summary's pages are filled when one of them is shown.
    m_report = report;
    m_summaryShown = false;
    for (int t = Pages->count() - 1; t < report.Summary.size(); ++t)
        Pages->addTab(newTableView(), report.Summary[t].Title);
    if (Pages->currentIndex() > 0) fillSummary();
}

const TVxChangeRow* TComparePanel::ChangeOf(const QModelIndex& index) const {
    const int row = m_changes->RowOf(index);
    return row < 0 ? nullptr : &m_changes->Row(row);
}

void TComparePanel::fillSummary() {
    m_summaryShown = true;
    for (int t = 0; t < m_report.Summary.size() && t + 1 < Pages->count(); ++t) {
        auto* view = static_cast<QTableView*>(Pages->widget(t + 1));
        QAbstractItemModel* old = view->model();
        view->setModel(new TPrintTableModel(
            VxSummaryPrintTable(m_report.Summary[t], m_report.BeforeName, m_report.AfterName),
            view));
        delete old;
        view->resizeColumnsToContents();
    }
}

QTableView* TComparePanel::newTableView() {
    auto* view = new QTableView(Pages);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setResizeContentsPrecision(200);
    return view;
}
