// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSaveFile.h"

#include "VxAbort.h"

#include <QSaveFile>

void VxSaveFileBytes(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) throw EVxError(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString message = file.errorString();
        file.cancelWriting();
        throw EVxError(message);
    }
    if (!file.commit()) throw EVxError(file.errorString());
}
