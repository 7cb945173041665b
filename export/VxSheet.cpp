// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSheet.h"

#include <cmath>

TVxCell TVxCell::FromText(const QString& text) {
    TVxCell cell;
    cell.Kind = TKind::Text;
    cell.Text = text;
    return cell;
}

TVxCell TVxCell::FromNumber(double value) {
    TVxCell cell;
    cell.Kind = TKind::Number;
    cell.Number = value;
    return cell;
}

TVxCell TVxCell::FromDate(TDateTime day) {
    TVxCell cell;
    if (day == 0) return cell;
    cell.Kind = TKind::Date;
    cell.Number = std::floor(day);
    return cell;
}

bool TVxCell::operator==(const TVxCell& other) const {
    return Kind == other.Kind && Number == other.Number && Text == other.Text;
}
