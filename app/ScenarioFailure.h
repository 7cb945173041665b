// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the planner is told when the database fails a save or a load: what
// happened, in plain words, and what became of the board.

#include "VxDbError.h"

QString ScenarioSaveFailure(const EVxDbError& error);
QString ScenarioLoadFailure(const EVxDbError& error);
