#pragma once

#include <QDate>

// Today's date as the program sees it. Tests fix it so that they can run on
// 16 April or on a Monday whatever the machine's calendar says.
namespace Clock
{
QDate today();
void setToday(const QDate& day); // a null date goes back to the system clock
} // namespace Clock
