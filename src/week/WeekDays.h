#pragma once

#include "dayrecords/DayRecord.h"
#include "platform/Result.h"

#include <QString>

#include <array>
#include <optional>

// The seven days of a week, Monday to Sunday, as the week window reads them.
namespace WeekDays
{
constexpr int Days = 7;
// Monday 30 December 2002: no week shown starts earlier.
constexpr qint32 MondayBase = 37620;

// The Monday of the week shown for `shownDay`: the latest Monday strictly
// before it (a Monday shows the week before it), never before MondayBase.
qint32 mondayFor(qint32 shownDay);

// Each day's record, or nothing for a day without one.
using Week = std::array<std::optional<DayRecord>, Days>;

// Reads the seven days from `monday` in `user`'s table of the database at
// `path`: one connection of its own, closed at the end, one indexed lookup
// per day. The shared database state is left alone: the main window's reload
// reads its shown day itself, and nothing else reads it after a week. A
// failure (no such user, database or table, a locked file) reads nothing.
Result<Week> read(int user, qint32 monday, const QString& path);
} // namespace WeekDays
