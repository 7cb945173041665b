// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The login prompt shown when connecting to a database server.

#include <QDialog>

class QLabel;
class QLineEdit;

class TVxLoginForm : public QDialog {
    Q_OBJECT
public:
    TVxLoginForm(const QString& databaseName, const QString& userName, QWidget* parent = nullptr);

    QString UserName() const;
    QString Password() const;

    QLabel* DatabaseLabel;
    QLineEdit* UserNameEdit;
    QLineEdit* PasswordEdit;
};
