#include "week/WeekDays.h"

#include "dayrecords/DayStore.h"
#include "platform/Database.h"

namespace WeekDays
{
qint32 mondayFor(qint32 shownDay)
{
    // Steps of a week from MondayBase up to the first Monday on or after the
    // shown day, one step back; at least one step is taken.
    if (shownDay <= MondayBase + Days) {
        return MondayBase;
    }
    const qint32 weeks = (shownDay - MondayBase + Days - 1) / Days;
    return MondayBase + (weeks - 1) * Days;
}

Result<Week> read(int user, qint32 monday, const QString& path)
{
    if (DayQuery::tableQuery(user).isEmpty()) {
        return Result<Week>::failure(QStringLiteral("Utilisateur %1 inconnu.").arg(user));
    }
    const auto opened = DbConnection::open(path, {DayQuery::tableName(user)});
    if (!opened) {
        return opened.status();
    }
    Week week;
    for (int day = 0; day < Days; ++day) {
        const auto found = DayStore::lookup(**opened, user, monday + day);
        if (!found) {
            return found.status();
        }
        week[static_cast<std::size_t>(day)] = *found;
    }
    return week;
}
} // namespace WeekDays
