// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxAbort.h"

void VxAbort() {
    throw EVxAbort();
}

QString VxErrorText(const std::exception& e) {
    if (auto vx = dynamic_cast<const EVxError*>(&e)) return vx->message();
    return QString::fromLocal8Bit(e.what());
}

QString VxErrorDetails(const std::exception& e) {
    if (auto vx = dynamic_cast<const EVxError*>(&e)) return vx->details();
    return QString();
}
