#pragma once

#include <QStringList>
#include <QTextStream>

// The supervisor tool's commands. Each returns the process exit code and
// writes its messages (in French) to the standard streams.
namespace AdminCommands
{
// The option of import-names that replaces a names table already there.
inline constexpr char ReplaceOption[] = "--remplacer";

// The appointment database the program opens, as its start-up reads CHEMIN;
// empty when CHEMIN is absent.
QString programDatabasePath();

// kordela-admin import-names [--remplacer] <file.csv> <names database> [table]
int importNames(const QStringList& arguments, QTextStream& out, QTextStream& err);
// Creates the demo names database in `folder`; returns its path (empty on failure).
QString createDemoNamesDatabase(const QString& folder, QTextStream& err);
} // namespace AdminCommands
