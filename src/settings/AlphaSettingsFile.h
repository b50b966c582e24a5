#pragma once

#include "platform/Result.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"

#include <QList>
#include <QString>

// The name-lookup settings of this workstation: the option (Boolean) and the
// table of the names database.
struct AlphaSettings
{
    static constexpr int ValueCount = 2;

    LooseValue option;
    LooseValue table;

    QList<LooseValue> toValues() const { return {option, table}; }
    static AlphaSettings fromValues(const QList<LooseValue>& values);

    bool operator==(const AlphaSettings& other) const = default;
};

using AlphaSettingsRead = SettingsFileFormat::SettingsRead<AlphaSettings>;

QString alphaSettingsFileName(); // "Alpha.vlk"
// Alpha.vlk in the program's folder, found without regard to case.
QString alphaSettingsFilePath();

AlphaSettingsRead ReadAlphaSettingsFile();
// Replaces Alpha.vlk in the program's folder whole (Files::replaceFile).
Status WriteAlphaSettingsFile(bool optionOn, const QString& table);

// "Fichier <program folder>/Alpha.vlk non valide."
QString alphaSettingsFormatMessage();
