// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors and vetoes shared by every component.
//
// A handler vetoes an operation by throwing EVxAbort (the silent abort); every
// UI entry point runs through VxGuard, which swallows the abort quietly and
// shows any other exception in an error box, so the program never crashes on
// a handler's error.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <stdexcept>

class QObject;
class QWidget;

// The silent abort: stops an operation without a message.
class EVxAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

// An error whose message is meant for the user (component errors, rule
// violations found on OK, loader failures).
class EVxError : public std::runtime_error {
public:
    explicit EVxError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    // details: what lies behind the message, such as a database engine's own
    // text; error boxes show it under "Details".
    EVxError(const QString& message, const QString& details)
        : std::runtime_error(message.toStdString()), m_message(message), m_details(details) {}
    const QString& message() const { return m_message; }
    const QString& details() const { return m_details; }

private:
    QString m_message;
    QString m_details;
};

// The platform's list-index error, raised for an index outside a list.
class EVxListIndexError : public EVxError {
public:
    explicit EVxListIndexError(int index)
        : EVxError(QCoreApplication::translate("EVxListIndexError", "List index out of bounds (%1)")
                       .arg(index)) {}
};

[[noreturn]] void VxAbort();

// Message text of any exception caught as std::exception.
QString VxErrorText(const std::exception& e);
// Its details (EVxError::details), empty for other exceptions.
QString VxErrorDetails(const std::exception& e);

// Runs one UI entry point. Returns true when it finished normally; false when
// it was silently aborted or failed (the failure was shown in an error box).
// Defined in vxcommon (it shows the box); the rest of this header is vxcore.
bool VxGuard(QWidget* parent, const std::function<void()>& action);

// A user's action is the outermost VxGuard run, with the dialogs it opened
// (their own guarded handlers run inside it). Listeners learn when one starts
// and when it is over, however it ended, so that its changes can be taken as
// one step.
bool VxInAction();
// Calls onBegin before and onEnd after every outermost VxGuard run while
// owner lives (either may be empty). Both are defined with VxGuard in
// vxcommon.
void VxWatchActions(QObject* owner, std::function<void()> onBegin, std::function<void()> onEnd);
