#include "LoomProgress.h"

#include "VxSched.h"

#include <QCoreApplication>
#include <QProgressDialog>

TLoomProgress::TLoomProgress(QWidget* parent, const QString& title, const QString& loomText,
                             const TVxScheduleBox* box)
    : m_parent(parent), m_title(title), m_loomText(loomText), m_box(box) {
    m_clock.start();
}

TLoomProgress::~TLoomProgress() = default;

void TLoomProgress::Step(int index, int scheduleNo) {
    if (!m_dialog) {
        if (m_clock.elapsed() < ShowAfterMsec) return;
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setWindowTitle(m_title);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(0);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setRange(0, m_box->ScheduleCount());
    }
    QString loom = QString::number(scheduleNo);
    for (int i = 0; i < m_box->ScheduleCount(); ++i)
        if (m_box->Schedules(i)->ScheduleNo == scheduleNo) loom = m_box->Schedules(i)->Header();
    m_dialog->setLabelText(m_loomText.arg(loom));
    m_dialog->setValue(index);
}
