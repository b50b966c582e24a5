#include "platform/Clock.h"

namespace
{
QDate& fixedToday()
{
    static QDate day;
    return day;
}
} // namespace

namespace Clock
{
QDate today()
{
    return fixedToday().isValid() ? fixedToday() : QDate::currentDate();
}

void setToday(const QDate& day)
{
    fixedToday() = day;
}
} // namespace Clock
