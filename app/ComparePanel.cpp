#include "ComparePanel.h"

#include "VxAbort.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const int kRowRole = Qt::UserRole + 1;
}

TComparePanel::TComparePanel(QWidget* parent) : QWidget(parent) {
    CaptionLabel = new QLabel(this);
    CaptionLabel->setWordWrap(true);
    Pages = new QTabWidget(this);
    Pages->setUsesScrollButtons(true);
    ChangeTree = new QTreeWidget(Pages);
    ChangeTree->setHeaderLabels({QStringLiteral("Job"), QStringLiteral("Item"),
                                 QStringLiteral("Change"), QStringLiteral("Was"),
                                 QStringLiteral("Now"), QStringLiteral("Matched by")});
    ChangeTree->setUniformRowHeights(true);
    ChangeTree->setAlternatingRowColors(true);
    Pages->addTab(ChangeTree, QStringLiteral("Changes"));
    PrintButton = new QPushButton(QStringLiteral("&Print..."), this);
    CloseButton = new QPushButton(QStringLiteral("C&lose"), this);
    PrintButton->setToolTip(QStringLiteral("Print or export the changes and the output"));
    CloseButton->setToolTip(QStringLiteral("Leave the comparison"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PrintButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(CaptionLabel);
    layout->addWidget(Pages, 1);
    layout->addLayout(buttons);

    connect(ChangeTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const TVxChangeRow* row = ChangeOf(item);
        if (row && OnChangeChosen) VxGuard(this, [&] { OnChangeChosen(*row); });
    });
    connect(PrintButton, &QPushButton::clicked, this, [this] {
        if (OnPrint) VxGuard(this, OnPrint);
    });
    connect(CloseButton, &QPushButton::clicked, this, [this] {
        if (OnClose) VxGuard(this, OnClose);
    });
}

void TComparePanel::Show(const QString& caption, const TVxCompareReport& report) {
    CaptionLabel->setText(caption);
    fillChanges(report.Changes);
    fillSummary(report);
}

const TVxChangeRow* TComparePanel::ChangeOf(const QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const QVariant row = item->data(0, kRowRole);
    return row.isValid() ? &m_rows[row.toInt()] : nullptr;
}

void TComparePanel::fillChanges(const QVector<TVxChangeRow>& rows) {
    m_rows = rows;
    ChangeTree->clear();
    // The cells as the printout has them: a job named once for its rows.
    const TVxPrintTable table = VxChangeTable(rows, true);
    QList<QTreeWidgetItem*> looms;
    for (int r = 0; r < rows.size(); ++r) {
        if (looms.isEmpty() || rows[r].Loom != rows[r - 1].Loom) {
            looms << new QTreeWidgetItem(QStringList{rows[r].LoomName});
            QFont bold = looms.last()->font(0);
            bold.setBold(true);
            looms.last()->setFont(0, bold);
        }
        auto* item = new QTreeWidgetItem(looms.last(), table.Rows[r].mid(1));
        item->setData(0, kRowRole, r);
        for (int c = 0; c < 6; ++c)
            item->setToolTip(c, table.Rows[r].value(c + 1));
    }
    ChangeTree->addTopLevelItems(looms);
    for (QTreeWidgetItem* loom : looms)
        loom->setFirstColumnSpanned(true);
    ChangeTree->expandAll();
    for (int c = 0; c < ChangeTree->columnCount(); ++c)
        ChangeTree->resizeColumnToContents(c);
    if (rows.isEmpty())
        ChangeTree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("No changes")}));
}

void TComparePanel::fillSummary(const TVxCompareReport& report) {
    while (Pages->count() > 1) {
        QWidget* page = Pages->widget(1);
        Pages->removeTab(1);
        delete page;
    }
    for (const TVxSummaryTable& summary : report.Summary)
        Pages->addTab(tableOf(VxSummaryPrintTable(summary, report.BeforeName, report.AfterName)),
                      summary.Title);
}

QTableWidget* TComparePanel::tableOf(const TVxPrintTable& table) {
    auto* grid = new QTableWidget(int(table.Rows.size()), int(table.Headings.size()), Pages);
    grid->setHorizontalHeaderLabels(table.Headings);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->setAlternatingRowColors(true);
    for (int r = 0; r < table.Rows.size(); ++r)
        for (int c = 0; c < table.Headings.size(); ++c) {
            auto* cell = new QTableWidgetItem(table.Rows[r].value(c));
            if (table.RightAligned.contains(c))
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(r, c, cell);
        }
    grid->resizeColumnsToContents();
    return grid;
}
