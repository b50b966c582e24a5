#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The two dates of a search as the user types them.
namespace SearchDates
{
// The date a text names, in the forms a French user types: day, month and
// year in digits with "/", "-" or "." ("07/03/2007", "7-3-07", "7.3.2007"),
// or with the month's name, case and accents optional ("7 mars 2007",
// "1er aout 2007", "mercredi 7 mars 2007"; "er" after the 1st only).
// Two-digit years 00-29 are 20xx, 30-99 are 19xx. A time of day after the
// date ("07/03/2007 10:30") is dropped. Nothing when the text is no date: a
// sign, a day that does not exist, anything else.
std::optional<QDate> parse(const QString& text);

// The range the window opens with: 30 days before today to 60 days after.
QDate defaultFirst(const QDate& today);
QDate defaultLast(const QDate& today);
} // namespace SearchDates
