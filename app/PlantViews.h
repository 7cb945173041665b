// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The views of the plant beside the board, and what ties them together: the
// timeline in a dock the planner can place, the find bar, and the View menu
// with their keys. The job selected on the board is marked on the timeline
// and a bar clicked there selects its job on the board; what the find bar
// finds is highlighted on both, its current match selected.

#include "VxPlanDocument.h"

#include <QObject>
#include <QVector>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class QToolButton;
class TBoardView;
class TFindBar;
class TTimelinePane;

class TPlantViews : public QObject {
    Q_OBJECT
public:
    TPlantViews(QMainWindow* window, TVxPlanDocument& doc, TBoardView& board);

    QDockWidget* TimelineDock;
    TTimelinePane* Timeline;
    TFindBar* FindBar;
    // The tool button with the View menu.
    QToolButton* ViewButton;
    QMenu* ViewMenu;
    QAction* TimelineAction;     // Ctrl+T shows or hides the timeline
    QAction* FindAction;         // Ctrl+F
    QAction* FindNextAction;     // F3
    QAction* FindPreviousAction; // Shift+F3
    QAction* PrintTimelineAction;

private:
    void createActions();
    void boardSelected();
    void openJob(int loom, int job);
    void selectOnBoard(int loom, int job, int item);
    void found(bool go);
    // Marks what is found on the columns of these looms (all when empty).
    void markBoard(const QVector<int>& looms);

    QMainWindow* m_window;
    TVxPlanDocument& m_doc;
    TBoardView& m_board;
    bool m_boardMarked = false;
    bool m_docked = false;
};
