#pragma once

#include "platform/Result.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"

#include <QList>
#include <QString>

#include <array>

// The users' settings: for each of the six users the name, the background
// colour (32-bit colour value), the slot code (0..4, -1 for none) and the two
// annotations. Index 0 is user 1.
struct UserSettings
{
    static constexpr int Users = 6;
    static constexpr int ValueCount = 30;

    std::array<LooseValue, Users> names;
    std::array<LooseValue, Users> colours;
    std::array<LooseValue, Users> slotCodes;
    std::array<LooseValue, Users> topAnnotations;
    std::array<LooseValue, Users> bottomAnnotations;

    // The 30 values in file order: five groups of six.
    QList<LooseValue> toValues() const;
    // From 30 values in file order (missing places stay empty).
    static UserSettings fromValues(const QList<LooseValue>& values);

    bool operator==(const UserSettings& other) const = default;
};

using UserSettingsRead = SettingsFileFormat::SettingsRead<UserSettings>;

// The file name, and its path in `folder` found without regard to case.
QString userSettingsFileName(); // "Utilisat.vlk"
QString userSettingsFilePath(const QString& folder);

// The folder of Utilisat.vlk: registry CheminUt, the program's folder when the
// value is absent or empty.
QString userSettingsFolder();

UserSettingsRead ReadUserSettingsFile(const QString& folder);
// Replaces Utilisat.vlk in `folder` whole with one record (Files::replaceFile).
// The failure names the file.
Status WriteUserSettingsFile(const QString& folder, const UserSettings& settings);

// "Fichier <folder>/Utilisat.vlk non valide (trop ou pas assez de paramètres)."
QString userSettingsFormatMessage(const QString& folder);
