// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimelinePeriodForm.h"

#include "VxCalend.h"
#include "VxDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

TTimelinePeriodForm::TTimelinePeriodForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Timeline Period"));
    Calendar = new TVxCalendar(this);
    Calendar->SetDateFormat(QStringLiteral("ddd dd/mm/yyyy"));
    Calendar->SetStartOnMonday(true);
    Calendar->SetPlain(true);
    Calendar->SetWeekColor(QColor(80, 80, 80));
    Calendar->setFixedSize(290, 206);
    Calendar->setFocusProxy(Calendar->Grid());
    auto* hint = new QLabel(tr("Left click: first day. Right click: last day.\n"
                               "Month or year name: the whole month or year."),
                            this);
    WholePlanButton = new QPushButton(tr("&Whole plan"), this);
    WholePlanButton->setAutoDefault(false);
    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(WholePlanButton);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Calendar);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(WholePlanButton, &QPushButton::clicked, this, [this] {
        Calendar->SetFinishDate(m_planLast);
        Calendar->SetStartDate(m_planFirst);
    });
    Calendar->OnChange = [this](QObject*) {
        OKButton->setEnabled(Calendar->StartDate() != 0 && Calendar->FinishDate() != 0);
    };
}

bool TTimelinePeriodForm::Execute(TDateTime& first, TDateTime& last, TDateTime planFirst,
                                  TDateTime planLast) {
    m_planFirst = planFirst;
    m_planLast = planLast;
    WholePlanButton->setEnabled(planLast > 0);
    Calendar->ClearRange();
    Calendar->SetFinishDate(last);
    Calendar->SetStartDate(first);
    int year, month, day;
    VxDecodeDate(first, year, month, day);
    Calendar->SetDisplayYear(year);
    Calendar->SetDisplayMonth(month);
    if (VxDialogs::exec(this) != QDialog::Accepted) return false;
    first = std::floor(Calendar->StartDate());
    last = std::floor(Calendar->FinishDate());
    return true;
}
