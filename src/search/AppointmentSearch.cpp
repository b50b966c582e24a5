#include "search/AppointmentSearch.h"

#include "dayrecords/DayStore.h"
#include "platform/Database.h"
#include "search/LikePattern.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace AppointmentSearch
{
QString rangeQuery(const QString& table)
{
    return QStringLiteral("SELECT AGENDATE, RVOUS FROM %1 WHERE AGENDATE BETWEEN ? AND ? AND RVOUS IS NOT NULL "
                          "ORDER BY AGENDATE")
        .arg(Sql::quoteIdentifier(table));
}

Result<QList<qint32>> findDays(const QString& databasePath, const Request& request)
{
    using R = Result<QList<qint32>>;
    const auto opened = DbConnection::open(databasePath);
    if (!opened) {
        return opened.status();
    }
    DbConnection& db = **opened;
    const Result<QString> table = DayStore::checkedTable(db, request.user);
    if (!table) {
        return table.status();
    }

    QSqlQuery query(db.database());
    query.setForwardOnly(true);
    if (!query.prepare(rangeQuery(*table))) {
        return R::failure(QStringLiteral("Lecture impossible : %1").arg(Sql::reason(query.lastError())));
    }
    query.addBindValue(std::min(request.first, request.last));
    query.addBindValue(std::max(request.first, request.last));
    if (!query.exec()) {
        return R::failure(QStringLiteral("Lecture impossible : %1").arg(Sql::reason(query.lastError())));
    }

    const LikePattern pattern = LikePattern::containing(request.text);
    QList<qint32> days;
    while (query.next()) {
        const qint32 day = query.value(0).toInt();
        if (!days.isEmpty() && days.constLast() == day) {
            continue; // a second row for a day found already
        }
        if (pattern.matches(query.value(1).toString())) {
            days.append(day);
        }
    }
    if (query.lastError().isValid()) {
        return R::failure(QStringLiteral("Lecture impossible : %1").arg(Sql::reason(query.lastError())));
    }
    return days;
}
} // namespace AppointmentSearch
