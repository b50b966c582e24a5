#include "settings/AlphaSettingsFile.h"

#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "settings/SettingsFileFormat.h"

#include <QFileInfo>

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
    AlphaSettingsRead read;
    const QString path = alphaSettingsFilePath();
    if (!QFileInfo(path).isFile()) {
        return read;
    }
    const Result<QByteArray> bytes = Files::readAll(path);
    if (!bytes) {
        return read;
    }
    read.opened = true;
    const SettingsFileFormat::RecordPasses records = SettingsFileFormat::readRecords(
        SettingsFileFormat::splitValues(*bytes), AlphaSettings::ValueCount);
    read.formatError = records.formatError;
    for (const QList<LooseValue>& pass : records.passes) {
        read.passes.append(AlphaSettings::fromValues(pass));
    }
    if (!read.passes.isEmpty()) {
        read.values = read.passes.constLast();
    }
    return read;
}

Status WriteAlphaSettingsFile(bool optionOn, const QString& table)
{
    const QString path = alphaSettingsFilePath();
    const QByteArray line = SettingsFileFormat::formatRecordLine(
        {LooseValue::fromBool(optionOn), LooseValue::fromText(table)});
    const Status written = Files::writeAtomically(path, line);
    if (!written) {
        return Status::failure(QStringLiteral("Le fichier %1 n'a pas pu être enregistré.\n%2")
                                   .arg(Files::displayPath(path), written.error()));
    }
    return written;
}

QString alphaSettingsFormatMessage()
{
    return QStringLiteral("Fichier ")
           + Files::joinPath(Files::displayPath(AppInfo::programFolder()), alphaSettingsFileName())
           + QStringLiteral(" non valide.");
}
