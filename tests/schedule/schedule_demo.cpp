// SPDX-License-Identifier: GPL-3.0-or-later
// A small window with three schedule columns and no handlers, to drive the
// component by hand: menus, default dialogs, double clicks, drag and drop.

#include "VxSched.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Schedule demo"));
    auto* box = new TVxScheduleBox(&window);
    window.setCentralWidget(box);

    const TDateTime day = VxEncodeDate(2026, 3, 2);
    TVxJobSchedule* first =
        box->AddSchedule(1, QStringLiteral("Loom 1 : A"), QStringLiteral("Finish: 12/03/26"));
    TVxJob* job = first->AddJob(1, QStringLiteral("1:  Reed 2640"), QString(), day, 0);
    job->SetCaptionColor(QColor(0, 128, 0));
    job = first->AddJob(2, QStringLiteral("2:  A-WHT 3000m"), QString(), day, day + 4);
    job->AddItem(1, QStringLiteral("ABRED : NAT/3pcs"));
    job->AddItem(2, QStringLiteral("B001 : 002/1pc"));
    job->SetStatusText(QStringLiteral("Rem: 2850m / 212kg"));
    job->DatesRow.Hint = QStringLiteral("Est weave time: 36hrs");
    job->DatesRow.ShowHint = true;
    job = first->AddJob(3, QStringLiteral("Downtime"), QStringLiteral("Service"), day + 5, day + 6);
    job->SetCaptionColor(QColor(128, 0, 128));

    TVxJobSchedule* second = box->AddSchedule(2, QStringLiteral("Loom 2 : B"), QString());
    job = second->AddJob(4, QStringLiteral("4:  C-BLU 2400m"), QString(), day + 1, day + 3);
    for (int i = 0; i < 3; ++i)
        job->AddItem(3 + i, QStringLiteral("CX%1 : RED/%2pcs").arg(i).arg(i + 1));
    second->AddJob(5, QStringLiteral("5:  No dates"), QString(), 0, 0);

    TVxJobSchedule* third = box->AddSchedule(3, QStringLiteral("Loom 3 : B"), QString());
    Q_UNUSED(third);

    window.resize(480, 360);
    window.show();
    return app.exec();
}
