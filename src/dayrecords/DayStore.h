#pragma once

#include "dayrecords/DayRecord.h"
#include "platform/Result.h"

#include <functional>
#include <memory>
#include <optional>

class DbConnection;

// Reading and writing day records on an open appointment database.
namespace DayStore
{
// User's table (RVOUS1..RVOUS6) as the file spells it, checked as a plain
// identifier; a French reason when the user is unknown or the table absent.
Result<QString> checkedTable(DbConnection& db, int user);

// The day's record in user's table (one indexed query on AGENDATE), or
// nothing when the day has no row.
Result<std::optional<DayRecord>> lookup(DbConnection& db, int user, qint32 serial);

// Gives the record to write from what is stored for the day (nothing when the
// day has no row yet). Runs inside the save's write transaction.
using Compose = std::function<DayRecord(const std::optional<DayRecord>& stored)>;

// The day save: in one write transaction, finds the day's row, then edits it
// or adds it. Every field is written but a flag text whose flag is False,
// which keeps what the row held. Gives the row as it stands afterwards.
// Nothing is stored unless the whole save succeeds.
Result<DayRecord> save(DbConnection& db, int user, qint32 serial, const Compose& compose);
Result<DayRecord> save(DbConnection& db, int user, const DayRecord& record);
} // namespace DayStore
