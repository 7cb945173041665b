// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The find bar: what the planner types is looked up among the plan's jobs
// and fabric as it is typed (a job number, a warp type and colour, a fabric
// code and colour, a downtime); the bar counts the matches ("4 of 17") and
// steps through them, Enter or F3 to the next, Shift with them to the
// previous, Escape closes it. It keeps up with changes of the plan,
// staying on the same job or fabric where it can.

#include "VxPlanDocument.h"
#include "VxPlanFinder.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

class TFindBar : public QWidget {
    Q_OBJECT
public:
    explicit TFindBar(TVxPlanDocument& doc, QWidget* parent = nullptr);

    QLineEdit* FindEdit;
    QLabel* CountLabel;
    QToolButton* PreviousButton;
    QToolButton* NextButton;
    QToolButton* CloseButton;

    // Shows the bar with its text selected, ready to type over.
    void Open();
    // Hides the bar; nothing stays found.
    void Close();
    // To the next or previous match, round at the ends (the bar opens
    // again with its last text when it was closed).
    void Next();
    void Previous();

    // What is found while the bar is open, and which of it is current
    // (-1: none).
    const QVector<TVxFindHit>& Hits() const { return m_hits; }
    int Current() const { return m_current; }
    // The matches or the current one changed; go: the planner moved to the
    // current one (by typing or stepping), not the plan under it.
    std::function<void(bool go)> OnChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void search();
    void step(int by);
    void planChanged();
    void changed(bool go);
    // What a hit is in the plan, to find it again after a change.
    struct Identity {
        int JobNo = 0;
        TVxPlanJobKind Kind = TVxPlanJobKind::Reed;
        int ItemNo = 0;
        bool operator==(const Identity& other) const {
            return JobNo == other.JobNo && Kind == other.Kind && ItemNo == other.ItemNo;
        }
    };
    Identity identity(const TVxFindHit& hit) const;

    TVxPlanDocument& m_doc;
    QVector<TVxFindHit> m_hits;
    int m_current = -1;
    Identity m_currentIdentity;
};
