#include "week/WeekTexts.h"

#include "platform/Dates.h"

namespace WeekTexts
{
QString readFailedMessage(qint32 monday, const QString& reason)
{
    return QStringLiteral("La semaine du %1 n'a pas pu être lue.\n%2")
        .arg(Dates::longDate(Dates::dateFromSerial(monday)), reason);
}
} // namespace WeekTexts
