#pragma once
// The maintenance window for the reference tables.

#include <QDialog>

class TMaintForm : public QDialog {
    Q_OBJECT
public:
    explicit TMaintForm(QWidget* parent = nullptr);
};
