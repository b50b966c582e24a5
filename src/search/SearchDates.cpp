#include "search/SearchDates.h"

#include "platform/Dates.h"

#include <QStringList>
#include <QTime>

namespace SearchDates
{
std::optional<QDate> parse(const QString& text)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2) {
        return std::nullopt;
    }
    if (words.size() == 2) {
        const QString& time = words.at(1);
        const bool isTime = QTime::fromString(time, QStringLiteral("H:mm")).isValid()
                            || QTime::fromString(time, QStringLiteral("H:mm:ss")).isValid();
        if (!isTime) {
            return std::nullopt;
        }
    }
    const QDate day = Dates::parseShortDate(words.at(0));
    if (!day.isValid()) {
        return std::nullopt;
    }
    return day;
}

QDate defaultFirst(const QDate& today)
{
    return today.addDays(-30);
}

QDate defaultLast(const QDate& today)
{
    return today.addDays(60);
}
} // namespace SearchDates
