// Program entry: creates the windows in order and runs the event loop until
// the main window closes. Start-up happens on the main window's first show.

#include "AppWindows.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "StartCheck.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PlexiweaveInitApplication(app);
    TAppWindows windows;
    if (StartCheckRequested()) return RunStartCheck(windows);
    windows.MainForm->LayoutFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("Plexiweave/window.ini"));
    windows.ModeForm->SettingsFile = windows.MainForm->LayoutFile;
    windows.MainForm->show();
    const int result = app.exec();
    return windows.MainForm->Terminated ? 0 : result;
}
