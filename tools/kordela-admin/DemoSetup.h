#pragma once

#include <QString>
#include <QTextStream>

// The demo that `kordela-admin demo` prepares on a workstation that has no
// appointment database configured yet.
namespace DemoSetup
{
// <generic data folder>/KORDELA/demo
QString demoFolder();

// When the registry has no CHEMIN value, prepares the demo folder (an empty
// AGENDAS.MDB with a few appointments, Utilisat.vlk with two users, the demo
// names database) and points CHEMIN, CheminUt and CheminNoms at it. Nothing
// existing is overwritten, unless `startOver`: the demo's own files are then
// made anew, when CHEMIN is absent or names the demo database. Reports in
// French; returns the exit code.
int run(QTextStream& out, QTextStream& err, bool startOver);
} // namespace DemoSetup
