// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data layer's prompts as the program shows them: error and question
// boxes through VxDialogs and the login form, all owned by parent.

#include "VxDataPrompts.h"

class QWidget;

TVxDataPrompts VxDialogPrompts(QWidget* parent = nullptr);
