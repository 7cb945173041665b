// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>

namespace {
VxDialogScript* g_script = nullptr;

QMessageBox::StandardButtons buttonsFor(VxButtons buttons) {
    switch (buttons) {
    case VxButtons::Ok:
        return QMessageBox::Ok;
    case VxButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case VxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case VxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton cautiousAnswer(VxButtons buttons) {
    switch (buttons) {
    case VxButtons::Ok:
        return QMessageBox::Ok;
    case VxButtons::YesNo:
        return QMessageBox::No;
    case VxButtons::OkCancel:
    case VxButtons::YesNoCancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconFor(VxMsgKind kind) {
    switch (kind) {
    case VxMsgKind::Error:
        return QMessageBox::Critical;
    case VxMsgKind::Warning:
        return QMessageBox::Warning;
    case VxMsgKind::Information:
        return QMessageBox::Information;
    case VxMsgKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString titleFor(VxMsgKind kind) {
    switch (kind) {
    case VxMsgKind::Error:
        return QCoreApplication::translate("VxDialogs", "Error");
    case VxMsgKind::Warning:
        return QCoreApplication::translate("VxDialogs", "Warning");
    case VxMsgKind::Information:
        return QCoreApplication::translate("VxDialogs", "Information");
    case VxMsgKind::Confirmation:
        return QCoreApplication::translate("VxDialogs", "Confirm");
    }
    return QString();
}
} // namespace

QMessageBox::StandardButton VxDialogs::message(QWidget* parent, VxMsgKind kind, const QString& text,
                                               VxButtons buttons,
                                               QMessageBox::StandardButton defaultButton) {
    return show(parent, VxMessage{kind, text, buttons, defaultButton, {}, {}});
}

QMessageBox::StandardButton VxDialogs::show(QWidget* parent, const VxMessage& message) {
    if (g_script) {
        g_script->messages.append(message);
        if (g_script->answers.empty()) return cautiousAnswer(message.buttons);
        auto answer = g_script->answers.front();
        g_script->answers.pop_front();
        return answer;
    }
    QMessageBox box(iconFor(message.kind), titleFor(message.kind), message.text,
                    buttonsFor(message.buttons), parent);
    // Texts carry reference codes and database messages: markup in them is
    // shown as it stands, never interpreted.
    box.setTextFormat(Qt::PlainText);
    if (!message.details.isEmpty()) box.setDetailedText(message.details);
    const QMessageBox::StandardButton order[] = {QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Cancel};
    for (int i = 0; i < message.captions.size() && i < 3; ++i)
        if (QAbstractButton* button = box.button(order[i])) {
            // The standard button's icon says Yes or No, which the caption no longer does.
            button->setText(message.captions[i]);
            button->setIcon(QIcon());
        }
    if (message.defaultButton != QMessageBox::NoButton) box.setDefaultButton(message.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void VxDialogs::error(QWidget* parent, const QString& text) {
    message(parent, VxMsgKind::Error, text);
}

void VxDialogs::error(QWidget* parent, const QString& text, const QString& details) {
    show(parent,
         VxMessage{VxMsgKind::Error, text, VxButtons::Ok, QMessageBox::NoButton, details, {}});
}

QMessageBox::StandardButton VxDialogs::choose(QWidget* parent, const QString& text,
                                              const QStringList& captions,
                                              QMessageBox::StandardButton defaultButton) {
    return show(
        parent,
        VxMessage{
            VxMsgKind::Confirmation, text, VxButtons::YesNoCancel, defaultButton, {}, captions});
}

void VxDialogs::warning(QWidget* parent, const QString& text) {
    message(parent, VxMsgKind::Warning, text);
}

void VxDialogs::information(QWidget* parent, const QString& text) {
    message(parent, VxMsgKind::Information, text);
}

QMessageBox::StandardButton VxDialogs::confirm(QWidget* parent, const QString& text,
                                               VxButtons buttons) {
    return message(parent, VxMsgKind::Confirmation, text, buttons);
}

QMessageBox::StandardButton VxDialogs::confirmDiscard(QWidget* parent, const QString& text,
                                                      VxButtons buttons) {
    return message(parent, VxMsgKind::Confirmation, text, buttons, QMessageBox::No);
}

bool VxDialogs::inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                           QString& text) {
    if (g_script) {
        g_script->inputCaptions.append(caption);
        g_script->inputPrompts.append(prompt);
        if (g_script->inputs.empty()) return false;
        auto answer = g_script->inputs.front();
        g_script->inputs.pop_front();
        if (!answer) return false;
        text = *answer;
        return true;
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.textValue();
    return true;
}

bool VxDialogs::saveFileName(QWidget* parent, const QString& caption, const QStringList& filters,
                             const QString& defaultSuffix, QString& fileName) {
    if (g_script) {
        g_script->fileRequests.append({caption, filters, defaultSuffix, fileName});
        if (g_script->fileNames.empty()) return false;
        const std::optional<QString> answer = g_script->fileNames.front();
        g_script->fileNames.pop_front();
        if (!answer) return false;
        fileName = *answer;
        if (!defaultSuffix.isEmpty() && !QFileInfo(fileName).fileName().contains(QLatin1Char('.')))
            fileName += QLatin1Char('.') + defaultSuffix;
        return true;
    }
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The filters read as their names alone; the patterns stay underneath.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

int VxDialogs::exec(QDialog* dialog) {
    if (g_script) {
        g_script->dialogTitles.append(dialog->windowTitle());
        if (g_script->dialogs.empty()) return QDialog::Rejected;
        auto driver = g_script->dialogs.front();
        g_script->dialogs.pop_front();
        dialog->setResult(QDialog::Rejected);
        dialog->show();
        QApplication::processEvents();
        int result = driver(dialog);
        if (result < 0) result = dialog->result();
        dialog->hide();
        return result;
    }
    return dialog->exec();
}

VxDialogScript::VxDialogScript() : m_previous(g_script) {
    g_script = this;
}

VxDialogScript::~VxDialogScript() {
    g_script = m_previous;
}

VxDialogScript* VxDialogScript::current() {
    return g_script;
}

QStringList VxDialogScript::texts() const {
    QStringList result;
    for (const auto& m : messages)
        result << m.text;
    return result;
}

QStringList VxDialogScript::texts(VxMsgKind kind) const {
    QStringList result;
    for (const auto& m : messages)
        if (m.kind == kind) result << m.text;
    return result;
}
