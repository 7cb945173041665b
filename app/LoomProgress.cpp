// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoomProgress.h"

#include "VxAbort.h"
#include "VxSched.h"

#include <QCoreApplication>
#include <QProgressDialog>

TLoomProgress::TLoomProgress(QWidget* parent, const QString& title, const QString& loomText,
                             const TVxScheduleBox* box, bool cancellable)
    : m_parent(parent), m_title(title), m_loomText(loomText), m_box(box),
      m_cancellable(cancellable) {
    m_clock.start();
}

TLoomProgress::~TLoomProgress() = default;

bool TLoomProgress::show() {
    if (m_dialog) return true;
    if (m_clock.elapsed() < ShowAfterMsec) return false;
    m_dialog = std::make_unique<QProgressDialog>(m_parent);
    m_dialog->setWindowTitle(m_title);
    if (!m_cancellable) m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(0);
    // Every window waits: the work in progress holds the database.
    m_dialog->setWindowModality(Qt::ApplicationModal);
    // A busy bar until the first loom is under way.
    m_dialog->setRange(0, 0);
    m_dialog->setLabelText(
        QCoreApplication::translate("TLoomProgress", "Waiting for the database..."));
    m_dialog->setValue(0);
    return true;
}

void TLoomProgress::Step(int index, int scheduleNo) {
    if (!show()) return;
    QString loom = QString::number(scheduleNo);
    for (int i = 0; i < m_box->ScheduleCount(); ++i)
        if (m_box->Schedules(i)->ScheduleNo == scheduleNo) loom = m_box->Schedules(i)->Header();
    m_dialog->setLabelText(m_loomText.arg(loom));
    m_dialog->setMaximum(m_box->ScheduleCount());
    m_dialog->setValue(index);
}

void TLoomProgress::Poll() {
    if (!show()) return;
    // The dialog is modal: the planner's input reaches it and nothing else.
    QCoreApplication::processEvents();
    if (m_dialog->wasCanceled()) VxAbort();
}
