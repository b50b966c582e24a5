#pragma once

#include <QString>

// The program's own facts: title, version numbers and folder.
namespace AppInfo
{
QString title(); // "KORDELA"
int versionMajor();
int versionMinor();
int versionRevision();
QString versionText(); // "4.0.0"

// The folder the program runs from (where Alpha.vlk and the help page live).
// Tests point it at a temporary folder.
QString programFolder();
void setProgramFolder(const QString& folder);
void resetProgramFolder();
} // namespace AppInfo
