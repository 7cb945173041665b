// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

TFindBar::TFindBar(TVxPlanDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    auto* label = new QLabel(tr("Find:"), this);
    FindEdit = new QLineEdit(this);
    FindEdit->setPlaceholderText(tr("job no., warp (A-WHT), fabric (P001) or downtime"));
    FindEdit->setClearButtonEnabled(true);
    FindEdit->setMinimumWidth(160);
    FindEdit->setMaximumWidth(360);
    label->setBuddy(FindEdit);
    CountLabel = new QLabel(this);
    CountLabel->setMinimumWidth(70);
    auto button = [this](QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        return b;
    };
    PreviousButton = button(QStyle::SP_ArrowUp, tr("Previous match (Shift+F3)"));
    NextButton = button(QStyle::SP_ArrowDown, tr("Next match (F3)"));
    CloseButton = button(QStyle::SP_TitleBarCloseButton, tr("Close (Escape)"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(label);
    row->addWidget(FindEdit);
    row->addWidget(PreviousButton);
    row->addWidget(NextButton);
    row->addWidget(CountLabel);
    row->addStretch();
    row->addWidget(CloseButton);
    connect(FindEdit, &QLineEdit::textChanged, this, [this] { search(); });
    connect(FindEdit, &QLineEdit::returnPressed, this, [this] { Next(); });
    connect(PreviousButton, &QToolButton::clicked, this, [this] { Previous(); });
    connect(NextButton, &QToolButton::clicked, this, [this] { Next(); });
    connect(CloseButton, &QToolButton::clicked, this, [this] { Close(); });
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, [this] { planChanged(); });
    hide();
}

void TFindBar::Open() {
    const bool wasOpen = isVisible();
    show();
    FindEdit->setFocus(Qt::ShortcutFocusReason);
    FindEdit->selectAll();
    if (!wasOpen) search();
}

void TFindBar::Close() {
    hide();
    m_hits.clear();
    m_current = -1;
    changed(false);
}

void TFindBar::Next() {
    step(+1);
}

void TFindBar::Previous() {
    step(-1);
}

void TFindBar::step(int by) {
    if (!isVisible()) {
        if (FindEdit->text().isEmpty()) {
            Open();
            return;
        }
        show();
        search();
        return;
    }
    if (m_hits.isEmpty()) return;
    const int count = m_hits.size();
    m_current = m_current < 0 ? (by > 0 ? 0 : count - 1) : (m_current + by + count) % count;
    changed(true);
}

void TFindBar::search() {
    m_hits = TVxPlanFinder(FindEdit->text()).FindIn(m_doc.plan());
    m_current = m_hits.isEmpty() ? -1 : 0;
    changed(true);
}

TFindBar::Identity TFindBar::identity(const TVxFindHit& hit) const {
    const TVxPlanJob& job = m_doc.plan().Looms[hit.Loom].Jobs[hit.Job];
    return {job.JobNo, job.Kind, hit.Item >= 0 ? job.Items[hit.Item].ItemNo : 0};
}

void TFindBar::planChanged() {
    if (!isVisible()) return;
    // The current match stays current when it is still found, wherever it
    // went; otherwise the one now in its place.
    const int old = m_current;
    m_hits = TVxPlanFinder(FindEdit->text()).FindIn(m_doc.plan());
    m_current = m_hits.isEmpty() ? -1 : std::min(std::max(old, 0), int(m_hits.size()) - 1);
    for (int i = 0; i < m_hits.size() && old >= 0; ++i)
        if (identity(m_hits[i]) == m_currentIdentity) m_current = i;
    changed(false);
}

void TFindBar::changed(bool go) {
    if (m_current >= 0) m_currentIdentity = identity(m_hits[m_current]);
    const QString text = FindEdit->text().trimmed();
    if (m_hits.isEmpty())
        CountLabel->setText(text.isEmpty() ? QString() : tr("No match"));
    else
        CountLabel->setText(tr("%1 of %2").arg(m_current + 1).arg(m_hits.size()));
    PreviousButton->setEnabled(m_hits.size() > 1);
    NextButton->setEnabled(m_hits.size() > 1);
    if (OnChange) OnChange(go);
}

void TFindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        Previous();
        return;
    }
    QWidget::keyPressEvent(event);
}
