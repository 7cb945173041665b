// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModeForm.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString ModeKey = QStringLiteral("Start/DataMode");
const QStringList ModeNames = {QStringLiteral("text"), QStringLiteral("local"),
                               QStringLiteral("server")};

QLabel* explanation(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    // Indented under its radio button so it reads as that choice's note.
    label->setContentsMargins(22, 0, 0, 6);
    return label;
}
} // namespace

TModeForm::TModeForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Scheduling Demo"));
    setModal(true);

    ModeGroup = new QGroupBox(tr(" Data Mode "), this);
    QuestionLabel = new QLabel(tr("How would you like to run this demo?"), ModeGroup);
    TextRadio = new QRadioButton(tr("Use &Text Based Data"), ModeGroup);
    TextLabel =
        explanation(tr("(Scenarios cannot be loaded and be saved and no reporting)"), ModeGroup);
    LocalRadio = new QRadioButton(tr("Use &Local Database"), ModeGroup);
    LocalLabel = explanation(
        tr("(Scenarios are kept in the database file Shedwise.db in the program's folder)"),
        ModeGroup);
    ServerRadio = new QRadioButton(tr("Use Database &Server"), ModeGroup);
    ServerLabel = explanation(tr("(A database server on the network and the "
                                 "connection alias \"ShedwiseSQL\" set up for its "
                                 "Shedwise database)"),
                              ModeGroup);
    TextRadio->setChecked(true);

    auto* groupLayout = new QVBoxLayout(ModeGroup);
    groupLayout->addWidget(QuestionLabel);
    groupLayout->addSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(TextRadio), static_cast<QWidget*>(TextLabel),
                       static_cast<QWidget*>(LocalRadio), static_cast<QWidget*>(LocalLabel),
                       static_cast<QWidget*>(ServerRadio), static_cast<QWidget*>(ServerLabel)})
        groupLayout->addWidget(w);

    auto* buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    OKButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ModeGroup);
    layout->addWidget(buttons);
    setFixedWidth(380);
}

TDataMode TModeForm::DataMode() const {
    if (LocalRadio->isChecked()) return TDataMode::Local;
    if (ServerRadio->isChecked()) return TDataMode::Server;
    return TDataMode::Text;
}

void TModeForm::SetDataMode(TDataMode mode) {
    (mode == TDataMode::Local    ? LocalRadio
     : mode == TDataMode::Server ? ServerRadio
                                 : TextRadio)
        ->setChecked(true);
}

void TModeForm::ShowLocalNote(const QString& note) {
    // A long path breaks after its separators rather than widening the
    // dialog.
    QString text = note;
    text.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    LocalLabel->setText(text);
}

void TModeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || SettingsFile.isEmpty()) return;
    const QSettings settings(SettingsFile, QSettings::IniFormat);
    const qsizetype last = ModeNames.indexOf(settings.value(ModeKey).toString());
    if (last >= 0) SetDataMode(TDataMode(last));
}

void TModeForm::accept() {
    if (!SettingsFile.isEmpty()) {
        QSettings settings(SettingsFile, QSettings::IniFormat);
        settings.setValue(ModeKey, ModeNames[int(DataMode())]);
    }
    QDialog::accept();
}
