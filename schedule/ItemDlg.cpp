// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemDlg.h"

#include "VxAbort.h"
#include "VxDialogs.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kListWidth = 360;
constexpr int kListHeight = 170;
constexpr int kListColumns = 3;

// Entries run down a column and wrap into the next, three columns to the
// list's width, scrolling sideways when there are more.
void LayOutInColumns(QListWidget* list) {
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setFixedSize(kListWidth, kListHeight);
    const int inner = kListWidth - 2 * list->frameWidth();
    list->setGridSize(QSize(inner / kListColumns, list->fontMetrics().height() + 4));
    list->setTextElideMode(Qt::ElideRight);
}
} // namespace

TVxJobItemForm::TVxJobItemForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("VxJobItemForm"));
    Label1 = new QLabel(tr("&Available"), this);
    AvailList = new QListWidget(this);
    OKBtn = new QPushButton(tr("OK"), this);
    CancelBtn = new QPushButton(tr("Cancel"), this);
    Label1->setBuddy(AvailList);
    LayOutInColumns(AvailList);
    OKBtn->setEnabled(false);
    OKBtn->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(AvailList);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    AvailList->viewport()->installEventFilter(this);
    // Keyboard users choose entries without clicking.
    connect(AvailList, &QListWidget::itemSelectionChanged, this, &TVxJobItemForm::AvailListClick);
    connect(OKBtn, &QPushButton::clicked, this, &TVxJobItemForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TVxJobItemForm::Prepare(TVxJobSchedule* schedule, TVxJob* job, TVxJobItem* item,
                             const TVxInitItemDialogEvent& onInit) {
    m_job = job;
    m_item = item;
    OnInit = onInit;
    QStringList entries;
    if (OnInit) OnInit(schedule, job, item, entries);
    const QSignalBlocker block(AvailList);
    AvailList->clear();
    AvailList->addItems(entries);
    AvailList->setSelectionMode(item ? QAbstractItemView::SingleSelection
                                     : QAbstractItemView::ExtendedSelection);
    if (item) SelectCaption(item->Caption());
}

void TVxJobItemForm::SelectCaption(const QString& caption) {
    const auto found = AvailList->findItems(caption, Qt::MatchExactly);
    if (found.isEmpty()) {
        AvailList->addItem(caption);
        AvailList->setCurrentRow(AvailList->count() - 1);
    } else {
        AvailList->setCurrentItem(found.first());
    }
}

bool TVxJobItemForm::OkAllowed() const {
    if (AvailList->count() == 0) return false;
    // Re-captioning needs the entry to take; adding may add nothing.
    return !m_item || !AvailList->selectedItems().isEmpty();
}

void TVxJobItemForm::AvailListClick() {
    OKBtn->setEnabled(OkAllowed());
}

QStringList TVxJobItemForm::SelectedCaptions() const {
    QStringList captions;
    for (int row = 0; row < AvailList->count(); ++row)
        if (AvailList->item(row)->isSelected()) captions << AvailList->item(row)->text();
    return captions;
}

void TVxJobItemForm::OKBtnClick() {
    if (!OkAllowed()) return;
    VxGuard(this, [this] {
        if (m_item) m_item->SetCaption(SelectedCaptions().first());
        accept();
    });
}

void TVxJobItemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

bool TVxJobItemForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == AvailList->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) AvailListClick();
        // The first press of the double click has chosen the entry already.
        else if (event->type() == QEvent::MouseButtonDblClick &&
                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            OKBtnClick();
    }
    return QDialog::eventFilter(watched, event);
}

bool VxExecuteItemDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                         TVxJob* job, TVxJobItem* item, QStringList& selected) {
    TVxJobItemForm form(owner);
    form.setWindowTitle(caption);
    form.Prepare(schedule, job, item,
                 schedule ? schedule->OnInitItemDialog : TVxInitItemDialogEvent());
    if (VxDialogs::exec(&form) != QDialog::Accepted) return false;
    selected = form.SelectedCaptions();
    return true;
}
