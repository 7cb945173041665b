#pragma once
// The job dialog: defines or edits a reed, warp or downtime job.

#include <QDialog>

class QComboBox;

class TJobForm : public QDialog {
    Q_OBJECT
public:
    explicit TJobForm(QWidget* parent = nullptr);

    // Total ends offered for a reed; filled once at start-up.
    QComboBox* EndsCombo;
};
