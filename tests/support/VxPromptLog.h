// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scripted answers for the data layer's prompts, and a log of what it asked,
// for suites that run without windows.

#include "VxDataPrompts.h"

#include <QStringList>
#include <deque>
#include <optional>

class TVxPromptLog {
public:
    // Prompts that answer from the queues below and log into this object,
    // which must outlive them.
    TVxDataPrompts prompts();
    void clear();

    // Answers to Yes/No questions, in order; none left answers No.
    std::deque<bool> answers;
    // Answers to logins: the proposed user name with this password; nullopt
    // (or none left) cancels.
    std::deque<std::optional<QString>> passwords;

    QStringList messages; // errors, warnings and questions, in the order asked
    QStringList errors;
    QStringList warnings;
    QStringList questions;
    QStringList loginDatabases; // per login asked: the database shown
    QStringList loginUsers;     // and the user name proposed
};
