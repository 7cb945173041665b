// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlantViews.h"

#include "BoardView.h"
#include "FindBar.h"
#include "TimelinePane.h"
#include "VxAbort.h"
#include "VxSched.h"
#include "VxTimelineView.h"

#include <QAction>
#include <QDockWidget>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QSet>
#include <QToolButton>

TPlantViews::TPlantViews(QMainWindow* window, TVxPlanDocument& doc, TBoardView& board)
    : QObject(window), m_window(window), m_doc(doc), m_board(board) {
    Timeline = new TTimelinePane(doc);
    TimelineDock = new QDockWidget(tr("Timeline"), window);
    TimelineDock->setObjectName(QStringLiteral("TimelineDock"));
    TimelineDock->setWidget(Timeline);
    window->addDockWidget(Qt::BottomDockWidgetArea, TimelineDock);
    TimelineDock->hide();
    // Opened the first time, it takes two fifths of the window's height.
    connect(TimelineDock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (!shown || m_docked) return;
        m_docked = true;
        if (!TimelineDock->isFloating())
            m_window->resizeDocks({TimelineDock}, {m_window->height() * 2 / 5}, Qt::Vertical);
    });
    FindBar = new TFindBar(doc);
    createActions();

    // Columns drawn anew show the find's marks too.
    board.OnDrawn = [this](const QVector<int>& looms) { markBoard(looms); };
    FindBar->OnChange = [this](bool go) { found(go); };
    board.Box()->OnSelect = [this](QObject*) { boardSelected(); };
    Timeline->View->OnJobClick = [this](const TVxTimelineJob& job) {
        selectOnBoard(job.first, job.second, -1);
    };
    Timeline->View->OnJobDoubleClick = [this](const TVxTimelineJob& job) {
        VxGuard(m_window, [&] { openJob(job.first, job.second); });
    };
}

void TPlantViews::createActions() {
    auto add = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* action = new QAction(text, m_window);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        m_window->addAction(action);
        connect(action, &QAction::triggered, this, [this, slot] { VxGuard(m_window, slot); });
        return action;
    };
    TimelineAction = TimelineDock->toggleViewAction();
    TimelineAction->setText(tr("&Timeline"));
    TimelineAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_window->addAction(TimelineAction);
    FindAction = add(tr("&Find..."), QKeySequence::Find, [this] { FindBar->Open(); });
    FindNextAction = add(tr("Find &Next"), QKeySequence(Qt::Key_F3), [this] { FindBar->Next(); });
    FindPreviousAction = add(tr("Find &Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
                             [this] { FindBar->Previous(); });
    PrintTimelineAction = add(tr("Print T&imeline..."), QKeySequence(), [this] {
        TimelineDock->show();
        Timeline->Print();
    });
    ViewMenu = new QMenu(m_window);
    ViewMenu->addAction(TimelineAction);
    ViewMenu->addAction(PrintTimelineAction);
    ViewMenu->addSeparator();
    ViewMenu->addAction(FindAction);
    ViewMenu->addAction(FindNextAction);
    ViewMenu->addAction(FindPreviousAction);
    ViewButton = new QToolButton;
    ViewButton->setText(tr("&View"));
    ViewButton->setToolTip(tr("The timeline and find"));
    ViewButton->setAutoRaise(true);
    ViewButton->setPopupMode(QToolButton::InstantPopup);
    ViewButton->setMenu(ViewMenu);
}

void TPlantViews::boardSelected() {
    const TVxJob* job =
        m_board.Box()->ScheduleCount() > 0 ? m_board.Box()->Schedules(0)->SelectedJob() : nullptr;
    TVxTimelineJob place{-1, -1};
    if (job && job->Schedule()) {
        place = {m_board.LoomOf(job->Schedule()), job->Schedule()->IndexOfJob(job)};
        if (place.first < 0 || place.first >= m_doc.plan().Looms.size()) place = {-1, -1};
    }
    Timeline->View->SetSelected(place);
    if (place.first >= 0 && TimelineDock->isVisible()) Timeline->View->ShowJob(place);
}

void TPlantViews::selectOnBoard(int loom, int job, int item) {
    // The board is chosen on as the plan has it.
    m_board.DrawAll();
    TVxJobSchedule* column = m_board.Column(loom);
    if (!column || job < 0 || job >= column->JobCount()) return;
    TVxJob* drawn = column->Jobs(job);
    if (item >= 0 && item < drawn->ItemCount() && drawn->Expanded())
        column->Select(drawn->Items(item));
    else
        column->Select(drawn);
}

void TPlantViews::openJob(int loom, int job) {
    selectOnBoard(loom, job, -1);
    TVxJobSchedule* column = m_board.Column(loom);
    if (!column || job < 0 || job >= column->JobCount()) return;
    TVxJob* drawn = column->Jobs(job);
    // As a double click on the board would: where the job's menu offers it.
    if (VxCaptionUsable(drawn->MenuCaptions().EditJob)) drawn->ExecuteEditJob();
}

void TPlantViews::found(bool go) {
    markBoard({});
    QSet<TVxTimelineJob> jobs;
    for (const TVxFindHit& hit : FindBar->Hits())
        jobs.insert({hit.Loom, hit.Job});
    const int current = FindBar->Current();
    const TVxFindHit hit = current >= 0 ? FindBar->Hits()[current] : TVxFindHit();
    Timeline->View->SetFound(jobs, {hit.Loom, hit.Job});
    if (!go || current < 0) return;
    selectOnBoard(hit.Loom, hit.Job, hit.Item);
    if (TimelineDock->isVisible()) Timeline->View->ShowJob({hit.Loom, hit.Job});
}

void TPlantViews::markBoard(const QVector<int>& looms) {
    const QVector<TVxFindHit>& hits = FindBar->Hits();
    // Nothing found before or now: nothing to unmark.
    if (hits.isEmpty() && !m_boardMarked) return;
    m_boardMarked = !hits.isEmpty();
    QSet<QPair<int, int>> jobs;
    QHash<QPair<int, int>, QSet<int>> items;
    for (const TVxFindHit& hit : hits) {
        if (hit.Item < 0)
            jobs.insert({hit.Loom, hit.Job});
        else
            items[{hit.Loom, hit.Job}].insert(hit.Item);
    }
    TVxScheduleBox* box = m_board.Box();
    for (int l = 0; l < box->ScheduleCount(); ++l) {
        if (!looms.isEmpty() && !looms.contains(l)) continue;
        TVxJobSchedule* column = box->Schedules(l);
        for (int j = 0; j < column->JobCount(); ++j) {
            TVxJob* job = column->Jobs(j);
            job->SetMarked(jobs.contains({l, j}));
            const QSet<int> marked = items.value({l, j});
            for (int i = 0; i < job->ItemCount(); ++i)
                job->Items(i)->SetMarked(marked.contains(i));
        }
    }
}
