// SPDX-License-Identifier: GPL-3.0-or-later
// A window for trying the date controls by hand: a range calendar with time
// pickers, a single-date calendar, and a plain one set up the way the job
// dialog uses it (owner-coloured days).

#include "VxCalend.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>
#include <cmath>

namespace {
QLabel* caption(const QString& text, QWidget* parent) {
    auto label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight: bold"));
    return label;
}

QString rangeText(const TVxCustomCalendar& calendar) {
    return QStringLiteral("StartDate %1  FinishDate %2")
        .arg(calendar.StartDate(), 0, 'f', 4)
        .arg(calendar.FinishDate(), 0, 'f', 4);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Calendar demo"));
    auto layout = new QGridLayout(&window);

    auto range = new TVxCalendar(&window);
    range->SetUseTime(true);
    range->SetStartOnMonday(true);
    range->resize(260, 230);
    range->setFixedSize(260, 230);
    const TDateTime today = VxToday();
    range->SetStartDate(today - 3 + 8.5 / 24);
    range->SetFinishDate(today + 12 + 17.25 / 24);

    auto single = new TVxCalendar(&window);
    single->SetSingleDate(true);
    single->SetUseTime(true);
    single->setFixedSize(260, 206);
    single->SetStartDate(today + 2);

    auto plain = new TVxCalendar(&window);
    plain->SetPlain(true);
    plain->SetDateFormat(QStringLiteral("dddd, mmmm d, yyyy"));
    TVxCalendarHeaders headers;
    headers.Sunday = QStringLiteral("Su");
    headers.Monday = QStringLiteral("Mo");
    headers.Tuesday = QStringLiteral("Tu");
    headers.Wednesday = QStringLiteral("We");
    headers.Thursday = QStringLiteral("Th");
    headers.Friday = QStringLiteral("Fr");
    headers.Saturday = QStringLiteral("Sa");
    plain->SetHeaders(headers);
    const TDateTime mustStart = today + 5;
    plain->OnSetupDay = [mustStart](QObject*, TDateTime day, QColor& color, QString& hint) {
        if (day == mustStart) {
            color = Qt::red;
            hint = QStringLiteral("Must start here");
        }
    };
    plain->setFixedSize(236, 206);
    plain->SetStartDate(mustStart + 2);
    plain->SetFinishDate(mustStart + 6);

    auto status = new QLabel(&window);
    auto show = [status](QObject* sender) {
        status->setText(rangeText(*static_cast<TVxCustomCalendar*>(sender)));
    };
    range->OnChange = show;
    single->OnChange = show;
    plain->OnChange = show;

    layout->addWidget(caption(QStringLiteral("Range, time pickers, Monday first"), &window), 0, 0);
    layout->addWidget(caption(QStringLiteral("Single date"), &window), 0, 1);
    layout->addWidget(caption(QStringLiteral("Plain, as in the job dialog"), &window), 0, 2);
    layout->addWidget(range, 1, 0, Qt::AlignTop);
    layout->addWidget(single, 1, 1, Qt::AlignTop);
    layout->addWidget(plain, 1, 2, Qt::AlignTop);
    layout->addWidget(status, 2, 0, 1, 3);
    window.show();
    return app.exec();
}
