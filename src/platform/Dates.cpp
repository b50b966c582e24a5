#include "platform/Dates.h"

#include <QStringList>

namespace
{
const QDate& epoch()
{
    static const QDate day(1899, 12, 30);
    return day;
}
} // namespace

namespace Dates
{
qint32 daySerial(const QDate& day)
{
    return static_cast<qint32>(epoch().daysTo(day));
}

QDate dateFromSerial(qint32 serial)
{
    return epoch().addDays(serial);
}

QString frenchDayName(int dayOfWeek)
{
    static const QStringList names = {
        QStringLiteral("lundi"),    QStringLiteral("mardi"),  QStringLiteral("mercredi"),
        QStringLiteral("jeudi"),    QStringLiteral("vendredi"), QStringLiteral("samedi"),
        QStringLiteral("dimanche")};
    return (dayOfWeek >= 1 && dayOfWeek <= 7) ? names.at(dayOfWeek - 1) : QString();
}

QString frenchMonthName(int month)
{
    static const QStringList names = {
        QStringLiteral("janvier"), QStringLiteral("février"),  QStringLiteral("mars"),
        QStringLiteral("avril"),   QStringLiteral("mai"),      QStringLiteral("juin"),
        QStringLiteral("juillet"), QStringLiteral("août"),     QStringLiteral("septembre"),
        QStringLiteral("octobre"), QStringLiteral("novembre"), QStringLiteral("décembre")};
    return (month >= 1 && month <= 12) ? names.at(month - 1) : QString();
}

QString longDate(const QDate& day)
{
    if (!day.isValid()) {
        return QString();
    }
    return QStringLiteral("%1 %2 %3 %4")
        .arg(frenchDayName(day.dayOfWeek()))
        .arg(day.day())
        .arg(frenchMonthName(day.month()))
        .arg(day.year());
}

QString shortDate(const QDate& day)
{
    if (!day.isValid()) {
        return QString();
    }
    return QStringLiteral("%1/%2/%3")
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .arg(day.month(), 2, 10, QLatin1Char('0'))
        .arg(day.year(), 4, 10, QLatin1Char('0'));
}
} // namespace Dates
