// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timeline with its own bar: the period (chosen on the calendar), zoom
// out, zoom in, fit the period, print, and a key to the colours.

#include "VxPlanDocument.h"

#include <QWidget>
#include <functional>

class QToolButton;
class TPrintForm;
class TTimelinePeriodForm;
class TVxTimelineView;

class TTimelinePane : public QWidget {
    Q_OBJECT
public:
    explicit TTimelinePane(TVxPlanDocument& doc, QWidget* parent = nullptr);
    ~TTimelinePane() override;

    TVxTimelineView* View;
    QToolButton* PeriodButton;
    QToolButton* ZoomOutButton;
    QToolButton* ZoomInButton;
    QToolButton* FitButton;
    QToolButton* PrintButton;

    // The print options dialog the printout goes through, and the name of
    // the scenario shown (for the title and the proposed file name).
    TPrintForm* PrintForm = nullptr;
    std::function<QString()> ScenarioName;

    void SetPeriod(double first, double last);
    // Runs the period dialog. Until the planner chooses a period, the
    // period follows the plan: from two weeks before today (or the plan's
    // first day, when all of it lies in the past) to its last day, four
    // weeks at least.
    void ChoosePeriod();
    // Runs the print options dialog for the timeline over its period.
    void Print();
    // "Timeline 24/11/26 – 08/03/27" and the scenario's name when it has one.
    QString Title() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* addButton(const QString& text, const QString& hint, std::function<void()> action);
    QString periodText() const;
    // The first and last day any job of the plan runs, or 0 and 0.
    std::pair<double, double> planDays() const;
    void followPlan();

    TVxPlanDocument& m_doc;
    TTimelinePeriodForm* m_periodForm = nullptr;
    bool m_fitted = false;
    bool m_periodChosen = false;
};
