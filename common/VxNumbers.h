// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers handed out one after another (scenario, job and item numbers).
// They end at the largest int: past it there is no next number, and asking
// for one is refused with a message instead of wrapping round to a negative.

#include <QString>
#include <limits>

// What a "next number" holds once the highest possible number is in use.
constexpr int VxNoNextNumber = std::numeric_limits<int>::min();

// The number after highest; VxNoNextNumber when highest is the largest int.
constexpr int VxNextAfter(int highest) {
    return highest == std::numeric_limits<int>::max() ? VxNoNextNumber : highest + 1;
}

// What is numbered, for the message.
enum class TVxNumbered { Scenario, Job, Item };

// Throws EVxError when next is VxNoNextNumber.
void VxRequireNextNumber(int next, TVxNumbered what);
// Hands out next and moves it on; throws as above when none is left.
int VxTakeNumber(int& next, TVxNumbered what);
