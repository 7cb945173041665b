// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plant in text mode for the weaving-rules suites: reference data written
// as real text files with figures chosen for each rule, the real windows, and
// helpers that add jobs and fabric through the real dialogs (scripted while
// they are shown) and drag with real mouse input.

#include "AppWindows.h"
#include "BoardDragPreview.h"
#include "BoardView.h"
#include "ItemForm.h"
#include "JobForm.h"
#include "MainForm.h"
#include "ShowPlan.h"
#include "VxCalend.h"
#include "VxDate.h"
#include "VxDialogs.h"
#include "VxWeaSch.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

// Warp types W, V, G take 2400 ends, H 2640. Greige is 100 %, so a warp's
// remaining length is its own length; its weight is its share of WARPWGT.
// W-RED of 100 m: 100 m / 5 kg. V-RED of 1000 m: 1000 m / 5 kg.
// Fabric XA: 40 m and 2.4 kg per piece, 12 hours.
inline const char* kWarpTypes = "W,2400,6.5,2,100,100,5,\n"
                                "V,2400,6.5,2,100,1000,5,\n"
                                "G,2400,6.5,2,100,1000,50,\n"
                                "H,2640,6.5,2,100,1000,50,\n";
inline const char* kFabricTypes = "XA,RED,W,RED,20/1,Z,NAT,40,2.4,2,12,\n"
                                  "XA,RED,V,RED,20/1,Z,NAT,40,2.4,2,12,\n"
                                  "XA,RED,G,RED,20/1,Z,NAT,40,2.4,2,12,\n"
                                  "B,001,W,RED,20/1,Z,002,10,0.5,0.5,1,\n"
                                  "BR,ED,W,RED,20/1,Z,NAT,10,0.5,0.5,1,\n"
                                  "Y,BLU,G,BLU,20/1,Z,BLU,10,0.5,0.5,1,\n"
                                  "Z,GRN,H,GRN,20/1,Z,GRN,10,0.5,0.5,1,\n";
inline const char* kStruLoom = "XA,LOOMA,\nB,LOOMA,\nBR,LOOMA,\nY,LOOMA,\nZ,LOOMA,\nXA,LOOMB,\n";
inline const char* kLoomSpec = "1,1,LOOMA,Loom 1,\n2,2,LOOMA,Loom 2,\n3,3,LOOMB,Loom 3,\n";
inline const char* kDowntimes = "Planned maintenance,\nBreakdown repair,\n";

inline const QStringList kDowntimeKinds = {"Planned maintenance", "Breakdown repair"};

// The sample reference files (CTest names them; a run by hand from the build
// tree finds them in the source tree).
inline QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? QStringLiteral("../../../samples") : env;
}

inline void writeFile(const QString& path, const char* text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

inline void clickOk(QDialog* dialog, QPushButton* ok) {
    QVERIFY2(ok->isEnabled(), qPrintable(dialog->windowTitle()));
    QTest::mouseClick(ok, Qt::LeftButton);
}

// One plant in text mode read from the files above.
class Plant {
public:
    Plant() {
        writeFile(m_Dir.filePath("WarpType.csv"), kWarpTypes);
        writeFile(m_Dir.filePath("FabricType.csv"), kFabricTypes);
        writeFile(m_Dir.filePath("StruLoom.csv"), kStruLoom);
        writeFile(m_Dir.filePath("LoomSpec.csv"), kLoomSpec);
        writeFile(m_Dir.filePath("DowntimeType.csv"), kDowntimes);
        start();
    }
    // The reference files of a folder (the samples), the looms optionally
    // replaced by loomSpec.
    explicit Plant(const QString& folder, const QByteArray& loomSpec = {}) {
        for (const char* name :
             {"WarpType.csv", "FabricType.csv", "StruLoom.csv", "LoomSpec.csv", "DowntimeType.csv"})
            QFile::copy(QDir(folder).filePath(name), m_Dir.filePath(name));
        if (!loomSpec.isEmpty()) {
            QFile::remove(m_Dir.filePath("LoomSpec.csv"));
            writeFile(m_Dir.filePath("LoomSpec.csv"), loomSpec.constData());
        }
        start();
    }
    TVxJobSchedule* Loom(int i) const { return Main->ScheduleBox->Schedules(i); }

private:
    void start() {
        Main = Windows.MainForm.get();
        Main->TextFolder = m_Dir.path();
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        Main->FormShow();
        if (!script.messages.isEmpty()) qWarning() << script.texts();
    }

public:
    TJobForm* JobForm() const { return Windows.JobForm.get(); }
    TItemForm* ItemForm() const { return Windows.ItemForm.get(); }

    // Adds a job through the loom's add action and the job dialog: a reed
    // ("R2400"), a warp ("W-RED:100", the length after the colon) or a
    // downtime kind. Returns the texts the type list offered.
    QStringList Add(TVxJobSchedule* loom, const QString& what) {
        QStringList offered;
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto* form = static_cast<TJobForm*>(d);
            for (int i = 0; i < form->TypeCombo->count(); ++i)
                offered << form->TypeCombo->itemText(i);
            QString type = what;
            QString detail;
            if (what.startsWith('R') && what.size() > 1 && what[1].isDigit()) {
                type = "Reed";
                detail = what.mid(1);
            } else if (what.contains(':')) {
                type = what.section(':', 0, 0);
                detail = what.section(':', 1);
            }
            const int index = form->TypeCombo->findText(type);
            if (index < 0) return int(QDialog::Rejected);
            form->SelectType(index);
            if (type == "Reed") form->EndsCombo->setCurrentText(detail);
            if (form->LengthShown()) {
                form->LengthEdit->selectAll();
                QTest::keyClicks(form->LengthEdit, detail);
            }
            clickOk(d, form->OKButton);
            return -1;
        });
        VxGuard(Main, [loom] { loom->ExecuteAddJob(); });
        Messages += script.texts();
        return offered;
    }

    // Adds fabric through the warp's add action and the fabric dialog;
    // returns the error shown, if any (the dialog is then cancelled).
    QString AddFabric(TVxJob* warp, const QString& fabricKey, const QString& pieces) {
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto* form = static_cast<TItemForm*>(d);
            form->TypeCombo->setCurrentIndex(form->TypeCombo->findText(fabricKey));
            form->PiecesEdit->selectAll();
            QTest::keyClicks(form->PiecesEdit, pieces);
            clickOk(d, form->OKButton);
            return -1;
        });
        VxGuard(Main, [warp] { warp->ExecuteAddItem(); });
        Messages += script.texts();
        return script.texts(VxMsgKind::Error).join("; ");
    }

    TAppWindows Windows;
    TMainForm* Main = nullptr;
    QStringList Messages;

private:
    QTemporaryDir m_Dir;
};

// The loom's start date as the short date, "0" while it has none.
inline QString loomStart(TMainForm* main, const TVxJobSchedule* loom) {
    const double start = main->Document->plan().Looms.at(main->Board->LoomOf(loom)).StartDate;
    return start == 0 ? QStringLiteral("0") : VxDateToStr(start);
}

inline QStringList visibleEntries(QMenu& menu) {
    QStringList texts;
    for (QAction* a : menu.actions())
        if (a->isVisible() && !a->isSeparator()) texts << a->text();
    return texts;
}

inline TVxWeaveJob* warpAt(TVxJobSchedule* loom, int i) {
    return dynamic_cast<TVxWeaveJob*>(loom->Jobs(i));
}

// Real mouse input sent through the window, as a user's would arrive.
inline QPoint inWindow(QWidget* w, QPoint p) {
    return w->mapTo(w->window(), p);
}
inline void mousePress(QWidget* w, QPoint p) {
    QTest::mousePress(w->window()->windowHandle(), Qt::LeftButton, {}, inWindow(w, p));
}
inline void mouseMove(QWidget* w, QPoint p) {
    QTest::mouseMove(w->window()->windowHandle(), inWindow(w, p));
}
inline void mouseRelease(QWidget* w, QPoint p) {
    QTest::mouseRelease(w->window()->windowHandle(), Qt::LeftButton, {}, inWindow(w, p));
}

// Centre of a part of a job in its loom's job-area viewport.
inline QPoint partPos(TVxJob* job, TVxJobPart part = TVxJobPart::UpperCaption,
                      TVxJobItem* item = nullptr) {
    TVxJobArea* area = job->Schedule()->JobArea();
    return area->JobOrigin(job) + job->PartRect(part, item).center();
}
// A point of a loom's job area below its last job.
inline QPoint belowJobs(TVxJobSchedule* loom) {
    return QPoint(loom->JobArea()->viewport()->width() / 2,
                  loom->JobArea()->viewport()->height() - 20);
}

// The plant shown, ready for the mouse.
struct ShownPlant : Plant {
    template <class... Args>
    explicit ShownPlant(Args&&... args) : Plant(std::forward<Args>(args)...) {
        Main->resize(900, 700);
        Main->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main));
    }
    QString status() const { return Main->Status->currentMessage(); }

    // Drags from one point to another and reads the status bar while the
    // pointer rests over the target, before the release: the refusal, or
    // empty where the drop is accepted (the bar then sums up the preview).
    QString drag(TVxJobSchedule* fromLoom, QPoint from, TVxJobSchedule* toLoom, QPoint to) {
        QWidget* source = fromLoom->JobArea()->viewport();
        QWidget* target = toLoom->JobArea()->viewport();
        Main->ShowStatus(QString());
        mousePress(source, from);
        mouseMove(source, from + QPoint(0, QApplication::startDragDistance() + 2));
        mouseMove(target, to + QPoint(1, 0));
        mouseMove(target, to);
        const QString summary = Main->DragPreview->Summary();
        const QString shown = !summary.isEmpty() && status() == summary ? QString() : status();
        mouseRelease(target, to);
        return shown;
    }
};

inline QString yesNo(bool b) {
    return b ? QStringLiteral("y") : QStringLiteral("n");
}

// Everything a planner sees on a column and what the rules read from it, one
// line per column, job and item.
inline QStringList boardText(TMainForm* main) {
    QStringList lines;
    for (int s = 0; s < main->ScheduleBox->ScheduleCount(); ++s) {
        TVxJobSchedule* loom = main->ScheduleBox->Schedules(s);
        lines << QStringLiteral("loom %1 [%2] start %3 width %4")
                     .arg(loom->ScheduleNo)
                     .arg(loom->Footer(), loomStart(main, loom))
                     .arg(loom->width());
        for (int j = 0; j < loom->JobCount(); ++j) {
            TVxJob* job = loom->Jobs(j);
            const TVxJobMenuCaptions& menu = job->MenuCaptions();
            lines << QStringLiteral(
                         "  %1 | %2 | %3 | %4 hint %5 | tag %6 | %7 %8 %9 %10 | exp %11 | "
                         "%12 top %13 h %14")
                         .arg(job->UpperCaption(), job->DatesRow.Text, job->StatusText(),
                              yesNo(job->DatesRow.ShowHint), job->DatesRow.Hint)
                         // The rules read the reed ends of reeds and warps
                         // only; a downtime added by hand keeps 0.
                         .arg(dynamic_cast<TVxDowntimeJob*>(job) ? -1 : job->Tag)
                         .arg(menu.AddItem, menu.ClearItems, menu.EditJob, menu.RemoveJob,
                              yesNo(job->Expanded()), job->CaptionColor().name())
                         .arg(job->Top())
                         .arg(job->Height());
            for (int i = 0; i < job->ItemCount(); ++i) {
                TVxJobItem* item = job->Items(i);
                lines << QStringLiteral("    %1 #%2 %3 %4 visible %5")
                             .arg(item->Caption())
                             .arg(item->ItemNo)
                             .arg(item->MenuCaptions().EditItem, item->MenuCaptions().RemoveItem,
                                  yesNo(item->Visible()));
            }
        }
    }
    return lines;
}
