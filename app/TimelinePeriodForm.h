// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The period the timeline shows, chosen on the project's calendar: a left
// click picks the first day, a right click the last, the month or year name
// the whole month or year; "Whole plan" takes the first to the last day any
// job runs.

#include "VxDate.h"

#include <QDialog>

class QPushButton;
class TVxCalendar;

class TTimelinePeriodForm : public QDialog {
    Q_OBJECT
public:
    explicit TTimelinePeriodForm(QWidget* parent = nullptr);

    TVxCalendar* Calendar;
    QPushButton* WholePlanButton;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // Shows first to last; on OK true with the chosen days. planFirst and
    // planLast (0: no jobs) are what "Whole plan" takes.
    bool Execute(TDateTime& first, TDateTime& last, TDateTime planFirst, TDateTime planLast);

private:
    TDateTime m_planFirst = 0;
    TDateTime m_planLast = 0;
};
