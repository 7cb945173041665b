// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxConvert.h"

#include "VxAbort.h"

#include <QCoreApplication>

int VxStrToInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw EVxError(QCoreApplication::translate("VxConvert", "'%1' is not a valid integer value")
                           .arg(text));
    return value;
}
