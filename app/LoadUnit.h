#pragma once
// The dialog that picks a stored scenario to load.

#include <QDialog>

class TLoadForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoadForm(QWidget* parent = nullptr);
};
