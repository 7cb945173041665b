// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDataPrompts.h"

#include <QDebug>

void TVxDataPrompts::Error(const QString& text) const {
    if (showError)
        showError(text);
    else
        qWarning().noquote() << text;
}

void TVxDataPrompts::Warning(const QString& text) const {
    if (showWarning)
        showWarning(text);
    else
        qWarning().noquote() << text;
}

bool TVxDataPrompts::Confirm(const QString& text) const {
    return askYesNo && askYesNo(text);
}

std::optional<TVxLogin> TVxDataPrompts::Login(const QString& databaseName,
                                              const QString& userName) const {
    if (!askLogin) return std::nullopt;
    return askLogin(databaseName, userName);
}
