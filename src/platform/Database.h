#pragma once

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <memory>

// The database engine: SQLite files opened by path, shared between the
// practice's workstations. A connection waits up to BusyTimeoutMs for another
// workstation's write to end, and keeps the rollback journal so that a plain
// copy of the file is the whole database.
class DbConnection
{
public:
    static constexpr int BusyTimeoutMs = 5000;

    // The wait of the connections opened from now on. Tests shorten it so
    // that a locked database fails at once; 0 or less goes back to
    // BusyTimeoutMs.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();

    // Opens an existing database file, shared, for reading and writing. Never
    // creates a file: a missing path, a file that is no database, or a table of
    // `requiredTables` that the file lacks gives a French reason.
    // `busyTimeoutMs` above 0 is this connection's own wait for a lock (a
    // lookup made while the user types must not wait long); 0 or less takes
    // busyTimeout().
    static Result<std::shared_ptr<DbConnection>> open(const QString& path,
                                                      const QStringList& requiredTables = {},
                                                      int busyTimeoutMs = 0);
    // The same, read-only: the file is never written (a backup being checked).
    static Result<std::shared_ptr<DbConnection>> openReadOnly(const QString& path,
                                                              const QStringList& requiredTables = {});

    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    QSqlDatabase database() const;
    const QString& path() const { return m_path; }

    // The table's name as the file spells it, found without regard to case
    // (as the original engine did); empty when there is no such table.
    QString tableName(const QString& name) const;
    bool hasTable(const QString& name) const { return !tableName(name).isEmpty(); }
    // The column names of a table, as the file spells them.
    QStringList columns(const QString& table) const;

    // BEGIN IMMEDIATE: takes the write lock at once, so a read made inside the
    // transaction is still true when its write commits.
    Status beginWrite();
    Status commit();
    void rollback();

private:
    DbConnection(QString connectionName, QString path);
    static Result<std::shared_ptr<DbConnection>> openIn(const QString& path, const QStringList& requiredTables,
                                                        int busyTimeoutMs, const QString& mode);

    QString m_connectionName;
    QString m_path;
};

namespace Sql
{
// A plain identifier: a letter or "_" then letters, digits or "_".
bool isPlainIdentifier(const QString& name);
// The identifier between double quotes, for a name already checked as plain.
QString quoteIdentifier(const QString& name);
// A French reason for an engine error, for messages.
QString reason(const QSqlError& error);
// True when the error is another workstation holding the lock past the timeout.
bool isBusy(const QSqlError& error);
// The engine's URI of a database file opened with `mode` ("rw", "ro"), for
// connections and attached databases.
QString fileUri(const QString& path, const QString& mode);
} // namespace Sql

namespace AppointmentDatabase
{
// The six day tables, RVOUS1 .. RVOUS6.
QStringList tableNames();
// The schema of an empty appointment database (one SQL file of the repository).
QString schemaSql();
// Creates an empty appointment database at `path`; refuses an existing file.
Status create(const QString& path);
} // namespace AppointmentDatabase
