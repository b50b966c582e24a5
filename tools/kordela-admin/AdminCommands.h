#pragma once

#include <QStringList>

// The supervisor tool's commands. Each returns the process exit code and
// writes its messages (in French) to the standard streams.
namespace AdminCommands
{
// kordela-admin import-names <file.csv> <names database> [table]
int importNames(const QStringList& arguments);
// Creates the demo names database in `folder`; returns its path (empty on failure).
QString createDemoNamesDatabase(const QString& folder);
} // namespace AdminCommands
