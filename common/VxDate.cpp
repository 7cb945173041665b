// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDate.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
// 30 December 1899, made at compile time: day numbers computed while other
// files' constants are made must not meet an epoch not yet made.
constexpr QDate kEpoch = QDate::fromJulianDay(2415019);
QString g_shortDateFormat;

QString localeShortFormatAsClassic() {
    // Qt writes months as M; the classic letters use m for months.
    QString qt = QLocale().dateFormat(QLocale::ShortFormat);
    QString out;
    for (QChar c : qt) {
        if (c == QLatin1Char('M'))
            out += QLatin1Char('m');
        else
            out += c;
    }
    return out;
}

int countRun(const QString& format, int pos, QChar letter) {
    int n = 0;
    while (pos + n < format.size() && format[pos + n].toLower() == letter)
        ++n;
    return n;
}
} // namespace

TDateTime VxDayOf(const QDate& date) {
    return static_cast<double>(kEpoch.daysTo(date));
}

QDate VxDateOf(TDateTime day) {
    return kEpoch.addDays(static_cast<qint64>(std::floor(day)));
}

QString VxDayText(TDateTime day) {
    const QDate date = VxDateOf(day);
    const int year = date.year();
    if (year < 0 || year > 9999) return VxFormatDate(QStringLiteral("dd/mm/yyyy"), day);
    // Written digit by digit: a change list writes thousands of dates.
    const int digits[] = {date.day() / 10,   date.day() % 10,   -1,
                          date.month() / 10, date.month() % 10, -1,
                          year / 1000,       year / 100 % 10,   year / 10 % 10,
                          year % 10};
    QString text(10, Qt::Uninitialized);
    for (int i = 0; i < 10; ++i)
        text[i] = digits[i] < 0 ? QLatin1Char('/') : QLatin1Char(char('0' + digits[i]));
    return text;
}

TDateTime VxEncodeDate(int year, int month, int day) {
    return VxDayOf(QDate(year, month, day));
}

void VxDecodeDate(TDateTime day, int& year, int& month, int& dayOfMonth) {
    QDate d = VxDateOf(day);
    year = d.year();
    month = d.month();
    dayOfMonth = d.day();
}

TDateTime VxToday() {
    return VxDayOf(QDate::currentDate());
}

namespace {
// The 12-hour clock markers: "am/pm", "a/p" and "ampm" (case as written:
// "AM/PM" writes "AM"). Returns the marker's length at pos, 0 when none.
int clockMarkerAt(const QString& format, int pos) {
    for (const char* marker : {"am/pm", "a/p", "ampm"}) {
        const QString m = QLatin1String(marker);
        if (format.mid(pos, m.size()).compare(m, Qt::CaseInsensitive) == 0) return int(m.size());
    }
    return 0;
}

bool usesTwelveHours(const QString& format) {
    QChar quote;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (clockMarkerAt(format, i) > 0) {
            return true;
        }
    }
    return false;
}

QString clockMarker(const QString& written, int hour) {
    const bool pm = hour >= 12;
    if (written.size() == 3) // a/p
        return QString(written[pm ? 2 : 0]);
    QString text = pm ? QStringLiteral("pm") : QStringLiteral("am");
    return written[0].isUpper() ? text.toUpper() : text;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

QString VxFormatDate(const QString& format, TDateTime day) {
    // The program's locale (the chosen language's); the short names stand
    // alone, without the abbreviation dots some languages add.
    const QLocale locale;
    QDate date = VxDateOf(day);
    const double fraction = day - std::floor(day);
    int seconds = static_cast<int>(std::nearbyint(fraction * 86400.0));
    if (seconds >= 86400) seconds = 86399; // a hair before midnight stays on its day
    const int hour = seconds / 3600;
    const bool twelveHours = usesTwelveHours(format);
    QString out;
    QChar lastLetter; // "m" right after an hour means minutes
    int i = 0;
    while (i < format.size()) {
        QChar c = format[i];
        QChar lower = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int end = format.indexOf(c, i + 1);
            if (end < 0) end = format.size();
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (const int marker = clockMarkerAt(format, i)) {
            out += clockMarker(format.mid(i, marker), hour);
            i += marker;
            continue;
        }
        if (lower == QLatin1Char('m') && lastLetter == QLatin1Char('h')) lower = QLatin1Char('n');
        if (lower.isLetter()) lastLetter = lower;
        const bool dateLetter = QStringLiteral("dmyhns").contains(lower);
        const int n = dateLetter ? countRun(format, i, c.toLower()) : 1;
        if (lower == QLatin1Char('d')) {
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += twoDigits(date.day());
            else if (n == 3)
                out += locale.standaloneDayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        } else if (lower == QLatin1Char('m')) {
            if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += twoDigits(date.month());
            else if (n == 3)
                out += locale.standaloneMonthName(date.month(), QLocale::ShortFormat);
            else
                out += locale.monthName(date.month(), QLocale::LongFormat);
        } else if (lower == QLatin1Char('y')) {
            if (n <= 2)
                out += twoDigits(date.year() % 100);
            else
                out += QString::number(date.year());
        } else if (lower == QLatin1Char('h')) {
            int h = hour;
            if (twelveHours) h = h % 12 == 0 ? 12 : h % 12;
            out += n >= 2 ? twoDigits(h) : QString::number(h);
        } else if (lower == QLatin1Char('n')) {
            const int m = (seconds / 60) % 60;
            out += n >= 2 ? twoDigits(m) : QString::number(m);
        } else if (lower == QLatin1Char('s')) {
            const int s = seconds % 60;
            out += n >= 2 ? twoDigits(s) : QString::number(s);
        } else {
            out += c;
        }
        i += n;
    }
    return out;
}

QString VxShortDateFormat() {
    if (g_shortDateFormat.isEmpty()) g_shortDateFormat = localeShortFormatAsClassic();
    return g_shortDateFormat;
}

void VxSetShortDateFormat(const QString& format) {
    g_shortDateFormat = format;
}

QString VxDateToStr(TDateTime day) {
    return VxFormatDate(VxShortDateFormat(), day);
}

bool VxTryStrToDate(const QString& text, TDateTime& day) {
    // Order of day, month and year as they appear in the format.
    QString order;
    for (QChar c : VxShortDateFormat()) {
        QChar l = c.toLower();
        if ((l == QLatin1Char('d') || l == QLatin1Char('m') || l == QLatin1Char('y')) &&
            !order.contains(l))
            order += l;
    }
    if (order.size() != 3) order = QStringLiteral("dmy");
    static const QRegularExpression numbers(QStringLiteral("^\\s*(\\d+)\\D+(\\d+)\\D+(\\d+)\\s*$"));
    auto match = numbers.match(text);
    if (!match.hasMatch()) return false;
    int values[3];
    for (int i = 0; i < 3; ++i)
        values[i] = match.captured(i + 1).toInt();
    int d = values[order.indexOf(QLatin1Char('d'))];
    int m = values[order.indexOf(QLatin1Char('m'))];
    int y = values[order.indexOf(QLatin1Char('y'))];
    const QString yearText = match.captured(order.indexOf(QLatin1Char('y')) + 1);
    if (yearText.size() <= 2) {
        int thisYear = QDate::currentDate().year();
        int century = thisYear - thisYear % 100;
        y += century;
        if (y > thisYear + 50)
            y -= 100;
        else if (y <= thisYear - 50)
            y += 100;
    }
    QDate date(y, m, d);
    if (!date.isValid()) return false;
    day = VxDayOf(date);
    return true;
}
