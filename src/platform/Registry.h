#pragma once

#include <QString>

// The per-user settings store the program knows as "the registry": values by
// application, section and name, kept in an INI file in the user's
// configuration folder (application HALVERIN, section KORDELA). Names of
// application, section and value match without regard to case.
namespace Registry
{
inline constexpr const char* Application = "HALVERIN";
inline constexpr const char* Section = "KORDELA";

// The value, or `defaultValue` when it is absent. A value that is present but
// empty gives "" (the callers treat the two differently).
QString getSetting(const QString& application, const QString& section, const QString& name,
                   const QString& defaultValue);
bool saveSetting(const QString& application, const QString& section, const QString& name,
                 const QString& value);

// Shorthands for application HALVERIN, section KORDELA.
QString value(const QString& name, const QString& defaultValue);
bool setValue(const QString& name, const QString& value);

// The INI file of an application: <config folder>/<APPLICATION>.ini.
QString iniFilePath(const QString& application);
// Tests (and the supervisor tool) put the store's folder elsewhere.
void setStoreFolder(const QString& folder);
QString storeFolder();
} // namespace Registry
