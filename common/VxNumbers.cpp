#include "VxNumbers.h"

#include "VxAbort.h"

void VxRequireNextNumber(int next, const QString& what) {
    if (next != VxNoNextNumber) return;
    throw EVxError(QStringLiteral("There is no %1 number left: %1 number %2, the highest there "
                                  "can be, is in use.")
                       .arg(what)
                       .arg(std::numeric_limits<int>::max()));
}

int VxTakeNumber(int& next, const QString& what) {
    VxRequireNextNumber(next, what);
    const int number = next;
    next = VxNextAfter(number);
    return number;
}
