// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the data layer speaks to the user without knowing about windows: the
// program fills these with its message boxes and login prompt (vxdataui's
// VxDialogPrompts); tests fill them with scripted answers. An unset member
// gets the cautious answer: an error or a warning goes to the log, a question is No, a
// login is cancelled.

#include <QString>
#include <functional>
#include <optional>

struct TVxLogin {
    QString UserName;
    QString Password;
};

struct TVxDataPrompts {
    // Shows an error message.
    std::function<void(const QString& text)> showError;
    // Shows a warning: something is amiss, and the work goes on.
    std::function<void(const QString& text)> showWarning;
    // Asks a Yes/No question; true for Yes.
    std::function<bool(const QString& text)> askYesNo;
    // Asks for the login to databaseName, proposing userName; nullopt when
    // the user cancels.
    std::function<std::optional<TVxLogin>(const QString& databaseName, const QString& userName)>
        askLogin;

    void Error(const QString& text) const;
    void Warning(const QString& text) const;
    bool Confirm(const QString& text) const;
    std::optional<TVxLogin> Login(const QString& databaseName, const QString& userName) const;
};
