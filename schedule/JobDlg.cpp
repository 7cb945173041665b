// SPDX-License-Identifier: GPL-3.0-or-later
#include "JobDlg.h"

#include "VxAbort.h"
#include "VxDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QDate kDayZero(1899, 12, 30);

// The program's short date format in Qt's letters (months are M there).
QString QtShortDateFormat() {
    QString format = VxShortDateFormat();
    for (QChar& c : format)
        if (c == QLatin1Char('m')) c = QLatin1Char('M');
    return format;
}

TDateTime CurrentDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return VxDayOf(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

// Choice lists are kept sorted, case-insensitively like the captions a
// planner reads.
void FillSorted(QComboBox* combo, QStringList entries) {
    entries.sort(Qt::CaseInsensitive);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
}

void CentreOnScreen(QWidget* widget) {
    if (QScreen* screen = widget->screen())
        widget->move(screen->availableGeometry().center() - widget->rect().center());
}
} // namespace

TVxDatePicker::TVxDatePicker(bool withCheckBox, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    if (withCheckBox) {
        m_check = new QCheckBox(this);
        m_check->setChecked(true);
        row->addWidget(m_check);
        connect(m_check, &QCheckBox::toggled, this, &TVxDatePicker::CheckBoxToggled);
    }
    m_edit = new QDateEdit(this);
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(QtShortDateFormat());
    // Day 0 means "no date": it shows blank rather than as 30/12/99.
    m_edit->setMinimumDate(kDayZero);
    m_edit->setSpecialValueText(QStringLiteral(" "));
    row->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    connect(m_edit, &QDateEdit::dateChanged, this, &TVxDatePicker::Changed);
}

TDateTime TVxDatePicker::Date() const {
    if (!Checked()) return 0;
    return VxDayOf(m_edit->date());
}

void TVxDatePicker::SetDate(TDateTime day) {
    const QSignalBlocker blockEdit(m_edit);
    m_edit->setDate(day > 0 ? VxDateOf(day) : kDayZero);
    if (m_check) {
        const QSignalBlocker blockCheck(m_check);
        m_check->setChecked(day != 0);
        m_edit->setEnabled(day != 0);
    }
}

bool TVxDatePicker::Checked() const {
    return !m_check || m_check->isChecked();
}

void TVxDatePicker::CheckBoxToggled(bool on) {
    m_edit->setEnabled(on);
    emit Changed();
}

TVxJobForm::TVxJobForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("VxJobForm"));
    GroupBox1 = new QGroupBox(tr(" Job Definition "), this);
    UpperLabel = new QLabel(tr("&Upper Caption"), GroupBox1);
    UpperCombo = new QComboBox(GroupBox1);
    UpperEdit = new QLineEdit(GroupBox1);
    LowerLabel = new QLabel(tr("&Lower Caption"), GroupBox1);
    LowerCombo = new QComboBox(GroupBox1);
    LowerEdit = new QLineEdit(GroupBox1);
    Label5 = new QLabel(tr("&StartDate"), GroupBox1);
    StartDatePicker = new TVxDatePicker(false, GroupBox1);
    Label6 = new QLabel(tr("&Finish Date"), GroupBox1);
    FinishDatePicker = new TVxDatePicker(true, GroupBox1);
    OKBtn = new QPushButton(tr("OK"), this);
    CancelBtn = new QPushButton(tr("Cancel"), this);

    UpperEdit->hide();
    LowerEdit->hide();
    UpperLabel->setBuddy(UpperCombo);
    LowerLabel->setBuddy(LowerCombo);
    Label5->setBuddy(StartDatePicker);
    Label6->setBuddy(FinishDatePicker);
    const int captionWidth = fontMetrics().averageCharWidth() * 34;
    for (QWidget* caption : {static_cast<QWidget*>(UpperCombo), static_cast<QWidget*>(UpperEdit),
                             static_cast<QWidget*>(LowerCombo), static_cast<QWidget*>(LowerEdit)})
        caption->setMinimumWidth(captionWidth);
    OKBtn->setEnabled(false);
    OKBtn->setDefault(true);

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(UpperLabel, 0, 0);
    grid->addWidget(UpperCombo, 1, 0, 1, 2);
    grid->addWidget(UpperEdit, 2, 0, 1, 2);
    grid->addWidget(LowerLabel, 3, 0);
    grid->addWidget(LowerCombo, 4, 0, 1, 2);
    grid->addWidget(LowerEdit, 5, 0, 1, 2);
    grid->addWidget(Label5, 6, 0);
    grid->addWidget(Label6, 6, 1);
    grid->addWidget(StartDatePicker, 7, 0);
    grid->addWidget(FinishDatePicker, 7, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(GroupBox1);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(UpperCombo, &QComboBox::currentIndexChanged, this, &TVxJobForm::ListSelectionChange);
    connect(LowerCombo, &QComboBox::currentIndexChanged, this, &TVxJobForm::ListSelectionChange);
    connect(UpperEdit, &QLineEdit::textChanged, this, &TVxJobForm::UpdateOkBtn);
    connect(LowerEdit, &QLineEdit::textChanged, this, &TVxJobForm::UpdateOkBtn);
    connect(StartDatePicker, &TVxDatePicker::Changed, this, &TVxJobForm::DateChange);
    connect(FinishDatePicker, &TVxDatePicker::Changed, this, &TVxJobForm::DateChange);
    connect(OKBtn, &QPushButton::clicked, this, &TVxJobForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TVxJobForm::Prepare(TVxJobSchedule* schedule, TVxJob* job,
                         const TVxInitJobDialogEvent& onInit) {
    m_schedule = schedule;
    m_job = job;
    OnInit = onInit;
    // Entries selected while opening do not count as the user's choice.
    m_opening = true;
    if (OnInit) {
        QStringList upper, lower;
        OnInit(schedule, job, upper, lower);
        ShowLists(upper, lower);
    } else {
        ShowEditFields();
    }
    if (!job) {
        StartDatePicker->SetDate(VxToday());
        FinishDatePicker->SetDate(VxToday());
        m_opening = false;
        return;
    }
    ShowCaption(UpperCombo, UpperEdit, job->UpperCaption());
    ShowCaption(LowerCombo, LowerEdit, job->LowerCaption());
    // A job that has begun keeps its start date.
    StartDatePicker->setEnabled(!HasStarted(job, CurrentDateTime()));
    StartDatePicker->SetDate(job->StartDate());
    FinishDatePicker->SetDate(job->FinishDate());
    m_opening = false;
}

void TVxJobForm::ShowLists(const QStringList& upper, const QStringList& lower) {
    FillSorted(UpperCombo, upper);
    FillSorted(LowerCombo, lower);
    const bool lowerShown = !lower.isEmpty();
    LowerCombo->setVisible(lowerShown);
    LowerLabel->setVisible(lowerShown);
    UpperLabel->setText(lowerShown ? tr("&Upper Caption") : tr("&Caption"));
    UpperCombo->show();
    UpperEdit->hide();
    LowerEdit->hide();
    UpperLabel->setBuddy(UpperCombo);
    LowerLabel->setBuddy(LowerCombo);
}

void TVxJobForm::ShowEditFields() {
    UpperCombo->hide();
    LowerCombo->hide();
    UpperEdit->show();
    LowerEdit->show();
    LowerLabel->show();
    UpperLabel->setBuddy(UpperEdit);
    LowerLabel->setBuddy(LowerEdit);
}

void TVxJobForm::ShowCaption(QComboBox* combo, QLineEdit* edit, const QString& caption) {
    if (!OnInit) {
        edit->setText(caption);
        return;
    }
    int index = combo->findText(caption, Qt::MatchExactly);
    if (index < 0) {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        FillSorted(combo, entries << caption);
        index = combo->findText(caption, Qt::MatchExactly);
    }
    combo->setCurrentIndex(index);
    if (combo->isHidden()) {
        // A hidden list (the application offered none) must not wipe the
        // caption the job already has: OK reads the hidden edit field then.
        const QSignalBlocker block(edit);
        edit->setText(caption);
    }
}

bool TVxJobForm::OkAllowed() const {
    if (!UpperCombo->isHidden() && UpperCombo->currentIndex() < 0) return false;
    if (!LowerCombo->isHidden() && LowerCombo->currentIndex() < 0) return false;
    if (!UpperEdit->isHidden() && UpperEdit->text().isEmpty()) return false;
    return true;
}

void TVxJobForm::UpdateOkBtn() {
    OKBtn->setEnabled(OkAllowed());
}

void TVxJobForm::ListSelectionChange() {
    if (!m_opening) UpdateOkBtn();
}

void TVxJobForm::DateChange() {
    // "No finish date" is not earlier than the start, so only a set finish
    // date follows the start.
    if (FinishDatePicker->Checked() && StartDatePicker->Date() > FinishDatePicker->Date())
        FinishDatePicker->SetDate(StartDatePicker->Date());
    UpdateOkBtn();
}

bool TVxJobForm::HasStarted(const TVxJob* job, TDateTime now) {
    return now > job->StartDate();
}

QString TVxJobForm::UpperText() const {
    return UpperCombo->isHidden() ? UpperEdit->text() : UpperCombo->currentText();
}

QString TVxJobForm::LowerText() const {
    return LowerCombo->isHidden() ? LowerEdit->text() : LowerCombo->currentText();
}

TDateTime TVxJobForm::StartDate() const {
    return StartDatePicker->Date();
}

TDateTime TVxJobForm::FinishDate() const {
    return FinishDatePicker->Date();
}

void TVxJobForm::OKBtnClick() {
    if (!OkAllowed()) return;
    VxGuard(this, [this] {
        ApplyToJob();
        accept();
    });
}

void TVxJobForm::ApplyToJob() {
    if (!m_job) return;
    m_job->SetUpperCaption(UpperText());
    m_job->SetLowerCaption(LowerText());
    m_job->SetStartDate(StartDate());
    m_job->SetFinishDate(FinishDate());
}

void TVxJobForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

bool VxExecuteJobDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                        TVxJob* job, QString& upper, QString& lower, TDateTime& start,
                        TDateTime& finish) {
    TVxJobForm form(owner);
    form.setWindowTitle(caption);
    form.Prepare(schedule, job, schedule ? schedule->OnInitJobDialog : TVxInitJobDialogEvent());
    if (VxDialogs::exec(&form) != QDialog::Accepted) return false;
    upper = form.UpperText();
    lower = form.LowerText();
    start = form.StartDate();
    finish = form.FinishDate();
    return true;
}
