// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxUpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TVxUpDown::TVxUpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        layout->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { StepUp(); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepDown(); });
}

int TVxUpDown::clamp(int value) const {
    return qBound(Min, value, Max);
}

void TVxUpDown::SetPosition(int position) {
    m_position = clamp(position);
    if (m_associate) m_associate->setText(QString::number(m_position));
}

void TVxUpDown::SetAssociate(QLineEdit* edit) {
    if (m_associate) m_associate->removeEventFilter(this);
    m_associate = edit;
    if (edit) {
        edit->installEventFilter(this);
        setFixedHeight(edit->sizeHint().height());
    }
}

void TVxUpDown::step(int delta) {
    // Start from what the edit shows, so a typed number steps on from there.
    int current = m_position;
    if (m_associate) {
        bool ok = false;
        const int typed = m_associate->text().trimmed().toInt(&ok);
        if (ok) current = clamp(typed);
    }
    long long next = static_cast<long long>(current) + delta;
    if (next > Max)
        next = Wrap ? Min : Max;
    else if (next < Min)
        next = Wrap ? Max : Min;
    SetPosition(static_cast<int>(next));
}

bool TVxUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_associate && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
