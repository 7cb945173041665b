// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDialogPrompts.h"

#include "LoginDlg.h"
#include "VxDialogs.h"

#include <QPointer>

TVxDataPrompts VxDialogPrompts(QWidget* parent) {
    // A prompt may outlive its window (a data object kept past it): then it
    // shows its box without a parent rather than on a dangling one.
    const QPointer<QWidget> owner(parent);
    TVxDataPrompts prompts;
    prompts.showError = [owner](const QString& text) { VxDialogs::error(owner, text); };
    prompts.showWarning = [owner](const QString& text) { VxDialogs::warning(owner, text); };
    prompts.askYesNo = [owner](const QString& text) {
        return VxDialogs::confirm(owner, text, VxButtons::YesNo) == QMessageBox::Yes;
    };
    prompts.askLogin = [owner](const QString& databaseName,
                               const QString& userName) -> std::optional<TVxLogin> {
        TVxLoginForm form(databaseName, userName, owner);
        if (VxDialogs::exec(&form) != QDialog::Accepted) return std::nullopt;
        return TVxLogin{form.UserName(), form.Password()};
    };
    return prompts;
}
