// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fields of comma-delimited files as a spreadsheet must read them.

#include <QString>

// Quoted when it holds a comma, a double quote, CR or LF (quotes doubled),
// and led by a single quote when it would start a formula (=, +, @, a tab,
// or a minus not followed by hyphens only), so opening the file never runs
// what a planner typed.
QString VxDelimitedField(const QString& text);
