// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefData.h"

#include "VxAbort.h"

#include <QCoreApplication>
#include <cmath>
#include <map>

namespace {
const QString KeySeparator = QStringLiteral(" : ");

bool isUpperAsciiLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

int fabricStruLength(const QString& fabricKey) {
    if (fabricKey.isEmpty()) return 0;
    return fabricKey.size() >= 2 && isUpperAsciiLetter(fabricKey.at(1)) ? 2 : 1;
}
} // namespace

QString MakeWarpKey(const QString& warpType, const QString& warpCol) {
    return warpType + QLatin1Char('-') + warpCol;
}

QString MakeFabricKey(const QString& fabricStru, const QString& fabricCol, const QString& weftCol) {
    return fabricStru + fabricCol + KeySeparator + weftCol;
}

QString WarpTypeOf(const QString& warpKey) {
    const int dash = warpKey.indexOf(QLatin1Char('-'));
    return dash < 0 ? QString() : warpKey.left(dash);
}

QString WarpColOf(const QString& warpKey) {
    const int dash = warpKey.indexOf(QLatin1Char('-'));
    if (dash < 0) return QString();
    const int blank = warpKey.indexOf(QLatin1Char(' '), dash + 1);
    return blank < 0 ? warpKey.mid(dash + 1) : warpKey.mid(dash + 1, blank - dash);
}

QString FabricStruOf(const QString& fabricKey) {
    return fabricKey.left(fabricStruLength(fabricKey));
}

QString FabricColOf(const QString& fabricKey) {
    const int start = fabricStruLength(fabricKey);
    const int sep = fabricKey.indexOf(KeySeparator);
    if (sep < 0) return fabricKey.mid(start);
    return sep <= start ? QString() : fabricKey.mid(start, sep - start);
}

QString WeftColOf(const QString& fabricKey) {
    const int sep = fabricKey.indexOf(KeySeparator);
    return sep < 0 ? QString() : fabricKey.mid(sep + KeySeparator.size());
}

std::optional<TRefRange> RefColumnRange(const QString& column) {
    // Generous for any plant: metres, kilograms, hours and ends of real warps
    // and pieces lie far inside.
    static const std::map<QString, TRefRange> ranges = {
        {QStringLiteral("TOTALENDS"), {0, 1e6}},  {QStringLiteral("DENTSPERCM"), {0, 1e4}},
        {QStringLiteral("AVEHRS"), {0, 1e6}},     {QStringLiteral("GREIGELENPERCENT"), {0, 1000}},
        {QStringLiteral("WARPLEN"), {0, 1e7}},    {QStringLiteral("WARPWGT"), {0, 1e7}},
        {QStringLiteral("PIECELEN"), {0, 1e6}},   {QStringLiteral("WARPPCEWGT"), {0, 1e6}},
        {QStringLiteral("WEFTPCEWGT"), {0, 1e6}}, {QStringLiteral("HRSPERPIECE"), {0, 1e6}},
    };
    const auto it = ranges.find(column.toUpper());
    if (it == ranges.end()) return std::nullopt;
    return it->second;
}

std::optional<TRefRange> RefEntryRange(const QString& column) {
    static const std::map<QString, TRefRange> ranges = {
        // Loom numbers name looms in stored scenarios: positive, and a shed
        // has far fewer than 100,000 looms.
        {QStringLiteral("POSN"), {1, 99999}},
        // The widest looms (about 5.4 m) at about 100 ends per cm.
        {QStringLiteral("TOTALENDS"), {1, 60000}},
        // From the coarsest reeds to the finest silk reeds.
        {QStringLiteral("DENTSPERCM"), {0.5, 50}},
        {QStringLiteral("AVEHRS"), {0, 1000}},
        // Greige length as a share of the warp length: woven cloth is never
        // longer than its warp, and 0 would weave nothing.
        {QStringLiteral("GREIGELENPERCENT"), {1, 100}},
        // Metres of a warp and kilograms of yarn on one beam.
        {QStringLiteral("WARPLEN"), {1, 100000}},
        {QStringLiteral("WARPWGT"), {0.1, 10000}},
        // One piece: metres, kilograms of warp and of weft, weaving hours.
        {QStringLiteral("PIECELEN"), {1, 10000}},
        {QStringLiteral("WARPPCEWGT"), {0.01, 1000}},
        {QStringLiteral("WEFTPCEWGT"), {0.01, 1000}},
        {QStringLiteral("HRSPERPIECE"), {0.01, 1000}},
    };
    const auto it = ranges.find(column.toUpper());
    if (it == ranges.end()) return std::nullopt;
    return it->second;
}

void CheckRefValue(const QString& column, double value) {
    const std::optional<TRefRange> range = RefColumnRange(column);
    if (!range) return;
    if (value >= range->Min && value <= range->Max) return; // false for NaN too
    throw EVxError(QCoreApplication::translate("RefData", "%1 is out of range (%2 to %3)")
                       .arg(QString::number(value, 'g', 15), QString::number(range->Min, 'g', 15),
                            QString::number(range->Max, 'g', 15)));
}
