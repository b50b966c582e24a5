#pragma once

#include <QDate>
#include <QString>

// The rules the main window's load applies to the day and to the registry
// values that locate its files.
namespace StartUpRules
{
// The greeting day: the day and month of `day` as "ddmm" read as a number is 1604.
bool isGreetingDay(const QDate& day);

// The database file named by CHEMIN is accepted when the value ends with the
// exact, upper-case characters "AGENDAS.MDB" (the bare name included).
bool acceptsDatabasePath(const QString& chemin);
// The database path of an empty CHEMIN: the program's folder and AGENDAS.MDB.
QString defaultDatabasePath(const QString& programFolder);
// The folder of Utilisat.vlk: CheminUt, an empty value standing for the program's folder.
QString userFilesFolder(const QString& cheminUt, const QString& programFolder);

// The message of a refused CHEMIN.
QString refusedDatabaseMessage();
// Why `path` would be refused as CHEMIN, in the supervisor's terms: what the
// tool says instead of creating or recording such a path.
QString refusedDatabaseNameMessage(const QString& path);
// The warning when user 1 has no name while user 2 has one.
QString unnamedFirstUserMessage();
// The message of a database that cannot be opened at start-up.
QString databaseUnavailableMessage(const QString& path, const QString& reason);
// What the window caption adds while no database is open.
QString notConnectedSuffix();
} // namespace StartUpRules
