// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppWindows.h"

#include "ItemForm.h"
#include "JobForm.h"
#include "LoadForm.h"
#include "MainForm.h"
#include "MaintForm.h"
#include "ModeForm.h"
#include "OutputForm.h"
#include "PrintForm.h"
#include "ReqmtsForm.h"
#include "SaveForm.h"
#include "VxAboutForm.h"

#include <QApplication>
#include <QFont>

void PlexiweaveInitApplication(QApplication& app) {
    // The name alone: a display name of its own would be appended by the
    // window system to every caption ("Demo: Plexiweave Scheduler - ...").
    QApplication::setApplicationName(QStringLiteral("Plexiweave"));
    // Layouts and printed pages are measured for Arial and Courier New; the
    // Liberation fonts share their metrics where the originals are missing.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    app.setFont(font);
}

TAppWindows::TAppWindows() {
    MainForm = std::make_unique<TMainForm>();
    JobForm = std::make_unique<TJobForm>(MainForm.get());
    ItemForm = std::make_unique<TItemForm>(MainForm.get());
    LoadForm = std::make_unique<TLoadForm>(MainForm.get());
    SaveForm = std::make_unique<TSaveForm>(MainForm.get());
    ReqmtsForm = std::make_unique<TReqmtsForm>(MainForm.get());
    OutputForm = std::make_unique<TOutputForm>(MainForm.get());
    AboutForm = std::make_unique<TVxAboutForm>(MainForm.get());
    PrintForm = std::make_unique<TPrintForm>(MainForm.get());
    ModeForm = std::make_unique<TModeForm>(MainForm.get());
    MaintForm = std::make_unique<TMaintForm>(MainForm.get());

    TMainForm& main = *MainForm;
    main.JobForm = JobForm.get();
    main.ItemForm = ItemForm.get();
    main.LoadForm = LoadForm.get();
    main.SaveForm = SaveForm.get();
    main.ReqmtsForm = ReqmtsForm.get();
    main.OutputForm = OutputForm.get();
    main.AboutForm = AboutForm.get();
    main.PrintForm = PrintForm.get();
    main.ModeForm = ModeForm.get();
    main.MaintForm = MaintForm.get();
}

TAppWindows::~TAppWindows() = default;
