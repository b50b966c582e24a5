#pragma once

#include "platform/Result.h"

#include <QList>
#include <QString>

// The appointment search: the days of one user on which the slot texts hold
// a text. It reads the database on a connection of its own and leaves the
// main window's database state alone.
namespace AppointmentSearch
{
struct Request
{
    int user = 0;       // 1..6
    qint32 first = 0;   // the range, both ends included; given in either order
    qint32 last = 0;
    QString text;       // sought as typed, blanks and pattern characters included
};

// The days, ascending, each once, whose RVOUS (the 53 slot texts as one
// text, row separators included) matches "*" + text + "*" (LikePattern).
// Only the slot texts are searched. A database that cannot be opened or read,
// or that lacks the user's table, gives a French reason.
Result<QList<qint32>> findDays(const QString& databasePath, const Request& request);

// The query that reads a user's days of a range for the search: AGENDATE and
// RVOUS of the rows whose RVOUS is not NULL, in day order, the two ends
// bound. `table` must be a checked identifier.
QString rangeQuery(const QString& table);
} // namespace AppointmentSearch
