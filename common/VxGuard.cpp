// SPDX-License-Identifier: GPL-3.0-or-later
// The error box of VxGuard needs widgets, so it lives in vxcommon while the
// rest of VxAbort.h stays in the QtCore library vxcore.
#include "VxAbort.h"
#include "VxDialogs.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {
bool runGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const EVxAbort&) {
        return false;
    } catch (const std::exception& e) {
        VxDialogs::error(parent, VxErrorText(e), VxErrorDetails(e));
        return false;
    } catch (...) {
        VxDialogs::error(parent, QCoreApplication::translate("VxDialogs", "Unexpected error"));
        return false;
    }
}

struct ActionListener {
    QPointer<QObject> owner;
    std::function<void()> onBegin;
    std::function<void()> onEnd;
};

std::vector<ActionListener>& actionListeners() {
    static std::vector<ActionListener> listeners;
    return listeners;
}

int g_actionDepth = 0;

// Runs the listeners of an action that starts or is over; their failures are
// shown like an action's own. They run outside the action, so what they do
// is no part of it.
void notifyListeners(QWidget* parent, bool begin) {
    auto& listeners = actionListeners();
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [](const ActionListener& l) { return l.owner.isNull(); }),
                    listeners.end());
    const std::vector<ActionListener> current = listeners;
    for (const ActionListener& listener : current) {
        const std::function<void()>& notify = begin ? listener.onBegin : listener.onEnd;
        if (listener.owner && notify) runGuarded(parent, notify);
    }
}
} // namespace

bool VxGuard(QWidget* parent, const std::function<void()>& action) {
    // The action may take its window with it.
    const QPointer<QWidget> window(parent);
    if (g_actionDepth == 0) notifyListeners(parent, true);
    ++g_actionDepth;
    const bool ok = runGuarded(parent, action);
    if (--g_actionDepth == 0) notifyListeners(window, false);
    return ok;
}

bool VxInAction() {
    return g_actionDepth > 0;
}

void VxWatchActions(QObject* owner, std::function<void()> onBegin, std::function<void()> onEnd) {
    actionListeners().push_back(ActionListener{owner, std::move(onBegin), std::move(onEnd)});
}
