#pragma once
// The dialog that names the scenario to save.

#include <QDialog>

class TSaveForm : public QDialog {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* parent = nullptr);
};
