// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows, created once in their fixed order and kept for the
// whole run, and the application-wide settings made before any window.

#include <memory>

class QApplication;
class TItemForm;
class TJobForm;
class TLoadForm;
class TMainForm;
class TMaintForm;
class TModeForm;
class TOutputForm;
class TPrintForm;
class TReqmtsForm;
class TSaveForm;
class TVxAboutForm;

// Title "Plexiweave" and the Arial / Courier New style default fonts
// (metric-compatible Liberation fonts where the originals are missing).
void PlexiweaveInitApplication(QApplication& app);

class TAppWindows {
public:
    // Creates the main window first, then every other window, and hands the
    // main window its pointers to them.
    TAppWindows();
    ~TAppWindows();
    TAppWindows(const TAppWindows&) = delete;
    TAppWindows& operator=(const TAppWindows&) = delete;

    // Declared first so it is destroyed last: the dialogs are its children
    // and must be gone before it deletes its children.
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TJobForm> JobForm;
    std::unique_ptr<TItemForm> ItemForm;
    std::unique_ptr<TLoadForm> LoadForm;
    std::unique_ptr<TSaveForm> SaveForm;
    std::unique_ptr<TReqmtsForm> ReqmtsForm;
    std::unique_ptr<TOutputForm> OutputForm;
    std::unique_ptr<TVxAboutForm> AboutForm;
    std::unique_ptr<TPrintForm> PrintForm;
    std::unique_ptr<TModeForm> ModeForm;
    std::unique_ptr<TMaintForm> MaintForm;
};
