// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxFieldFormat.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace {
// One section of a number pattern, taken apart.
struct TNumberPattern {
    QString Prefix, Suffix;
    int IntZeros = 0;  // least integer digits
    int IntDigits = 0; // integer placeholders (0 and #)
    bool Thousands = false;
    bool Point = false;
    int DecZeros = 0; // decimals always shown
    int DecMax = 0;   // decimals at most
    bool Scientific = false;
    bool ExpPlus = false;
    int ExpDigits = 0;
    bool HasDigits = false;
};

QStringList sectionsOf(const QString& format) {
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

TNumberPattern parse(const QString& section) {
    TNumberPattern p;
    bool started = false;
    auto literal = [&](const QString& text) { (started ? p.Suffix : p.Prefix) += text; };
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int end = section.indexOf(c, i + 1);
            if (end < 0) end = int(section.size());
            literal(section.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            started = p.HasDigits = true;
            if (p.Point) {
                ++p.DecMax;
                if (c == QLatin1Char('0')) p.DecZeros = p.DecMax;
            } else {
                ++p.IntDigits;
                if (c == QLatin1Char('0')) ++p.IntZeros;
            }
        } else if (c == QLatin1Char('.') && !p.Point && !p.Scientific) {
            started = p.Point = true;
        } else if (c == QLatin1Char(',') && !p.Point && !p.Scientific) {
            p.Thousands = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && p.HasDigits &&
                   !p.Scientific && i + 1 < section.size() &&
                   (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'))) {
            p.Scientific = true;
            p.ExpPlus = section[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0') && p.ExpDigits < 4) {
                ++p.ExpDigits;
                ++i;
            }
            --i;
        } else {
            literal(QString(c));
        }
    }
    return p;
}

QString groupThousands(const QString& digits, const QString& separator) {
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

// Digits of a non-negative value with the pattern's integer and decimal
// parts; "" for an integer part that is zero with no 0 placeholder.
QString fixedDigits(const TNumberPattern& p, double magnitude, const QLocale& locale) {
    // Nudge by the value's own spacing so that a written half (2.5, 0.125)
    // rounds away from zero.
    const double nudged = std::nextafter(magnitude, INFINITY);
    QString text = QString::number(nudged, 'f', p.DecMax);
    QString intPart = text, frac;
    const int dot = int(text.indexOf(QLatin1Char('.')));
    if (dot >= 0) {
        intPart = text.left(dot);
        frac = text.mid(dot + 1);
    }
    while (frac.size() > p.DecZeros && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (intPart == QLatin1String("0") && p.IntZeros == 0) intPart.clear();
    while (intPart.size() < p.IntZeros)
        intPart.prepend(QLatin1Char('0'));
    if (p.Thousands) intPart = groupThousands(intPart, locale.groupSeparator());
    return frac.isEmpty() ? intPart : intPart + locale.decimalPoint() + frac;
}

QString scientificDigits(const TNumberPattern& p, double magnitude, const QLocale& locale) {
    const int intDigits = std::max(1, p.IntDigits);
    int exponent = 0;
    if (magnitude > 0) exponent = int(std::floor(std::log10(magnitude))) - (intDigits - 1);
    TNumberPattern mantissa = p;
    mantissa.Thousands = false;
    mantissa.IntZeros = std::max(1, p.IntZeros);
    QString digits = fixedDigits(mantissa, magnitude / std::pow(10.0, exponent), locale);
    const int intLen = int(digits.indexOf(locale.decimalPoint()));
    if ((intLen < 0 ? digits.size() : intLen) > intDigits) { // 9.99 rounded up to 10.0
        ++exponent;
        digits = fixedDigits(mantissa, magnitude / std::pow(10.0, exponent), locale);
    }
    QString exp = QString::number(std::abs(exponent));
    while (exp.size() < p.ExpDigits)
        exp.prepend(QLatin1Char('0'));
    const QString sign =
        exponent < 0 ? QStringLiteral("-") : (p.ExpPlus ? QStringLiteral("+") : QString());
    return digits + QLatin1Char('E') + sign + exp;
}

QString digitsOf(const TNumberPattern& p, double magnitude, const QLocale& locale) {
    return p.Scientific ? scientificDigits(p, magnitude, locale)
                        : fixedDigits(p, magnitude, locale);
}

bool allZero(const QString& digits) {
    for (const QChar c : digits)
        if (c.isDigit() && c != QLatin1Char('0')) return false;
    return true;
}
} // namespace

QString VxFormatFloat(const QString& format, double value) {
    const QLocale locale;
    if (format.isEmpty() || !std::isfinite(value)) return QString::number(value, 'g', 15);
    const QStringList sections = sectionsOf(format);
    const TNumberPattern positive = parse(sections[0]);

    const double magnitude = std::fabs(value);
    const bool zero = allZero(digitsOf(positive, magnitude, locale));
    if (zero && sections.size() >= 3 && !sections[2].isEmpty()) {
        const TNumberPattern z = parse(sections[2]);
        return z.Prefix + (z.HasDigits ? digitsOf(z, 0.0, locale) : QString()) + z.Suffix;
    }
    if (value < 0 && !zero && sections.size() >= 2 && !sections[1].isEmpty()) {
        const TNumberPattern n = parse(sections[1]);
        return n.Prefix + (n.HasDigits ? digitsOf(n, magnitude, locale) : QString()) + n.Suffix;
    }
    QString digits = positive.HasDigits ? digitsOf(positive, magnitude, locale) : QString();
    const QString minus = value < 0 && !allZero(digits) ? QStringLiteral("-") : QString();
    return minus + positive.Prefix + digits + positive.Suffix;
}

QString VxFormatCurrency(double value) {
    return QLocale().toCurrencyString(value, QString(), 2);
}

QString VxFixedText(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String(".")) text.replace(QLatin1Char('.'), point);
    return text;
}
