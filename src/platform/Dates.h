#pragma once

#include <QDate>
#include <QString>

// Days as the appointment database counts them: whole days since
// 30 December 1899 (7 March 2007 is 39148; earlier days are negative).
namespace Dates
{
qint32 daySerial(const QDate& day);
QDate dateFromSerial(qint32 serial);

// "mercredi 7 mars 2007"
QString longDate(const QDate& day);
// "07/03/2007"
QString shortDate(const QDate& day);

QString frenchDayName(int dayOfWeek);  // 1 = lundi ... 7 = dimanche
QString frenchMonthName(int month);    // 1 = janvier ... 12 = décembre
} // namespace Dates
