// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The job dialog: defines or edits a reed, warp or downtime job and its
// dates. It keeps its controls consistent with the chosen type, keeps the
// date range valid (a job that is not first on its loom cannot move its
// start), and refuses a reduced warp length its fabric no longer fits.
//
// The main window fills it (caption, EditedJob, FirstOnLoom, the type list,
// the length text, the calendar's dates and single-date mode, which of
// length and ends show), runs it through VxDialogs::exec and reads the
// selection, the length, the ends and the calendar's dates after an OK.

#include "VxDate.h"
#include "VxPlan.h"
#include "VxWeaveRefs.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TVxCalendar;

class TJobForm : public QDialog {
    Q_OBJECT
public:
    explicit TJobForm(QWidget* parent = nullptr);

    QLabel* TypeLabel;
    QComboBox* TypeCombo;
    QLabel* LengthLabel;
    QLineEdit* LengthEdit;
    QLabel* EndsLabel;
    // Total ends offered for a reed; filled once at start-up.
    QComboBox* EndsCombo;
    QLabel* DurationLabel;
    TVxCalendar* Calendar;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // The job being edited, as the plan has it; none while adding.
    std::optional<TVxPlanJob> EditedJob;
    // The job is, or is about to become, the first on its loom: only then
    // may its start move.
    bool FirstOnLoom = false;
    // The start the range keeps while the dialog is shown.
    TDateTime SavedStart = 0;
    // Reference tables for the reduced-length check.
    TVxWeaveRefs Refs;

    // The type list. Entries are plain texts ("Reed", a downtime kind, the
    // kind text of an edited job) or warp keys carrying their fabric list.
    // Adding entries chooses none of them.
    void ClearTypes();
    void AddType(const QString& text);
    void AddWarpType(const QString& warpKey, const QStringList& fabricKeys);
    void SelectType(int index);
    QString SelectedType() const;
    bool SelectedHasFabrics() const;
    QStringList SelectedFabrics() const;

    void ShowLength(bool visible);
    void ShowEnds(bool visible);
    bool LengthShown() const;
    bool EndsShown() const;
    // The length and the chosen ends as numbers; throw EVxError when the
    // text is not a whole number.
    int Length() const;
    int Ends() const;

    // The rules, callable from tests.
    bool OkAllowed() const;
    void UpdateOkState();
    void TypeComboChange();
    void CalendarStartClick(TDateTime& date);
    void CalendarFinishClick(TDateTime& date);
    void CalendarSetupDay(TDateTime day, QColor& color, QString& hint) const;
    // The OK test; throws EVxError with the message to show.
    void CheckOk();
    // Runs the OK test; closes with OK when it passes, otherwise shows the
    // error and leaves the dialog open.
    void OKButtonClick();

protected:
    // Keys on the closed type list move through the types and keep the
    // focus there; choosing from the open list moves on.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_keyOnClosedList = false;
    void checkWarpLength();
    void checkReducedLength(const TVxPlanJob& warp, int newLength);
    bool editingWarp() const;
    void checkEnds();
};
