#include "settings/AlphaSettingsFile.h"

#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "settings/SettingsFileFormat.h"

AlphaSettings AlphaSettings::fromValues(const QList<LooseValue>& values)
{
    AlphaSettings s;
    if (!values.isEmpty()) {
        s.option = values.at(0);
    }
    if (values.size() > 1) {
        s.table = values.at(1);
    }
    return s;
}

QString alphaSettingsFileName()
{
    return QStringLiteral("Alpha.vlk");
}

QString alphaSettingsFilePath()
{
    return Files::findFileNoCase(AppInfo::programFolder(), alphaSettingsFileName());
}

AlphaSettingsRead ReadAlphaSettingsFile()
{
    return SettingsFileFormat::readSettingsFile<AlphaSettings>(alphaSettingsFilePath());
}

Status WriteAlphaSettingsFile(bool optionOn, const QString& table)
{
    return SettingsFileFormat::writeRecordFile(alphaSettingsFilePath(),
                                               {LooseValue::fromBool(optionOn), LooseValue::fromText(table)});
}

QString alphaSettingsFormatMessage()
{
    return QStringLiteral("Fichier ")
           + Files::joinPath(Files::displayPath(AppInfo::programFolder()), alphaSettingsFileName())
           + QStringLiteral(" non valide.");
}
