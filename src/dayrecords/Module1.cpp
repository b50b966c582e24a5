#include "dayrecords/Module1.h"

#include "platform/Database.h"

#include <QCoreApplication>

namespace
{
Result<std::shared_ptr<DbConnection>> reopen(int user, const QString& path)
{
    Module1::State& s = Module1::state();
    s.DB.reset();
    s.RS = Module1::Recordset();
    const QString query = DayQuery::tableQuery(user);
    if (!query.isEmpty()) {
        s.SQL = query;
    }
    auto opened = DbConnection::open(path);
    if (opened) {
        s.DB = *opened;
    }
    return opened;
}
} // namespace

namespace Module1
{
State& state()
{
    static State s;
    // The connection goes with the application, while the database engine's
    // own registry of connections is still there.
    static const bool closedAtExit = [] {
        qAddPostRoutine(closeDatabase);
        return true;
    }();
    Q_UNUSED(closedAtExit);
    return s;
}

Result<std::optional<DayRecord>> dayLookup(int user, qint32 serial, const QString& path)
{
    const auto opened = reopen(user, path);
    if (!opened) {
        return opened.status();
    }
    auto found = DayStore::lookup(**opened, user, serial);
    if (found) {
        State& s = state();
        s.RS.kind = Recordset::Kind::Day;
        s.RS.user = user;
        s.RS.current = *found;
        s.RS.noMatch = !found->has_value();
    }
    return found;
}

Result<DayRecord> daySave(int user, qint32 serial, const QString& path, const DayStore::Compose& compose)
{
    const auto opened = reopen(user, path);
    if (!opened) {
        return opened.status();
    }
    auto saved = DayStore::save(**opened, user, serial, compose);
    if (saved) {
        State& s = state();
        s.RS.kind = Recordset::Kind::Day;
        s.RS.user = user;
        s.RS.current = *saved;
        s.RS.noMatch = false;
    }
    return saved;
}

void closeDatabase()
{
    State& s = state();
    s.DB.reset();
    s.RS = Recordset();
}
} // namespace Module1
