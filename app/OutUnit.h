#pragma once
// The greige fabric output report window.

#include <QDialog>

class TOutputForm : public QDialog {
    Q_OBJECT
public:
    explicit TOutputForm(QWidget* parent = nullptr);
};
