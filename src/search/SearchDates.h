#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The two dates of a search as the user types them.
namespace SearchDates
{
// The date a text names: a short date ("07/03/2007", "7/3/07"; two-digit
// years 00-29 are 20xx, 30-99 are 19xx), possibly followed by a time of day
// ("07/03/2007 10:30"), which is dropped. Nothing when the text is no date.
std::optional<QDate> parse(const QString& text);

// The range the window opens with: 30 days before today to 60 days after.
QDate defaultFirst(const QDate& today);
QDate defaultLast(const QDate& today);
} // namespace SearchDates
