#include "backup/BackupTexts.h"

#include "platform/Files.h"

namespace BackupTexts
{
QStringList backupCaption(const QString& databasePath, const QString& backupFolder)
{
    return {QStringLiteral("Lancer la Sauvegarde de "), Files::displayPath(databasePath), QStringLiteral("vers"),
            Files::displayPath(backupFolder)};
}

QStringList restoreCaption(const QString& source, const QString& databasePath)
{
    return {QStringLiteral("Restaurer"), Files::displayPath(source), QStringLiteral("vers"),
            Files::displayPath(databasePath)};
}

QString buttonText(const QStringList& lines)
{
    QString text = lines.join(QLatin1Char('\n'));
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString restoreDone(const Restore::Outcome& outcome, const QString& source)
{
    QStringList lines = {QStringLiteral("Restauration effectuée")};
    lines << QStringLiteral("Les rendez-vous de « %1 » ont été restaurés.").arg(Files::displayPath(source));
    if (outcome.settingsRestored) {
        lines << QStringLiteral("Les réglages des utilisateurs (Utilisat.vlk) ont été restaurés.");
    } else if (!outcome.settingsProblem.isEmpty()) {
        lines << QStringLiteral("Les réglages des utilisateurs (Utilisat.vlk) n'ont pas pu être restaurés : %1")
                     .arg(outcome.settingsProblem);
    } else if (outcome.settingsAreLive) {
        lines << QStringLiteral("Le fichier « %1 » est celui de l'agenda : les réglages des utilisateurs "
                                "(Utilisat.vlk) n'ont pas été changés.")
                     .arg(Files::displayPath(outcome.settingsSource));
    } else {
        lines << QStringLiteral("Le fichier « %1 » n'existe pas : les réglages des utilisateurs (Utilisat.vlk) "
                                "n'ont pas été changés.")
                     .arg(Files::displayPath(outcome.settingsSource));
    }
    if (!outcome.databaseKept.isEmpty()) {
        lines << QStringLiteral("Les rendez-vous d'avant la restauration sont conservés dans « %1 ».")
                     .arg(Files::displayPath(outcome.databaseKept));
    }
    if (!outcome.settingsKept.isEmpty()) {
        lines << QStringLiteral("Les réglages d'avant la restauration sont conservés dans « %1 ».")
                     .arg(Files::displayPath(outcome.settingsKept));
    }
    return lines.join(QLatin1Char('\n'));
}

QString restoreFailed(const QString& reason)
{
    return QStringLiteral("La restauration n'a pas été faite : %1\n"
                          "La base de données de l'agenda et les réglages des utilisateurs n'ont pas été changés.")
        .arg(reason);
}

QString restoreQuestion(const QString& source, const QString& databasePath)
{
    return QStringLiteral("Restaurer la base sauvegardée « %1 » ?\n\n"
                          "Tous les rendez-vous de « %2 » seront remplacés par ceux de la sauvegarde. "
                          "Les rendez-vous actuels sont conservés dans une copie de sécurité placée à côté "
                          "de la base de données.")
        .arg(Files::displayPath(source), Files::displayPath(databasePath));
}

QString backupDone(const Backup::Outcome& outcome)
{
    QStringList lines = {QStringLiteral("Sauvegarde terminée")};
    if (!outcome.settingsCopied) {
        lines << QStringLiteral("La base de données a été sauvegardée ; il n'y avait pas de fichier Utilisat.vlk "
                                "(réglages des utilisateurs) à copier.");
    }
    if (!outcome.settingsSetAside.isEmpty()) {
        lines << QStringLiteral("Le fichier Utilisat.vlk d'une sauvegarde précédente a été renommé « %1 ».")
                     .arg(Files::displayPath(outcome.settingsSetAside));
    }
    return lines.join(QLatin1Char('\n'));
}

QString backupFailed(const QString& reason)
{
    return QStringLiteral("Assurez vous que tous les utilisateurs aient quitté le programme\n%1").arg(reason);
}
} // namespace BackupTexts
