#pragma once

#include "week/WeekDays.h"

#include <optional>

class Form1;
class QWidget;

namespace WeekReading
{
// The seven days from `monday` of the main window's current user, read
// under the hourglass from the main window's database. A failure shows its
// message over `messageParent` and gives nothing, so that what is on screen
// stays; after a success a main window not connected yet shows its day
// again from the file when it holds no typing (ShownDay::readElsewhere).
std::optional<WeekDays::Week> read(Form1& main, qint32 monday, QWidget* messageParent);
} // namespace WeekReading
