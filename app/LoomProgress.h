// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress of a save or load, loom by loom. Nothing shows for a quick one:
// the dialog appears only once the work has taken half a second, naming the
// loom under way. While the database works on its own thread the dialog
// takes the planner's input, and its Cancel stops the work.

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;
class TVxScheduleBox;

class TLoomProgress {
public:
    static const int ShowAfterMsec = 500;

    // title names the work ("Saving Scenario"); loomText the step, with %1
    // for the loom ("Saving loom %1"). cancellable: the dialog has a Cancel
    // button (work on the database thread); Poll throws the silent abort
    // once it was pressed.
    TLoomProgress(QWidget* parent, const QString& title, const QString& loomText,
                  const TVxScheduleBox* box, bool cancellable = false);
    ~TLoomProgress();
    TLoomProgress(const TLoomProgress&) = delete;
    TLoomProgress& operator=(const TLoomProgress&) = delete;

    // The loom of that number (at index among the box's looms) is next.
    void Step(int index, int scheduleNo);
    // While waiting for the database: shows the dialog once it is time,
    // lets it take the planner's input, and throws the silent abort when
    // Cancel was pressed.
    void Poll();
    // The dialog once shown, for tests.
    QProgressDialog* Dialog() const { return m_dialog.get(); }

private:
    bool show();

    QWidget* m_parent;
    QString m_title;
    QString m_loomText;
    const TVxScheduleBox* m_box;
    bool m_cancellable;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};
