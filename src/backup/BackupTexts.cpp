#include "backup/BackupTexts.h"

#include "platform/Database.h"
#include "platform/Files.h"

namespace
{
enum class Fault { Busy, ReadOnly, Damaged, DiskFull, OutOfReach, Refused, Other };

// The engine's primary result codes (an extended code holds one in its low byte).
constexpr int Busy = 5;
constexpr int Locked = 6;
constexpr int ReadOnly = 8;
constexpr int IoError = 10;
constexpr int Corrupt = 11;
constexpr int Full = 13;
constexpr int CantOpen = 14;
constexpr int Constraint = 19;
constexpr int NotADatabase = 26;

Fault byCode(int code)
{
    switch (code & 0xFF) {
    case Busy:
    case Locked:
        return Fault::Busy;
    case ReadOnly:
        return Fault::ReadOnly;
    case Corrupt:
    case NotADatabase:
        return Fault::Damaged;
    case Full:
        return Fault::DiskFull;
    case IoError:
    case CantOpen:
        return Fault::OutOfReach;
    case Constraint:
        return Fault::Refused;
    default:
        return Fault::Other;
    }
}

// The engine's usual sentences, for an error that comes without a code. The
// damage comes first: "database disk image is malformed" speaks of a disk too.
Fault byText(const QSqlError& error)
{
    if (Sql::isBusy(error)) {
        return Fault::Busy;
    }
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const auto has = [&text](const char* words) { return text.contains(QLatin1String(words), Qt::CaseInsensitive); };
    if (has("malformed") || has("not a database") || has("corrupt")) {
        return Fault::Damaged;
    }
    if (has("full")) {
        return Fault::DiskFull;
    }
    if (has("unable to open") || has("i/o error")) {
        return Fault::OutOfReach;
    }
    if (has("readonly") || has("read-only")) {
        return Fault::ReadOnly;
    }
    if (has("constraint")) {
        return Fault::Refused;
    }
    return Fault::Other;
}

Fault faultOf(const QSqlError& error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric && code > 0 ? byCode(code) : byText(error);
}
} // namespace

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

QString engineFailure(const QSqlError& error)
{
    switch (faultOf(error)) {
    case Fault::Busy:
        return Sql::reason(error);
    case Fault::ReadOnly:
        return QStringLiteral("la base de données est en lecture seule.");
    case Fault::Damaged:
        return QStringLiteral("la base de données est endommagée ; restaurez une sauvegarde intacte.");
    case Fault::DiskFull:
        return QStringLiteral("le disque est plein.");
    case Fault::OutOfReach:
        return QStringLiteral("le fichier ou son dossier est inaccessible (dossier absent, disque ou partage "
                              "réseau déconnecté).");
    case Fault::Refused:
        return QStringLiteral("la base de données refuse ces données (un même jour en double, par exemple).");
    case Fault::Other:
        break;
    }
    return QStringLiteral("erreur du moteur de base de données.");
}

Status engineFailureStatus(const QSqlError& error)
{
    return Status::failure(engineFailure(error), error.text().trimmed());
}
} // namespace BackupTexts
