#include "search/SearchDates.h"

#include "platform/Dates.h"

#include <QRegularExpression>
#include <QTime>

namespace
{
// Lower case without accents: "Février" and "fevrier" read alike.
QString folded(const QString& word)
{
    const QString decomposed = word.toLower().normalized(QString::NormalizationForm_D);
    QString out;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            out.append(c);
        }
    }
    return out;
}

// 1..12 for a French month name, 0 for another word.
int monthNamed(const QString& word)
{
    for (int month = 1; month <= 12; ++month) {
        if (folded(Dates::frenchMonthName(month)) == folded(word)) {
            return month;
        }
    }
    return 0;
}

// 1..7 (lundi..dimanche) for a French day name, 0 for another word.
int weekdayNamed(const QString& word)
{
    for (int day = 1; day <= 7; ++day) {
        if (folded(Dates::frenchDayName(day)) == folded(word)) {
            return day;
        }
    }
    return 0;
}

// Two digits are a year of 2000-2029 (00-29) or 1930-1999 (30-99).
int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2) {
        return year;
    }
    return year + (year < 30 ? 2000 : 1900);
}

bool isTimeOfDay(const QString& text)
{
    return QTime::fromString(text, QStringLiteral("H:mm")).isValid()
           || QTime::fromString(text, QStringLiteral("H:mm:ss")).isValid();
}

// "7/3/2007", "07-03-07", "7.3.2007": day, month, year, one separator.
std::optional<QDate> numericDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2})([/.-])([0-9]{1,2})\\2([0-9]{4}|[0-9]{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    return QDate(fullYear(m.captured(4)), m.captured(3).toInt(), m.captured(1).toInt());
}

// "7 mars 2007", "1er août 2007", "mercredi 7 mars 2007" (the day's name
// must then be the date's). "er", in any case, follows the 1st only.
std::optional<QDate> namedDate(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^(?:(\\w+) )?([0-9]{1,2})((?i:er))? (\\w+) ([0-9]{4}|[0-9]{2})$"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = form.match(text);
    const int month = m.hasMatch() ? monthNamed(m.captured(4)) : 0;
    const int dayOfMonth = m.captured(2).toInt();
    if (month == 0 || (m.hasCaptured(3) && dayOfMonth != 1)) {
        return std::nullopt;
    }
    const QDate day(fullYear(m.captured(5)), month, dayOfMonth);
    if (m.hasCaptured(1) && weekdayNamed(m.captured(1)) != day.dayOfWeek()) {
        return std::nullopt;
    }
    return day;
}
} // namespace

namespace SearchDates
{
std::optional<QDate> parse(const QString& text)
{
    QString date = text.simplified();
    // A time of day after the date is dropped.
    const qsizetype blank = date.lastIndexOf(QLatin1Char(' '));
    if (blank > 0 && date.indexOf(QLatin1Char(':'), blank) > blank) {
        if (!isTimeOfDay(date.mid(blank + 1))) {
            return std::nullopt;
        }
        date.truncate(blank);
    }
    std::optional<QDate> day = numericDate(date);
    if (!day) {
        day = namedDate(date);
    }
    if (!day || !day->isValid()) {
        return std::nullopt;
    }
    return day;
}

QDate defaultFirst(const QDate& today)
{
    return today.addDays(-30);
}

QDate defaultLast(const QDate& today)
{
    return today.addDays(60);
}
} // namespace SearchDates
