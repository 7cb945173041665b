// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reference figures of the output summary, read from the database the
// reports query: warp types with their standard length and weight, fabrics
// with their piece length, as the engine holds them.

#include "VxPlanSummary.h"

#include <QSqlDatabase>

// Throws EVxError with the database's message on failure.
TVxOutputRates ReadOutputRates(const QSqlDatabase& db);
