// SPDX-License-Identifier: GPL-3.0-or-later
#include "JobForm.h"

#include "VxWeaPlan.h"

#include "VxAbort.h"
#include "VxCalend.h"
#include "VxConvert.h"
#include "VxFlagGuard.h"

#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {
// A warp entry carries its fabric list under this role; plain entries carry
// nothing there.
constexpr int FabricListRole = Qt::UserRole + 1;

// Focus handed to the length comes with its text selected, so what the user
// types next replaces the proposal or the refused value instead of being
// appended to it.
void focusSelected(QLineEdit* edit) {
    edit->setFocus();
    edit->selectAll();
}
} // namespace

TJobForm::TJobForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Job"));

    TypeCombo = new QComboBox(this);
    TypeCombo->setEditable(false);
    TypeCombo->setMinimumContentsLength(16);
    TypeLabel = new QLabel(tr("&Type"), this);
    TypeLabel->setBuddy(TypeCombo);

    LengthEdit = new QLineEdit(this);
    LengthEdit->setMaximumWidth(90);
    LengthLabel = new QLabel(tr("&Length (m)"), this);
    LengthLabel->setBuddy(LengthEdit);

    EndsCombo = new QComboBox(this);
    EndsCombo->setEditable(false);
    EndsCombo->setMaximumWidth(90);
    EndsLabel = new QLabel(tr("&Ends"), this);
    EndsLabel->setBuddy(EndsCombo);

    Calendar = new TVxCalendar(this);
    //: The calendar's status lines: d day, m month, y year (dddd and mmmm are
    //: the names); quoted text stays as it is.
    Calendar->SetDateFormat(tr("dddd, mmmm d, yyyy"));
    TVxCalendarHeaders headers;
    headers.Week = tr("Wk");
    headers.Sunday = tr("Su");
    headers.Monday = tr("Mo");
    headers.Tuesday = tr("Tu");
    headers.Wednesday = tr("We");
    headers.Thursday = tr("Th");
    headers.Friday = tr("Fr");
    headers.Saturday = tr("Sa");
    Calendar->SetHeaders(headers);
    Calendar->SetPlain(true);
    // White week numbers vanish on the flat face of the plain style.
    Calendar->SetWeekColor(QColor(80, 80, 80));
    // The control lays itself out inside the size it is given and offers no
    // size hint; its standard height, and room for the longest status line.
    Calendar->setFixedSize(290, 206);
    DurationLabel = new QLabel(tr("&Duration"), this);
    DurationLabel->setBuddy(Calendar);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setAutoDefault(false);

    // Length and ends never show together: they share one row, which keeps
    // its height so the calendar does not jump when the type changes.
    auto* grid = new QGridLayout(this);
    grid->addWidget(TypeLabel, 0, 0);
    grid->addWidget(TypeCombo, 0, 1);
    grid->addWidget(LengthLabel, 1, 0);
    grid->addWidget(LengthEdit, 1, 1, Qt::AlignLeft);
    grid->addWidget(EndsLabel, 1, 0);
    grid->addWidget(EndsCombo, 1, 1, Qt::AlignLeft);
    grid->setRowMinimumHeight(
        1, qMax(LengthEdit->sizeHint().height(), EndsCombo->sizeHint().height()));
    grid->addWidget(DurationLabel, 2, 0, Qt::AlignTop);
    // The label column is as wide as its widest label from the start, so
    // showing the length row does not push the controls sideways.
    int labelWidth = 0;
    for (QLabel* label : {TypeLabel, LengthLabel, EndsLabel, DurationLabel})
        labelWidth = qMax(labelWidth, label->sizeHint().width());
    grid->setColumnMinimumWidth(0, labelWidth);
    grid->addWidget(Calendar, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    ShowLength(false);
    ShowEnds(false);

    TypeCombo->installEventFilter(this);
    // Tab and the Duration mnemonic reach the day grid, which the keys work.
    Calendar->setFocusProxy(Calendar->Grid());
    connect(TypeCombo, &QComboBox::currentIndexChanged, this, [this] { TypeComboChange(); });
    connect(LengthEdit, &QLineEdit::textChanged, this, [this] { UpdateOkState(); });
    connect(EndsCombo, &QComboBox::currentIndexChanged, this, [this] { UpdateOkState(); });
    Calendar->OnChange = [this](QObject*) { UpdateOkState(); };
    Calendar->OnStartClick = [this](QObject*, TDateTime& date) { CalendarStartClick(date); };
    Calendar->OnFinishClick = [this](QObject*, TDateTime& date) { CalendarFinishClick(date); };
    Calendar->OnSetupDay = [this](QObject*, TDateTime day, QColor& color, QString& hint) {
        CalendarSetupDay(day, color, hint);
    };
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// ------------------------------------------------------------- type list

void TJobForm::ClearTypes() {
    TypeCombo->clear();
}

void TJobForm::AddType(const QString& text) {
    const QSignalBlocker quiet(TypeCombo);
    TypeCombo->addItem(text);
    TypeCombo->setCurrentIndex(-1);
}

void TJobForm::AddWarpType(const QString& warpKey, const QStringList& fabricKeys) {
    const QSignalBlocker quiet(TypeCombo);
    TypeCombo->addItem(warpKey, QVariant());
    TypeCombo->setItemData(TypeCombo->count() - 1, fabricKeys, FabricListRole);
    TypeCombo->setCurrentIndex(-1);
}

void TJobForm::SelectType(int index) {
    TypeCombo->setCurrentIndex(index);
}

QString TJobForm::SelectedType() const {
    return TypeCombo->currentIndex() < 0 ? QString() : TypeCombo->currentText();
}

bool TJobForm::SelectedHasFabrics() const {
    return TypeCombo->currentIndex() >= 0 &&
           TypeCombo->itemData(TypeCombo->currentIndex(), FabricListRole).isValid();
}

QStringList TJobForm::SelectedFabrics() const {
    if (TypeCombo->currentIndex() < 0) return {};
    return TypeCombo->itemData(TypeCombo->currentIndex(), FabricListRole).toStringList();
}

// ------------------------------------------------------ length and ends

void TJobForm::ShowLength(bool visible) {
    LengthEdit->setVisible(visible);
    LengthLabel->setVisible(visible);
}

void TJobForm::ShowEnds(bool visible) {
    EndsCombo->setVisible(visible);
    EndsLabel->setVisible(visible);
}

bool TJobForm::LengthShown() const {
    return !LengthEdit->isHidden();
}
bool TJobForm::EndsShown() const {
    return !EndsCombo->isHidden();
}

int TJobForm::Length() const {
    return VxStrToInt(LengthEdit->text());
}
int TJobForm::Ends() const {
    return VxStrToInt(EndsCombo->currentText());
}

// ---------------------------------------------------------------- rules

bool TJobForm::OkAllowed() const {
    if (TypeCombo->currentIndex() < 0) return false;
    return (LengthShown() && !LengthEdit->text().isEmpty()) ||
           (EndsShown() && EndsCombo->currentIndex() >= 0) || !SelectedHasFabrics();
}

void TJobForm::UpdateOkState() {
    OKButton->setEnabled(OkAllowed());
}

bool TJobForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TypeCombo && event->type() == QEvent::KeyPress &&
        !TypeCombo->view()->isVisible()) {
        const TVxFlagGuard arrowing(m_keyOnClosedList);
        return static_cast<QObject*>(TypeCombo)->event(event);
    }
    return QDialog::eventFilter(watched, event);
}

void TJobForm::TypeComboChange() {
    if (!isVisible() || TypeCombo->currentIndex() < 0) return;
    ShowLength(SelectedHasFabrics());
    if (LengthShown() && !m_keyOnClosedList) focusSelected(LengthEdit);
    ShowEnds(SelectedType() == VxReedText());
    if (EndsCombo->count() > 0) EndsCombo->setCurrentIndex(0);
    if (EndsShown() && EndsCombo->isEnabled() && !m_keyOnClosedList) EndsCombo->setFocus();
    // A reed occupies a single day.
    Calendar->SetSingleDate(EndsShown());
    UpdateOkState();
}

void TJobForm::CalendarStartClick(TDateTime& date) {
    if (!isVisible()) return;
    if (FirstOnLoom) {
        // The range moves and keeps its length.
        Calendar->SetFinishDate(date - SavedStart + Calendar->FinishDate());
        SavedStart = date;
    } else {
        // It starts where the previous job ends.
        date = SavedStart;
    }
}

void TJobForm::CalendarFinishClick(TDateTime& date) {
    if (date < Calendar->StartDate()) date = Calendar->StartDate();
    UpdateOkState();
}

void TJobForm::CalendarSetupDay(TDateTime day, QColor& color, QString& hint) const {
    if (!FirstOnLoom && day == std::floor(Calendar->StartDate())) {
        hint = tr("Must start here");
        color = QColor(255, 0, 0);
    }
}

// ------------------------------------------------------------------- OK

void TJobForm::CheckOk() {
    if (SelectedHasFabrics() || editingWarp()) checkWarpLength();
    if (EndsShown() && EndsCombo->isEnabled()) checkEnds();
}

void TJobForm::checkWarpLength() {
    try {
        const int length = Length();
        // A warp of no length would carry nothing and divide its weight by
        // zero metres.
        if (length <= 0) throw EVxError(tr("The warp length must be more than 0m"));
        if (editingWarp() && length < EditedJob->WarpLen) checkReducedLength(*EditedJob, length);
    } catch (const EVxError&) {
        focusSelected(LengthEdit);
        throw;
    }
}

bool TJobForm::editingWarp() const {
    return EditedJob && EditedJob->Kind == TVxPlanJobKind::Warp;
}

void TJobForm::checkReducedLength(const TVxPlanJob& warp, int newLength) {
    TVxPlanJob shorter = warp;
    shorter.WarpLen = newLength;
    // With nothing added, only the signs of what is left count, so any
    // fabric structure serves.
    const QString anyStructure =
        Refs.FabricInfos && !Refs.FabricInfos->IsEmpty() ? Refs.FabricInfos->Key(0) : QString();
    try {
        CheckCapacity(shorter, anyStructure, 0, Refs);
    } catch (const EVxError&) {
        throw EVxError(tr("This reduced length cannot support the current fabric items"));
    }
}

void TJobForm::checkEnds() {
    try {
        if (EndsCombo->count() == 0)
            throw EVxError(tr("There are no warp types to give the reed its ends"));
        if (EndsCombo->currentIndex() < 0)
            throw EVxError(tr("Choose the number of ends for the reed"));
        Ends();
    } catch (const EVxError&) {
        EndsCombo->setFocus();
        throw;
    }
}

void TJobForm::OKButtonClick() {
    bool passed = false;
    VxGuard(this, [&] {
        CheckOk();
        passed = true;
    });
    if (passed) accept();
}

void TJobForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OKButton->setEnabled(false);
    SavedStart = Calendar->StartDate();
    if (SavedStart != 0) {
        int year = 0, month = 0, day = 0;
        VxDecodeDate(SavedStart, year, month, day);
        Calendar->SetDisplayYear(year);
        Calendar->SetDisplayMonth(month);
    }
    if (!TypeCombo->isEnabled()) {
        if (LengthShown() && LengthEdit->isEnabled())
            LengthEdit->setFocus();
        else if (EndsShown() && EndsCombo->isEnabled())
            EndsCombo->setFocus();
    } else {
        TypeCombo->setFocus();
    }
}
