#include "dayrecords/DayStore.h"

#include "platform/Database.h"

#include <QSqlQuery>
#include <QVariant>

namespace
{
QString nonNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString columnList()
{
    return DayFields::all().join(QStringLiteral(", "));
}

std::optional<bool> readFlag(const QVariant& value)
{
    if (value.isNull()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (ok) {
        return number != 0;
    }
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    return std::nullopt;
}

std::optional<QString> readOptionalText(const QVariant& value)
{
    if (value.isNull()) {
        return std::nullopt;
    }
    return value.toString();
}

DayRecord readRecord(const QSqlQuery& query)
{
    DayRecord record;
    record.agendate = query.value(0).toInt();
    record.rvous = query.value(1).toString();
    record.postit = query.value(2).toString();
    record.bloc = query.value(3).toString();
    int column = 4;
    for (const SideBox box : AllSideBoxes) {
        record.flag(box).on = readFlag(query.value(column));
        record.flag(box).text = readOptionalText(query.value(column + 1));
        column += 2;
    }
    record.coche = query.value(column).toString();
    return record;
}

// A day's row and the engine's key of that row.
struct FoundRow
{
    DayRecord record;
    qlonglong rowid = 0;
};

Result<std::optional<FoundRow>> lookupIn(DbConnection& db, const QString& table, qint32 serial)
{
    using R = Result<std::optional<FoundRow>>;
    QSqlQuery query(db.database());
    query.setForwardOnly(true);
    const bool prepared =
        query.prepare(QStringLiteral("SELECT %1, rowid FROM %2 WHERE AGENDATE = ? ORDER BY AGENDATE, rowid LIMIT 1")
                          .arg(columnList(), Sql::quoteIdentifier(table)));
    if (!prepared) {
        return R::failure(QStringLiteral("Lecture du jour impossible : %1").arg(Sql::reason(query.lastError())));
    }
    query.addBindValue(serial);
    if (!query.exec()) {
        return R::failure(QStringLiteral("Lecture du jour impossible : %1").arg(Sql::reason(query.lastError())));
    }
    if (!query.next()) {
        return std::optional<FoundRow>();
    }
    return std::optional<FoundRow>(FoundRow{readRecord(query), query.value(13).toLongLong()});
}

// Writes the record: every field but the flag texts whose flags are False.
// `rowid` names the row found for the day (edited), or nothing (added).
Status write(DbConnection& db, const QString& table, std::optional<qlonglong> rowid, const DayRecord& record)
{
    QStringList columns = {DayFields::Rvous, DayFields::Postit, DayFields::Bloc};
    QVariantList values = {nonNull(record.rvous), nonNull(record.postit), nonNull(record.bloc)};
    for (const SideBox box : AllSideBoxes) {
        const DayFlag& flag = record.flag(box);
        const bool on = flag.on.value_or(false);
        columns << DayFields::flagField(box);
        values << (on ? 1 : 0);
        if (on) {
            columns << DayFields::flagTextField(box);
            values << nonNull(flag.text.value_or(QString()));
        }
    }
    columns << DayFields::Coche;
    values << nonNull(record.coche);

    QSqlQuery query(db.database());
    bool prepared = false;
    if (rowid) {
        // Only the row that was found is edited, even in a table that lets a
        // day have two rows.
        QStringList assignments = {QStringLiteral("AGENDATE = ?")};
        for (const QString& column : columns) {
            assignments << column + QStringLiteral(" = ?");
        }
        prepared = query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                     .arg(Sql::quoteIdentifier(table), assignments.join(QStringLiteral(", "))));
        query.addBindValue(record.agendate);
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        query.addBindValue(*rowid);
    } else {
        QStringList marks;
        for (int i = 0; i <= columns.size(); ++i) {
            marks << QStringLiteral("?");
        }
        prepared = query.prepare(QStringLiteral("INSERT INTO %1 (AGENDATE, %2) VALUES (%3)")
                          .arg(Sql::quoteIdentifier(table), columns.join(QStringLiteral(", ")),
                               marks.join(QStringLiteral(", "))));
        query.addBindValue(record.agendate);
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
    }
    if (!prepared || !query.exec()) {
        return Status::failure(Sql::reason(query.lastError()));
    }
    return Status::success();
}
} // namespace

namespace DayStore
{
Result<QString> checkedTable(DbConnection& db, int user)
{
    const QString wanted = DayQuery::tableName(user);
    if (wanted.isEmpty()) {
        return Result<QString>::failure(QStringLiteral("Utilisateur %1 inconnu.").arg(user));
    }
    const QString table = db.tableName(wanted);
    if (table.isEmpty() || !Sql::isPlainIdentifier(table)) {
        return Result<QString>::failure(QStringLiteral("La table %1 est absente de la base de données « %2 ».")
                                            .arg(wanted, db.path()));
    }
    return table;
}

Result<std::optional<DayRecord>> lookup(DbConnection& db, int user, qint32 serial)
{
    const Result<QString> table = checkedTable(db, user);
    if (!table) {
        return table.status();
    }
    const Result<std::optional<FoundRow>> found = lookupIn(db, *table, serial);
    if (!found) {
        return found.status();
    }
    return found->has_value() ? std::optional<DayRecord>((*found)->record) : std::optional<DayRecord>();
}

Result<DayRecord> save(DbConnection& db, int user, qint32 serial, const Compose& compose)
{
    const Result<QString> table = checkedTable(db, user);
    if (!table) {
        return table.status();
    }
    const Status begun = db.beginWrite();
    if (!begun) {
        return Result<DayRecord>::failure(QStringLiteral("Enregistrement impossible : %1").arg(begun.error()));
    }
    const Result<std::optional<FoundRow>> found = lookupIn(db, *table, serial);
    if (!found) {
        db.rollback();
        return found.status();
    }
    const std::optional<DayRecord> stored =
        found->has_value() ? std::optional<DayRecord>((*found)->record) : std::nullopt;
    DayRecord record = compose(stored);
    record.agendate = serial;
    const Status written = write(db, *table,
                                 found->has_value() ? std::optional<qlonglong>((*found)->rowid) : std::nullopt, record);
    if (!written) {
        db.rollback();
        return Result<DayRecord>::failure(QStringLiteral("Enregistrement impossible : %1").arg(written.error()));
    }
    const Status committed = db.commit();
    if (!committed) {
        db.rollback();
        return Result<DayRecord>::failure(QStringLiteral("Enregistrement impossible : %1").arg(committed.error()));
    }
    // The row as it stands: flag texts that were not written kept their value.
    for (const SideBox box : AllSideBoxes) {
        DayFlag& flag = record.flag(box);
        if (!flag.on.value_or(false)) {
            flag.on = false;
            flag.text = stored ? stored->flag(box).text : std::nullopt;
        } else if (!flag.text) {
            flag.text = QString();
        }
    }
    return record;
}

Result<DayRecord> save(DbConnection& db, int user, const DayRecord& record)
{
    return save(db, user, record.agendate, [&record](const std::optional<DayRecord>&) { return record; });
}
} // namespace DayStore
