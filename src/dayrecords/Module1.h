#pragma once

#include "dayrecords/DayStore.h"

#include <QString>

#include <memory>
#include <optional>

class DbConnection;

// The process-wide database state through which the windows reach the
// appointment database: the open database (DB), the day recordset (RS) and
// the text of its query (SQL). Every day lookup opens the database anew.
namespace Module1
{
struct Recordset
{
    enum class Kind { None, Day, Search };
    Kind kind = Kind::None;
    int user = 0;
    std::optional<DayRecord> current; // the current record, if any
    bool noMatch = true;
};

struct State
{
    std::shared_ptr<DbConnection> DB;
    Recordset RS;
    QString SQL;
};

State& state();

// The day lookup: DB := the database at `path`, SQL := the user's table query,
// RS := day `serial` of that table (no current record when it has none).
Result<std::optional<DayRecord>> dayLookup(int user, qint32 serial, const QString& path);

// The day save for user and day: lookup and write in one transaction. Leaves
// DB on the database, SQL on the user's query and RS on the written record.
Result<DayRecord> daySave(int user, qint32 serial, const QString& path, const DayStore::Compose& compose);

// Closes DB (the backup does so before copying the file).
void closeDatabase();
} // namespace Module1
