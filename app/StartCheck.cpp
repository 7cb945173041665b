// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartCheck.h"

#include "AppWindows.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "SchedData.h"
#include "VxDialogs.h"
#include "VxSched.h"

#include <QApplication>
#include <QRadioButton>
#include <cstdio>

namespace {
const char* StartCheckVariable() {
    return "PLEXIWEAVE_START_CHECK";
}
} // namespace

bool StartCheckRequested() {
    return qEnvironmentVariableIsSet(StartCheckVariable());
}

int RunStartCheck(TAppWindows& windows) {
    const QString mode = qEnvironmentVariable(StartCheckVariable()).toLower();
    if (mode != QLatin1String("local") && mode != QLatin1String("text")) {
        std::fprintf(stderr, "%s must be local or text\n", StartCheckVariable());
        return 2;
    }
    // Answers the mode question and, cautiously, any message on the way;
    // the messages are reported below.
    VxDialogScript script;
    script.dialogs.push_back([&mode](QDialog* dialog) {
        auto* form = qobject_cast<TModeForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        (mode == QLatin1String("local") ? form->LocalRadio : form->TextRadio)->setChecked(true);
        return int(QDialog::Accepted);
    });
    TMainForm& main = *windows.MainForm;
    main.show();
    main.FormShow();
    QApplication::processEvents();

    const int looms = main.ScheduleBox->ScheduleCount();
    QStringList numbers;
    for (int i = 0; i < looms; ++i)
        numbers << QString::number(main.ScheduleBox->Schedules(i)->ScheduleNo);
    const QString database = main.Data ? main.Data->SchedDB.Location() : QString();
    const bool up = main.isVisible() && !main.Terminated && looms > 0 &&
                    script.messages.isEmpty() &&
                    (mode == QLatin1String("text") || main.Connected());
    const QString line =
        QStringLiteral("%1: mode %2, %3 looms (%4), database %5, messages: %6")
            .arg(up ? "started" : "failed", mode)
            .arg(looms)
            .arg(numbers.join(QLatin1Char(' ')),
                 database.isEmpty() ? QStringLiteral("none") : database,
                 script.texts().isEmpty() ? QStringLiteral("none")
                                          : script.texts().join(QStringLiteral(" | ")));
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    return up ? 0 : 1;
}
