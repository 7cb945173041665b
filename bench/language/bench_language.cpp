// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in English and in German: from choosing the language to the main
// window shown with the sample looms in text mode. Each run is a process of
// its own (a translation, once loaded, stays loaded), the languages take
// turns, and the medians are printed with their difference.

#include "AppWindows.h"
#include "BenchSupport.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "ProgramLanguage.h"
#include "VxDialogs.h"
#include "VxSched.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const int kRuns = 9;

// One start-up in this process; prints its milliseconds.
int startOnce(QApplication& app, const QString& language) {
    QDir::setCurrent(benchsupport::samplesDir());
    QElapsedTimer clock;
    clock.start();
    PlexiweaveInitApplication(app);
    TProgramLanguage::Install(language);
    TAppWindows windows;
    VxDialogScript script;
    script.dialogs.push_back([](QDialog* dialog) {
        qobject_cast<TModeForm*>(dialog)->TextRadio->setChecked(true);
        return int(QDialog::Accepted);
    });
    windows.MainForm->show();
    windows.MainForm->FormShow();
    QApplication::processEvents();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (windows.MainForm->ScheduleBox->ScheduleCount() == 0) return 1;
    std::printf("%.2f\n", ms);
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], "--once") == 0) {
        QApplication app(argc, argv);
        return startOnce(app, QString::fromLatin1(argv[2]));
    }
    QCoreApplication app(argc, argv);
    std::vector<double> english, german;
    for (int run = 0; run < kRuns; ++run)
        for (const char* language : {"en", "de"}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--once", language});
            if (!child.waitForFinished(60000) || child.exitCode() != 0) {
                std::fprintf(stderr, "start-up in %s failed\n", language);
                return 1;
            }
            const double ms = child.readAllStandardOutput().trimmed().toDouble();
            (qstrcmp(language, "en") == 0 ? english : german).push_back(ms);
        }
    const double en = median(english);
    const double de = median(german);
    std::printf("start-up in English: %.1f ms\n", en);
    std::printf("start-up in German: %.1f ms\n", de);
    std::printf("German over English: %.1f ms (median of %d runs each)\n", de - en, kRuns);
    return 0;
}
