#pragma once
// Progress of a save or load, loom by loom. Nothing shows for a quick one:
// the dialog appears only once the work has taken half a second, naming the
// loom under way.

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
    // for the loom ("Saving loom %1").
    TLoomProgress(QWidget* parent, const QString& title, const QString& loomText,
                  const TVxScheduleBox* box);
    ~TLoomProgress();
    TLoomProgress(const TLoomProgress&) = delete;
    TLoomProgress& operator=(const TLoomProgress&) = delete;

    // The loom of that number (at index among the box's looms) is next.
    void Step(int index, int scheduleNo);
    // The dialog once shown, for tests.
    QProgressDialog* Dialog() const { return m_dialog.get(); }

private:
    QWidget* m_parent;
    QString m_title;
    QString m_loomText;
    const TVxScheduleBox* m_box;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};
