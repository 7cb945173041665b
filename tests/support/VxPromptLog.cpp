// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPromptLog.h"

TVxDataPrompts TVxPromptLog::prompts() {
    TVxDataPrompts p;
    p.showError = [this](const QString& text) {
        messages << text;
        errors << text;
    };
    p.showWarning = [this](const QString& text) {
        messages << text;
        warnings << text;
    };
    p.askYesNo = [this](const QString& text) {
        messages << text;
        questions << text;
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    };
    p.askLogin = [this](const QString& database,
                        const QString& userName) -> std::optional<TVxLogin> {
        loginDatabases << database;
        loginUsers << userName;
        if (passwords.empty()) return std::nullopt;
        const std::optional<QString> password = passwords.front();
        passwords.pop_front();
        if (!password) return std::nullopt;
        return TVxLogin{userName, *password};
    };
    return p;
}

void TVxPromptLog::clear() {
    *this = TVxPromptLog();
}
