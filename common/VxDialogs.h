// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One small service for every message box, input box and modal dialog run.
//
// Production code calls VxDialogs; a test installs a VxDialogScript, which
// answers messages and prompts from queues and lets the test drive each modal
// dialog while it is shown (non-modally), so every dialog path runs offscreen.

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

enum class VxMsgKind { Error, Warning, Information, Confirmation };
enum class VxButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct VxMessage {
    VxMsgKind kind;
    QString text;
    VxButtons buttons;
    // The button Enter presses; NoButton leaves the platform's choice.
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Shown under "Details" (such as a database engine's own text).
    QString details;
    // Captions in place of the standard Yes, No and Cancel, in that order.
    QStringList captions;
};

class VxDialogs {
public:
    // Shows a modal message box; returns the button pressed
    // (QMessageBox::Ok, Yes, No or Cancel).
    static QMessageBox::StandardButton
    message(QWidget* parent, VxMsgKind kind, const QString& text, VxButtons buttons = VxButtons::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static void error(QWidget* parent, const QString& text);
    // An error whose cause (details) the box keeps under "Details".
    static void error(QWidget* parent, const QString& text, const QString& details);
    static void warning(QWidget* parent, const QString& text);
    static void information(QWidget* parent, const QString& text);
    static QMessageBox::StandardButton confirm(QWidget* parent, const QString& text,
                                               VxButtons buttons = VxButtons::YesNo);
    // A question whose Yes throws work away: No is the default, so an Enter
    // pressed out of habit keeps the work.
    static QMessageBox::StandardButton confirmDiscard(QWidget* parent, const QString& text,
                                                      VxButtons buttons = VxButtons::YesNo);

    // A question whose three answers are named by captions (for Yes, No and
    // Cancel, in that order); returns Yes, No or Cancel.
    static QMessageBox::StandardButton choose(QWidget* parent, const QString& text,
                                              const QStringList& captions,
                                              QMessageBox::StandardButton defaultButton);

    // A one-line input box. Returns true on OK, with text updated.
    static bool inputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                           QString& text);

    // The standard save dialog: caption, name filters ("Text file (*.txt)"),
    // the extension added to a name typed without one, and the proposed
    // name. It asks before replacing an existing file. Returns true when the
    // user chose a file, with fileName set to it.
    static bool saveFileName(QWidget* parent, const QString& caption, const QStringList& filters,
                             const QString& defaultSuffix, QString& fileName);

    // Runs a dialog modally and returns its result code.
    static int exec(QDialog* dialog);

private:
    static QMessageBox::StandardButton show(QWidget* parent, const VxMessage& message);
};

struct VxFileRequest {
    QString caption;
    QStringList filters;
    QString defaultSuffix;
    QString proposedName;
};

// While alive, answers every message, prompt and dialog run from its queues
// and logs what was asked. Unexpected requests get the cautious answer
// (Ok, No, Cancel, a rejected dialog) so a test never hangs on a modal loop.
class VxDialogScript {
public:
    VxDialogScript();
    ~VxDialogScript();
    VxDialogScript(const VxDialogScript&) = delete;
    VxDialogScript& operator=(const VxDialogScript&) = delete;

    static VxDialogScript* current();

    // Answers for message boxes, in order.
    std::deque<QMessageBox::StandardButton> answers;
    // Answers for input boxes: a text confirms, nullopt cancels.
    std::deque<std::optional<QString>> inputs;
    // Answers for save dialogs: a file name confirms (the default suffix is
    // added to a name without one, as the real dialog does), nullopt cancels.
    std::deque<std::optional<QString>> fileNames;
    // Drivers for modal dialogs: each gets the dialog while it is shown and
    // returns its result code, or -1 to take the dialog's own result().
    std::deque<std::function<int(QDialog*)>> dialogs;

    // What was asked, in order.
    QList<VxMessage> messages;
    QStringList inputCaptions;
    QStringList inputPrompts;
    QStringList dialogTitles;
    QList<VxFileRequest> fileRequests;

    // Texts of the logged messages of one kind (all kinds when omitted).
    QStringList texts() const;
    QStringList texts(VxMsgKind kind) const;

private:
    VxDialogScript* m_previous;
};
