// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimelinePane.h"

#include "PrintForm.h"
#include "TimelinePeriodForm.h"
#include "VxAbort.h"
#include "VxDate.h"
#include "VxTimelinePrint.h"
#include "VxTimelineView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString legend() {
    // The bars' shapes and colours, and the marks, in words.
    return QStringLiteral("<span style='color:#008000'>&#9873; %1</span>&nbsp;&nbsp;"
                          "<span style='background:#3a62c4;color:white'>&nbsp;%2&nbsp;</span>"
                          " %3&nbsp;&nbsp;"
                          "<span style='background:#e8cce8;color:#800080'>&nbsp;%4&nbsp;</span>"
                          "&nbsp;&nbsp;<span style='background:#ffe2de'>&nbsp;%5&nbsp;</span>"
                          "&nbsp;&nbsp;<span style='color:#dc0000'>| %6</span>"
                          "&nbsp;&nbsp;&nbsp;&nbsp;%7 "
                          "<span style='background:#ffd0c8'>&nbsp;%8&nbsp;</span> "
                          "<span style='background:#ffecb4'>&nbsp;%9&nbsp;</span>")
        .arg(TTimelinePane::tr("reed"), TTimelinePane::tr("warp"),
             TTimelinePane::tr("in its colour"), TTimelinePane::tr("downtime"),
             TTimelinePane::tr("idle"), TTimelinePane::tr("now"),
             TTimelinePane::tr("loom out of work"), TTimelinePane::tr("this week"),
             TTimelinePane::tr("next week"));
}
} // namespace

TTimelinePane::TTimelinePane(TVxPlanDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    View = new TVxTimelineView(doc, this);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(2);
    PeriodButton = addButton(QString(), tr("Choose the period the timeline shows"),
                             [this] { ChoosePeriod(); });
    ZoomOutButton = addButton(QStringLiteral("\u2212"), tr("Zoom out (-, Ctrl+wheel)"),
                              [this] { View->ZoomOut(); });
    ZoomInButton =
        addButton(QStringLiteral("+"), tr("Zoom in (+, Ctrl+wheel)"), [this] { View->ZoomIn(); });
    FitButton = addButton(tr("Fit period"), tr("The whole period in the width (0)"),
                          [this] { View->FitPeriod(); });
    PrintButton = addButton(tr("Print..."), tr("Print the timeline or save it as a PDF"),
                            [this] { Print(); });
    for (QToolButton* button : {PeriodButton, ZoomOutButton, ZoomInButton, FitButton, PrintButton})
        bar->addWidget(button);
    bar->addSpacing(12);
    auto* key = new QLabel(legend(), this);
    bar->addWidget(key);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(View, 1);
    followPlan();
    // A new plan (a load, a clear) brings its own period.
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, [this](const QVector<int>& looms) {
        if (!m_periodChosen && (looms.isEmpty() || looms.size() == m_doc.plan().Looms.size()))
            followPlan();
    });
}

void TTimelinePane::followPlan() {
    const double today = VxToday();
    const auto [planFirst, planLast] = planDays();
    double first = today - 14;
    double last = today + 90;
    if (planLast > 0) {
        first = planLast < today ? planFirst : std::max(planFirst, today - 14);
        last = std::max(planLast, first + 27);
    }
    SetPeriod(first, last);
    if (m_fitted) View->FitPeriod();
}

TTimelinePane::~TTimelinePane() = default;

QToolButton* TTimelinePane::addButton(const QString& text, const QString& hint,
                                      std::function<void()> action) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this,
            [this, action] { VxGuard(this, [&action] { action(); }); });
    return button;
}

void TTimelinePane::SetPeriod(double first, double last) {
    View->SetPeriod(first, last);
    PeriodButton->setText(tr("Period: %1 ...").arg(periodText()));
}

QString TTimelinePane::periodText() const {
    const QString format = QStringLiteral("dd/mm/yy");
    return VxFormatDate(format, View->PeriodFirst()) + QStringLiteral(" \u2013 ") +
           VxFormatDate(format, View->PeriodLast());
}

std::pair<double, double> TTimelinePane::planDays() const {
    double first = 0;
    double last = 0;
    for (const TVxPlanLoom& loom : m_doc.plan().Looms)
        for (const TVxPlanJob& job : loom.Jobs) {
            if (job.StartDate <= 0) continue;
            first = first == 0 ? job.StartDate : std::min(first, job.StartDate);
            last = std::max({last, job.StartDate, job.FinishDate});
        }
    return {first, last};
}

void TTimelinePane::ChoosePeriod() {
    if (!m_periodForm) m_periodForm = new TTimelinePeriodForm(this);
    double first = View->PeriodFirst();
    double last = View->PeriodLast();
    const auto plan = planDays();
    if (!m_periodForm->Execute(first, last, plan.first, plan.second)) return;
    m_periodChosen = true;
    SetPeriod(first, last);
    View->FitPeriod();
}

QString TTimelinePane::Title() const {
    const QString title = tr("Timeline %1").arg(periodText());
    const QString name = ScenarioName ? ScenarioName() : QString();
    return name.isEmpty() ? title : title + QStringLiteral(" : ") + name;
}

void TTimelinePane::Print() {
    if (!PrintForm) throw EVxError(tr("The print options dialog is not available"));
    TVxTimelinePrintJob job;
    job.Title = Title();
    job.Geometry = View->Geometry();
    job.Scene = View->Scene();
    // The marks of the screen stay on the screen.
    job.Scene.Selected = {-1, -1};
    job.Scene.Found.clear();
    job.Scene.Current = {-1, -1};
    const QString name = ScenarioName ? ScenarioName() : QString();
    PrintForm->ExecutePages(
        [&job](QPagedPaintDevice* device, bool fitWidth) {
            job.FitWidth = fitWidth;
            VxPrintTimeline(device, job, QDateTime::currentDateTime());
        },
        (name.isEmpty() ? tr("Timeline") : name) + QStringLiteral(".pdf"));
}

void TTimelinePane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown the first time: the whole period in the width.
    if (!m_fitted && View->width() > 0) {
        m_fitted = true;
        View->FitPeriod();
    }
}
