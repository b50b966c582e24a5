#pragma once

#include <QString>

// The week window's messages.
namespace WeekTexts
{
// A week that could not be read: its Monday in words, the reason below.
QString readFailedMessage(qint32 monday, const QString& reason);
} // namespace WeekTexts
