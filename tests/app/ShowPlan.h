// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plan on the board's looms by loom number, as a load puts it there (one
// step, a clean point, linked to no scenario).

#include "MainForm.h"
#include "VxPlanCommand.h"

inline void showPlan(TMainForm* main, const TVxPlan& plan) {
    main->Document->Push(new TVxLoadCommand(*main->Document, plan, {}));
}
