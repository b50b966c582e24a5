#pragma once

#include "dayrecords/DayRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

// One day of the week window: the lines of its list, Monday to Sunday alike.
// A day with a record shows each row as its time label followed directly by
// its slot text, a half-day marked absent as a short fixed pattern; a day
// without a record shows the time labels alone. The lines depend only on the
// slot length and the day's record.
namespace WeekColumn
{
// "XXXXXXXXXXXXXXXXXX": the rows around the absence line.
inline const QString AbsentFill = QStringLiteral("XXXXXXXXXXXXXXXXXX");
// "XXXXX  ABSENT  XXXXX"
inline const QString AbsentLine = QStringLiteral("XXXXX  ABSENT  XXXXX");

// The absence state of a day with a record: none, morning, afternoon, all
// day. It is the day's own: a flag stored without a value counts as not
// absent, so the state no longer needs to be carried from one column to the
// next as it was when such a flag kept the state of the column before.
enum class AbsentState { None = 0, Morning = 1, Afternoon = 2, AllDay = 3 };

// True for the slot lengths a column can show: 10, 15, 20, 30 and 60 minutes.
bool isSlotLength(int minutes);

// The 53 labels put in front of rows 0..52 of a day with a record ("08h00 : ",
// "     10 : ", "      15 : ", "         : "); empty for another slot length.
QStringList SlotLabels(int minutes);

// The lines of a day without a record (53 for 20 minutes, 54 otherwise);
// empty for another slot length.
QStringList EmptyDayLabels(int minutes);

// From ABSENT1 and ABSENT2; a flag stored without a value counts as not absent.
AbsentState absentState(const DayRecord& record);

// The lines of the day's list: `day` is the day's record, or nothing when it
// has none. Nothing for a slot length the column cannot show, in which case
// the list keeps what it held. Missing slot texts (a NULL or short RVOUS)
// leave their labels bare; texts after the 53rd are not shown.
std::optional<QStringList> lines(const std::optional<DayRecord>& day, int slotMinutes);
} // namespace WeekColumn
