// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: creates the windows in order and runs the event loop until
// the main window closes. Start-up happens on the main window's first show.

#include "AppWindows.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "ProgramLanguage.h"
#include "StartCheck.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PlexiweaveInitApplication(app);
    const QString settingsFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("Plexiweave/window.ini"));
    // Before any window: each takes its texts when it is made.
    TProgramLanguage::Install(TProgramLanguage::Setting(settingsFile));
    TAppWindows windows;
    if (StartCheckRequested()) return RunStartCheck(windows);
    windows.MainForm->LayoutFile = settingsFile;
    windows.ModeForm->SettingsFile = settingsFile;
    windows.MainForm->show();
    const int result = app.exec();
    return windows.MainForm->Terminated ? 0 : result;
}
