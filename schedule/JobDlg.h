// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule's own job dialog, used when the application handles no job
// Do events: two captions (from the application's lists or typed) and the
// job's start and finish dates.

#include "VxDate.h"
#include "VxSched.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// A calendar date with a drop-down calendar, optionally switched on and off by
// a check box. A picker whose check box is cleared holds no date (0).
class TVxDatePicker : public QWidget {
    Q_OBJECT
public:
    explicit TVxDatePicker(bool withCheckBox, QWidget* parent = nullptr);

    TDateTime Date() const;
    // Sets the date without raising Changed; 0 clears the check box.
    void SetDate(TDateTime day);
    bool Checked() const;

    QDateEdit* Edit() const { return m_edit; }
    QCheckBox* CheckBox() const { return m_check; }

signals:
    // The user changed the date or the check box.
    void Changed();

private:
    void CheckBoxToggled(bool on);
    QCheckBox* m_check = nullptr;
    QDateEdit* m_edit = nullptr;
};

class TVxJobForm : public QDialog {
    Q_OBJECT
public:
    explicit TVxJobForm(QWidget* owner);

    // Fills the controls for adding (job null) or editing a job; onInit is the
    // schedule's list provider and may be empty (then the captions are typed).
    void Prepare(TVxJobSchedule* schedule, TVxJob* job, const TVxInitJobDialogEvent& onInit);

    // The rules behind the controls, callable without a shown dialog.
    bool OkAllowed() const;
    void UpdateOkBtn();
    void DateChange();
    static bool HasStarted(const TVxJob* job, TDateTime now);

    QString UpperText() const;
    QString LowerText() const;
    TDateTime StartDate() const;
    TDateTime FinishDate() const;

    // OK: writes the captions and dates into an edited job and closes.
    void OKBtnClick();

    QGroupBox* GroupBox1;
    QLabel* UpperLabel;
    QComboBox* UpperCombo;
    QLineEdit* UpperEdit;
    QLabel* LowerLabel;
    QComboBox* LowerCombo;
    QLineEdit* LowerEdit;
    QLabel* Label5;
    TVxDatePicker* StartDatePicker;
    QLabel* Label6;
    TVxDatePicker* FinishDatePicker;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    TVxJobSchedule* Schedule() const { return m_schedule; }
    TVxJob* Job() const { return m_job; }
    TVxInitJobDialogEvent OnInit;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowLists(const QStringList& upper, const QStringList& lower);
    void ShowEditFields();
    void ShowCaption(QComboBox* combo, QLineEdit* edit, const QString& caption);
    void ListSelectionChange();
    void ApplyToJob();

    TVxJobSchedule* m_schedule = nullptr;
    TVxJob* m_job = nullptr;
    bool m_opening = false;
};

// Runs the default job dialog modally. Add mode when job is null: on OK returns
// true with the chosen captions and dates in the out-arguments (the caller then
// calls AddJob). Edit mode: on OK the dialog has already written captions and
// dates into the job.
bool VxExecuteJobDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                        TVxJob* job, QString& upper, QString& lower, TDateTime& start,
                        TDateTime& finish);
