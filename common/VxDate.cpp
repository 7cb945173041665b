#include "VxDate.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
const QDate kEpoch(1899, 12, 30);
QString g_shortDateFormat;

QString localeShortFormatAsClassic() {
    // Qt writes months as M; the classic letters use m for months.
    QString qt = QLocale::system().dateFormat(QLocale::ShortFormat);
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

TDateTime VxDayOf(const QDate& date) { return static_cast<double>(kEpoch.daysTo(date)); }

QDate VxDateOf(TDateTime day) { return kEpoch.addDays(static_cast<qint64>(std::floor(day))); }

TDateTime VxEncodeDate(int year, int month, int day) { return VxDayOf(QDate(year, month, day)); }

void VxDecodeDate(TDateTime day, int& year, int& month, int& dayOfMonth) {
    QDate d = VxDateOf(day);
    year = d.year();
    month = d.month();
    dayOfMonth = d.day();
}

TDateTime VxToday() { return VxDayOf(QDate::currentDate()); }

QString VxFormatDate(const QString& format, TDateTime day) {
    const QLocale locale = QLocale::system();
    const QDate date = VxDateOf(day);
    double fraction = day - std::floor(day);
    int seconds = static_cast<int>(std::nearbyint(fraction * 86400.0));
    // An am/pm marker anywhere puts the hours on the 12-hour clock.
    const QString amPm = QStringLiteral("am/pm");
    const bool twelveHour = format.contains(amPm, Qt::CaseInsensitive);
    QString out;
    int i = 0;
    while (i < format.size()) {
        QChar c = format[i];
        QChar lower = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int end = format.indexOf(c, i + 1);
            if (end < 0)
                end = format.size();
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (twelveHour && format.mid(i, amPm.size()).compare(amPm, Qt::CaseInsensitive) == 0) {
            const QString marker =
                seconds < 12 * 3600 ? QStringLiteral("am") : QStringLiteral("pm");
            out += c.isUpper() ? marker.toUpper() : marker;
            i += amPm.size();
        } else if (lower == QLatin1Char('d')) {
            int n = countRun(format, i, lower);
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
            else if (n == 3)
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            i += n;
        } else if (lower == QLatin1Char('m')) {
            int n = countRun(format, i, lower);
            if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            else if (n == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else
                out += locale.monthName(date.month(), QLocale::LongFormat);
            i += n;
        } else if (lower == QLatin1Char('y')) {
            int n = countRun(format, i, lower);
            if (n <= 2)
                out += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            else
                out += QString::number(date.year());
            i += n;
        } else if (lower == QLatin1Char('h')) {
            int n = countRun(format, i, lower);
            int h = seconds / 3600;
            if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
            out += n >= 2 ? QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')) : QString::number(h);
            i += n;
        } else if (lower == QLatin1Char('n')) {
            int n = countRun(format, i, lower);
            int m = (seconds / 60) % 60;
            out += n >= 2 ? QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')) : QString::number(m);
            i += n;
        } else if (lower == QLatin1Char('s')) {
            int n = countRun(format, i, lower);
            int s = seconds % 60;
            out += n >= 2 ? QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')) : QString::number(s);
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString VxShortDateFormat() {
    if (g_shortDateFormat.isEmpty())
        g_shortDateFormat = localeShortFormatAsClassic();
    return g_shortDateFormat;
}

void VxSetShortDateFormat(const QString& format) { g_shortDateFormat = format; }

QString VxDateToStr(TDateTime day) { return VxFormatDate(VxShortDateFormat(), day); }

bool VxTryStrToDate(const QString& text, TDateTime& day) {
    // Order of day, month and year as they appear in the format.
    QString order;
    for (QChar c : VxShortDateFormat()) {
        QChar l = c.toLower();
        if ((l == QLatin1Char('d') || l == QLatin1Char('m') || l == QLatin1Char('y')) &&
            !order.contains(l))
            order += l;
    }
    if (order.size() != 3)
        order = QStringLiteral("dmy");
    static const QRegularExpression numbers(QStringLiteral("^\\s*(\\d+)\\D+(\\d+)\\D+(\\d+)\\s*$"));
    auto match = numbers.match(text);
    if (!match.hasMatch())
        return false;
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
    if (!date.isValid())
        return false;
    day = VxDayOf(date);
    return true;
}
