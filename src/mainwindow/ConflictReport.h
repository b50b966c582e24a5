#pragma once

#include "dayrecords/DayMerge.h"

#include <QString>

// What the user is told when a save met another workstation's changes to the
// same units of the day: which time slot or box held what over there.
namespace ConflictReport
{
// "09h15", or "ligne 22" for a row without a time of its own.
QString rowName(int row, int slotMinutes);
// The whole message; empty when there is no conflict.
QString message(const QList<DayConflict>& conflicts, int slotMinutes);
} // namespace ConflictReport
