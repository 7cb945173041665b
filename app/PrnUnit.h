#pragma once
// The print options dialog: printer or comma-delimited file.

#include <QDialog>

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
};
