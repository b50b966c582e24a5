// kordela-admin: the supervisor's tool. Creates an appointment database, sets
// the registry values the program reads, imports a names list, and prepares
// a demo on a workstation that has nothing configured.
#include "AdminCommands.h"
#include "DemoSetup.h"
#include "backup/Backup.h"
#include "mainwindow/NameSearch.h"
#include "mainwindow/StartUpRules.h"
#include "platform/AppInfo.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "settings/UserSettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace
{
// The registry values the program reads (CHEMIN, CheminUt, CheminNoms) and the
// backup folder (SAUVE); the first two name files, the others folders.
struct KnownValue
{
    QString name;
    bool folder;
};
const QList<KnownValue> KnownValues = {{QStringLiteral("CHEMIN"), false},
                                       {QStringLiteral("CheminUt"), true},
                                       {QStringLiteral("CheminNoms"), false},
                                       {QStringLiteral("SAUVE"), true}};

QString usage()
{
    return QStringLiteral(
        "Usage : kordela-admin <commande> [arguments]\n"
        "\n"
        "Commandes :\n"
        "  create <chemin>              crée une base de rendez-vous vide, dont le fichier doit\n"
        "                               s'appeler AGENDAS.MDB (en majuscules) ; un fichier\n"
        "                               existant n'est jamais remplacé\n"
        "  set <NOM> <valeur>           enregistre un réglage : CHEMIN (chemin complet de\n"
        "                               AGENDAS.MDB), CheminUt (dossier de Utilisat.vlk),\n"
        "                               CheminNoms (base des noms), SAUVE (dossier de sauvegarde) ;\n"
        "                               un chemin doit être complet (commencer par /) ; un chemin\n"
        "                               qui n'existe pas encore est enregistré avec un avertissement\n"
        "  import-names [--remplacer] <fichier.csv> <base des noms> [table]\n"
        "                               importe une liste de patients dans la table (MATABLE par\n"
        "                               défaut) de la base des noms, créée si elle n'existe pas ;\n"
        "                               une table déjà là n'est remplacée qu'avec --remplacer, en\n"
        "                               une seule fois : un poste qui complète un nom pendant ce\n"
        "                               temps trouve l'ancienne liste ou la nouvelle\n"
        "  demo [--recommencer]         prépare une démonstration si aucune base n'est\n"
        "                               configurée (CHEMIN absent) ; --recommencer remet la\n"
        "                               démonstration à neuf (base, utilisateurs, noms)\n"
        "  help                         affiche cette aide\n"
        "\n"
        "La liste de patients est un fichier texte, une ligne NOM;PRENOM par patient\n"
        "(par exemple DUPONT;Jean), en UTF-8 ou en Windows-1252. Une première ligne\n"
        "NOM;PRENOM est un en-tête, ignoré, comme les lignes vides ; les colonnes après\n"
        "le prénom sont ignorées ; un champ entre guillemets peut contenir un « ; ». Une\n"
        "ligne sans « ; » arrête l'import sans rien écrire.\n"
        "\n"
        "Les erreurs commencent par « Erreur : », les avertissements par « Attention : ».\n");
}

int create(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err << QStringLiteral("Erreur : la commande create attend un seul chemin.\n\n") << usage();
        return 2;
    }
    const QString path = args.first();
    if (!StartUpRules::acceptsDatabasePath(path)) {
        err << QStringLiteral("Erreur : %1\n").arg(StartUpRules::refusedDatabaseNameMessage(path));
        return 1;
    }
    const Status created = AppointmentDatabase::create(path);
    if (!created) {
        err << QStringLiteral("Erreur : %1\n").arg(created.error());
        return 1;
    }
    out << QStringLiteral("Base de rendez-vous créée : « %1 ».\n").arg(Files::displayPath(QFileInfo(path).absoluteFilePath()));
    return 0;
}

// Why the program cannot use `value` yet, in the words it will show until the
// file or folder is there; empty when it is there.
QString notThereYet(const KnownValue& known, const QString& value)
{
    const QFileInfo info(value);
    if (info.exists()) {
        return QString();
    }
    const QString shown = Files::displayPath(value);
    if (known.name == QLatin1String("CHEMIN")) {
        const auto opened = DbConnection::openReadOnly(value);
        return QStringLiteral("« %1 » n'existe pas encore. Tant que la base n'y est pas, KORDELA s'ouvre avec "
                              "« %2 » dans son titre et ce message :\n%3")
            .arg(shown, StartUpRules::notConnectedSuffix().trimmed(),
                 StartUpRules::databaseUnavailableMessage(value, opened.error()));
    }
    if (known.name == QLatin1String("CheminUt")) {
        return QStringLiteral("le dossier « %1 » n'existe pas encore. Tant qu'il n'y est pas, KORDELA s'ouvre sans "
                              "bouton d'utilisateur, sous le titre « KORDELA », et la fenêtre « Utilisateurs » ne "
                              "peut pas y enregistrer %2.")
            .arg(shown, userSettingsFileName());
    }
    if (known.name == QLatin1String("CheminNoms")) {
        const auto opened = DbConnection::openReadOnly(value);
        return QStringLiteral("« %1 » n'existe pas encore. Tant que la base des noms n'y est pas, la complétion "
                              "des noms affiche :\n%2")
            .arg(shown, NameSearch::unavailableMessage(opened.error()));
    }
    Backup::Request request;
    request.backupFolder = value;
    return QStringLiteral("le dossier « %1 » n'existe pas encore. Tant qu'il n'y est pas, la fenêtre "
                          "« Sauvegardes » refuse la sauvegarde : « %2 »")
        .arg(shown, Backup::refusal(request).error());
}

// Why the program would refuse `value`, which is there, for this value; empty
// when it would not.
QString refusedByTheProgram(const KnownValue& known, const QString& value)
{
    if (known.name == QLatin1String("CheminNoms")) {
        const auto names = DbConnection::openReadOnly(value);
        for (const QString& table : AppointmentDatabase::tableNames()) {
            if (names && (*names)->hasTable(table)) {
                return QStringLiteral("« %1 » est une base de rendez-vous (elle contient la table %2) : CheminNoms "
                                      "désigne la base des noms, par exemple NOMS.MDB.")
                    .arg(Files::displayPath(value), table);
            }
        }
    }
    if (known.name == QLatin1String("SAUVE")) {
        // The folders the "Sauvegardes" window refuses: the database's own
        // and the users' settings', however they are reached.
        Backup::Request request;
        request.databasePath = AdminCommands::programDatabasePath();
        request.usersFolder = StartUpRules::userFilesFolder(
            Registry::value(QStringLiteral("CheminUt"), AppInfo::programFolder()), AppInfo::programFolder());
        request.backupFolder = value;
        if (QFileInfo(request.databasePath).isFile()) {
            return Backup::refusal(request).error();
        }
    }
    return QString();
}

int set(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << QStringLiteral("Erreur : la commande set attend un nom et une valeur.\n\n") << usage();
        return 2;
    }
    const KnownValue* known = nullptr;
    QStringList names;
    for (const KnownValue& candidate : KnownValues) {
        names << candidate.name;
        if (candidate.name.compare(args.at(0), Qt::CaseInsensitive) == 0) {
            known = &candidate;
        }
    }
    if (!known) {
        err << QStringLiteral("Erreur : réglage « %1 » inconnu (réglages possibles : %2).\n")
                   .arg(args.at(0), names.join(QStringLiteral(", ")));
        return 2;
    }
    const QString& name = known->name;
    const QString& value = args.at(1);
    // An empty value has its own meaning for the program (its own folder, or
    // no names database): it is recorded as it is.
    QString warning;
    if (!value.isEmpty()) {
        const QFileInfo info(value);
        if (!QDir::isAbsolutePath(value)) {
            err << QStringLiteral("Erreur : « %1 » n'est pas un chemin complet : %2 doit commencer par « / », car "
                                  "le programme ne part pas du dossier où cette commande est lancée.\n")
                       .arg(value, name);
            return 1;
        }
        if (name == QLatin1String("CHEMIN") && !StartUpRules::acceptsDatabasePath(value)) {
            err << QStringLiteral("Erreur : %1\n").arg(StartUpRules::refusedDatabaseNameMessage(value));
            return 1;
        }
        if (info.exists() && info.isDir() != known->folder) {
            err << (known->folder ? QStringLiteral("Erreur : « %1 » est un fichier : %2 est un dossier.\n")
                                  : QStringLiteral("Erreur : « %1 » est un dossier : %2 est le chemin d'un fichier.\n"))
                       .arg(Files::displayPath(value), name);
            return 1;
        }
        const QString refused = info.exists() ? refusedByTheProgram(*known, value) : QString();
        if (!refused.isEmpty()) {
            err << QStringLiteral("Erreur : %1\n").arg(refused);
            return 1;
        }
        warning = notThereYet(*known, value);
    }
    if (!Registry::setValue(name, value)) {
        err << QStringLiteral("Erreur : le réglage %1 n'a pas pu être écrit dans « %2 ».\n")
                   .arg(name, Files::displayPath(Registry::iniFilePath(QString::fromLatin1(Registry::Application))));
        return 1;
    }
    out << QStringLiteral("%1 = « %2 »\n").arg(name, value);
    if (!warning.isEmpty()) {
        err << QStringLiteral("Attention : %1 est enregistré, mais %2\n").arg(name, warning);
    }
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kordela-admin"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        err << QStringLiteral("Erreur : aucune commande.\n\n") << usage();
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("create")) {
        return create(args, out, err);
    }
    if (command == QLatin1String("set")) {
        return set(args, out, err);
    }
    if (command == QLatin1String("import-names")) {
        return AdminCommands::importNames(args, out, err);
    }
    if (command == QLatin1String("demo")) {
        const bool startOver = args == QStringList{QStringLiteral("--recommencer")};
        if (!args.isEmpty() && !startOver) {
            err << QStringLiteral("Erreur : la commande demo ne prend que l'option --recommencer.\n");
            return 2;
        }
        return DemoSetup::run(out, err, startOver);
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help")
        || command == QLatin1String("-h")) {
        out << usage();
        return 0;
    }
    err << QStringLiteral("Erreur : commande « %1 » inconnue.\n\n").arg(command) << usage();
    return 2;
}
