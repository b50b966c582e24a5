#include "mainwindow/StartUpRules.h"

#include "platform/Files.h"

namespace StartUpRules
{
bool isGreetingDay(const QDate& day)
{
    return day.isValid() && day.toString(QStringLiteral("ddMM")).toInt() == 1604;
}

bool acceptsDatabasePath(const QString& chemin)
{
    return chemin.endsWith(QLatin1String("AGENDAS.MDB"), Qt::CaseSensitive);
}

QString defaultDatabasePath(const QString& programFolder)
{
    return Files::joinPath(programFolder, QStringLiteral("AGENDAS.MDB"));
}

QString userFilesFolder(const QString& cheminUt, const QString& programFolder)
{
    return cheminUt.isEmpty() ? programFolder : cheminUt;
}

QString refusedDatabaseMessage()
{
    return QStringLiteral("La base de données 'AGENDAS.MDB' est introuvable. Veuillez à l'aide du SUPERVISEUR la "
                          "placer dans un repertoire quelconque de votre reseau puis relancer le programme");
}

QString refusedDatabaseNameMessage(const QString& path)
{
    return QStringLiteral("Le programme refuse la base « %1 » : son fichier doit s'appeler AGENDAS.MDB, en "
                          "majuscules (par exemple /partage/cabinet/AGENDAS.MDB).")
        .arg(Files::displayPath(path));
}

QString unnamedFirstUserMessage()
{
    return QStringLiteral("L'utilisateur N°1 n'est pas attribué, or il doit l'être en priorité. Veuillez corriger "
                          "sinon cela est source d'erreues.");
}

QString databaseUnavailableMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("La base de données des rendez-vous ne peut pas être ouverte :\n%1\n\n%2\n\n"
                          "L'agenda s'affiche sans base de données. Rien n'est enregistré tant qu'elle reste "
                          "inaccessible ; elle est rouverte à chaque changement de jour ou d'utilisateur et à "
                          "chaque enregistrement. Faites corriger le problème.")
        .arg(Files::displayPath(path), reason);
}

QString notConnectedSuffix()
{
    return QStringLiteral(" (non connecté)");
}
} // namespace StartUpRules
