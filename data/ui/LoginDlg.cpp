// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoginDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TVxLoginForm::TVxLoginForm(const QString& databaseName, const QString& userName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Database Login"));
    setMinimumWidth(320);
    DatabaseLabel = new QLabel(tr("Database: %1").arg(databaseName), this);
    UserNameEdit = new QLineEdit(userName, this);
    UserNameEdit->setObjectName(QStringLiteral("UserNameEdit"));
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(tr("&User Name:"), UserNameEdit);
    form->addRow(tr("&Password:"), PasswordEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DatabaseLabel);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // The password is what is missing; the user name is usually right.
    (userName.isEmpty() ? UserNameEdit : PasswordEdit)->setFocus();
}

QString TVxLoginForm::UserName() const {
    return UserNameEdit->text();
}
QString TVxLoginForm::Password() const {
    return PasswordEdit->text();
}
