// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDBNav.h"

#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDataSet.h"
#include "VxDialogs.h"
#include "VxDrawnIcon.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

TVxDBNavigator::TVxDBNavigator(const QList<TVxNavButton>& buttons, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (TVxNavButton which : buttons) {
        auto* button = new QToolButton(this);
        button->setIcon(Icon(which));
        button->setToolTip(Hint(which));
        button->setFocusPolicy(Qt::NoFocus); // the grid keeps the focus and its editor
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, which] { Click(which); });
        row->addWidget(button);
        m_buttons.append({which, button});
    }
}

TVxDBNavigator::~TVxDBNavigator() {
    unlink();
}

void TVxDBNavigator::unlink() {
    if (m_linked) m_linked->RemoveLink(this);
    m_linked = nullptr;
}

void TVxDBNavigator::SetDataSource(TVxDataSource* source) {
    unlink();
    m_source = source;
    m_linked = DataSet();
    if (m_linked) m_linked->AddLink(this, [this](TVxDataEvent) { updateButtons(); });
    updateButtons();
}

TVxDataSet* TVxDBNavigator::DataSet() const {
    return m_source ? m_source->DataSet() : nullptr;
}

QToolButton* TVxDBNavigator::Button(TVxNavButton which) const {
    for (const auto& [kind, button] : m_buttons)
        if (kind == which) return button;
    return nullptr;
}

void TVxDBNavigator::updateButtons() {
    for (const auto& [kind, button] : m_buttons)
        button->setEnabled(CanAct(kind, DataSet()));
}

bool TVxDBNavigator::CanAct(TVxNavButton which, const TVxDataSet* dataSet) {
    if (!dataSet || !dataSet->Active()) return false;
    const bool editing =
        dataSet->State() == TVxDataSetState::Edit || dataSet->State() == TVxDataSetState::Insert;
    const bool table = dynamic_cast<const TVxTable*>(dataSet) != nullptr;
    const int count = dataSet->RecordCount();
    // While inserting, the new row stands after the last one.
    const int row = dataSet->State() == TVxDataSetState::Insert ? count : dataSet->RecNo();
    switch (which) {
    case TVxNavButton::First:
    case TVxNavButton::Prior:
        return row > 0;
    case TVxNavButton::Next:
    case TVxNavButton::Last:
        return row < count - 1;
    case TVxNavButton::Insert:
        return table;
    case TVxNavButton::Delete:
    case TVxNavButton::Edit:
        return table && !editing && count > 0;
    case TVxNavButton::Post:
    case TVxNavButton::Cancel:
        return table && editing;
    }
    return false;
}

void TVxDBNavigator::Click(TVxNavButton which) {
    VxGuard(window(), [&] {
        TVxDataSet* ds = DataSet();
        if (!CanAct(which, ds)) return;
        auto* table = dynamic_cast<TVxTable*>(ds);
        switch (which) {
        case TVxNavButton::First:
            ds->First();
            break;
        case TVxNavButton::Prior:
            ds->Prior();
            break;
        case TVxNavButton::Next:
            ds->Next();
            break;
        case TVxNavButton::Last:
            ds->Last();
            break;
        case TVxNavButton::Insert:
            table->Insert();
            break;
        case TVxNavButton::Edit:
            table->Edit();
            break;
        case TVxNavButton::Post:
            table->Post();
            break;
        case TVxNavButton::Cancel:
            table->Cancel();
            break;
        case TVxNavButton::Delete:
            if (VxDialogs::confirm(window(), TVxDBGrid::DeleteQuestion()) == QMessageBox::Yes)
                table->Delete();
            break;
        }
    });
    updateButtons();
}

QString TVxDBNavigator::Hint(TVxNavButton which) {
    switch (which) {
    case TVxNavButton::First:
        return tr("First record");
    case TVxNavButton::Prior:
        return tr("Prior record");
    case TVxNavButton::Next:
        return tr("Next record");
    case TVxNavButton::Last:
        return tr("Last record");
    case TVxNavButton::Insert:
        return tr("Insert record");
    case TVxNavButton::Delete:
        return tr("Delete record");
    case TVxNavButton::Edit:
        return tr("Edit record");
    case TVxNavButton::Post:
        return tr("Post edit");
    case TVxNavButton::Cancel:
        return tr("Cancel edit");
    }
    return {};
}

namespace {
// Small drawn glyphs, the same on every platform and style: bars and
// triangles for the moves, plus and minus, a caret, a tick and a cross.
void drawGlyph(QPainter& p, TVxNavButton which) {
    const QColor ink(40, 40, 40);
    auto triangle = [&](double tipX, double baseX) {
        QPainterPath path;
        path.moveTo(tipX, 8);
        path.lineTo(baseX, 3);
        path.lineTo(baseX, 13);
        path.closeSubpath();
        p.fillPath(path, ink);
    };
    auto bar = [&](double x) { p.fillRect(QRectF(x, 3, 2, 10), ink); };
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    switch (which) {
    case TVxNavButton::First:
        bar(3);
        triangle(5, 12);
        break;
    case TVxNavButton::Prior:
        triangle(4, 11);
        break;
    case TVxNavButton::Next:
        triangle(12, 5);
        break;
    case TVxNavButton::Last:
        triangle(11, 4);
        bar(11);
        break;
    case TVxNavButton::Insert:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case TVxNavButton::Delete:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case TVxNavButton::Edit: {
        QPainterPath path;
        path.moveTo(8, 3);
        path.lineTo(13, 12);
        path.lineTo(3, 12);
        path.closeSubpath();
        p.fillPath(path, ink);
        break;
    }
    case TVxNavButton::Post:
        p.setPen(QPen(QColor(0, 120, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    case TVxNavButton::Cancel:
        p.setPen(QPen(QColor(170, 0, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
}
} // namespace

QIcon TVxDBNavigator::Icon(TVxNavButton which) {
    return VxDrawnIcon([which](QPainter& p) { drawGlyph(p, which); });
}
