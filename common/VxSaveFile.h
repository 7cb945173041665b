// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a whole file safely.

#include <QByteArray>
#include <QString>

// Writes bytes through a temporary file that replaces fileName only once
// complete. Throws EVxError with the system's message on failure, leaving
// fileName as it was.
void VxSaveFileBytes(const QString& fileName, const QByteArray& bytes);
