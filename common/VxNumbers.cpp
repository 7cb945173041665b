// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxNumbers.h"

#include "VxAbort.h"

#include <QCoreApplication>

namespace {
const char* noneLeft(TVxNumbered what) {
    switch (what) {
    case TVxNumbered::Job:
        return QT_TRANSLATE_NOOP("VxNumbers", "There is no job number left: %1, the highest "
                                              "there can be, is in use.");
    case TVxNumbered::Item:
        return QT_TRANSLATE_NOOP("VxNumbers", "There is no item number left: %1, the highest "
                                              "there can be, is in use.");
    case TVxNumbered::Scenario:
        break;
    }
    return QT_TRANSLATE_NOOP("VxNumbers", "There is no scenario number left: %1, the highest "
                                          "there can be, is in use.");
}
} // namespace

void VxRequireNextNumber(int next, TVxNumbered what) {
    if (next != VxNoNextNumber) return;
    throw EVxError(QCoreApplication::translate("VxNumbers", noneLeft(what))
                       .arg(std::numeric_limits<int>::max()));
}

int VxTakeNumber(int& next, TVxNumbered what) {
    VxRequireNextNumber(next, what);
    const int number = next;
    next = VxNextAfter(number);
    return number;
}
