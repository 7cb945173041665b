// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A start-up check for packaging tests, chosen with the environment variable
// PLEXIWEAVE_START_CHECK=local (or =text): the data-mode question is answered
// with that mode, the main window starts up as usual, one line saying what
// came up goes to standard output, and the program ends: 0 when the window
// is up with its looms and no message was shown, 1 otherwise. Never set in
// normal use.

class TAppWindows;

// True when PLEXIWEAVE_START_CHECK is set.
bool StartCheckRequested();
// Runs the check on windows (before the event loop) and returns the exit code.
int RunStartCheck(TAppWindows& windows);
