// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of an open dataset as a sheet, as its grid shows them: the
// visible columns under their labels, numbers as numbers, dates as dates.

#include "VxSheet.h"

class TVxDataSet;

TVxSheet VxDataSetSheet(const TVxDataSet& dataSet, const QString& name);
