#pragma once
// The fabric item dialog: defines or edits a fabric item of a warp job.

#include <QDialog>

class TItemForm : public QDialog {
    Q_OBJECT
public:
    explicit TItemForm(QWidget* parent = nullptr);
};
