#pragma once
// The yarn requirements report window.

#include <QDialog>

class TReqmtsForm : public QDialog {
    Q_OBJECT
public:
    explicit TReqmtsForm(QWidget* parent = nullptr);
};
