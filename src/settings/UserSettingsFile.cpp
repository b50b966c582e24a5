#include "settings/UserSettingsFile.h"

#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "settings/SettingsFileFormat.h"

namespace
{
constexpr int Users = UserSettings::Users;

std::array<std::array<LooseValue, Users>*, 5> groups(UserSettings& s)
{
    return {&s.names, &s.colours, &s.slotCodes, &s.topAnnotations, &s.bottomAnnotations};
}
} // namespace

QList<LooseValue> UserSettings::toValues() const
{
    QList<LooseValue> values;
    values.reserve(ValueCount);
    for (const auto* group : {&names, &colours, &slotCodes, &topAnnotations, &bottomAnnotations}) {
        for (const LooseValue& v : *group) {
            values.append(v);
        }
    }
    return values;
}

UserSettings UserSettings::fromValues(const QList<LooseValue>& values)
{
    UserSettings s;
    qsizetype next = 0;
    for (auto* group : groups(s)) {
        for (LooseValue& v : *group) {
            if (next < values.size()) {
                v = values.at(next);
            }
            ++next;
        }
    }
    return s;
}

QString userSettingsFileName()
{
    return QStringLiteral("Utilisat.vlk");
}

QString userSettingsFilePath(const QString& folder)
{
    return Files::findFileNoCase(folder, userSettingsFileName());
}

QString userSettingsFolder()
{
    const QString programFolder = AppInfo::programFolder();
    const QString folder = Registry::value(QStringLiteral("CheminUt"), programFolder);
    return folder.isEmpty() ? programFolder : folder;
}

UserSettingsRead ReadUserSettingsFile(const QString& folder)
{
    return SettingsFileFormat::readSettingsFile<UserSettings>(userSettingsFilePath(folder));
}

Status WriteUserSettingsFile(const QString& folder, const UserSettings& settings)
{
    return SettingsFileFormat::writeRecordFile(userSettingsFilePath(folder), settings.toValues());
}

QString userSettingsFormatMessage(const QString& folder)
{
    return QStringLiteral("Fichier ")
           + Files::joinPath(Files::displayPath(folder), userSettingsFileName())
           + QStringLiteral(" non valide (trop ou pas assez de paramètres).");
}
