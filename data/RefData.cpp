#include "RefData.h"

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
