// kordela-admin: the supervisor's tool. Creates an appointment database, sets
// the registry values the program reads, imports a names list, and prepares
// a demo on a workstation that has nothing configured.
#include "AdminCommands.h"
#include "DemoSetup.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace
{
// The registry values the program reads (CHEMIN, CheminUt, CheminNoms) and the
// backup folder (SAUVE).
const QStringList KnownValues = {QStringLiteral("CHEMIN"), QStringLiteral("CheminUt"),
                                 QStringLiteral("CheminNoms"), QStringLiteral("SAUVE")};

QString usage()
{
    return QStringLiteral(
        "Usage : kordela-admin <commande> [arguments]\n"
        "\n"
        "Commandes :\n"
        "  create <chemin>              crée une base de rendez-vous vide (AGENDAS.MDB) ;\n"
        "                               un fichier existant n'est jamais remplacé\n"
        "  set <NOM> <valeur>           enregistre un réglage : CHEMIN (chemin complet de\n"
        "                               AGENDAS.MDB), CheminUt (dossier de Utilisat.vlk),\n"
        "                               CheminNoms (base des noms), SAUVE (dossier de sauvegarde)\n"
        "  import-names <fichier.csv> <base des noms> [table]\n"
        "                               importe une liste de patients dans la base des noms\n"
        "  demo                         prépare une démonstration si aucune base n'est\n"
        "                               configurée (CHEMIN absent)\n"
        "  help                         affiche cette aide\n");
}

int create(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args.first().isEmpty()) {
        err << QStringLiteral("Erreur : la commande create attend un seul chemin.\n\n") << usage();
        return 2;
    }
    const QString path = args.first();
    const Status created = AppointmentDatabase::create(path);
    if (!created) {
        err << QStringLiteral("Erreur : %1\n").arg(created.error());
        return 1;
    }
    out << QStringLiteral("Base de rendez-vous créée : « %1 ».\n").arg(Files::displayPath(path));
    return 0;
}

int set(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2) {
        err << QStringLiteral("Erreur : la commande set attend un nom et une valeur.\n\n") << usage();
        return 2;
    }
    QString name;
    for (const QString& known : KnownValues) {
        if (known.compare(args.at(0), Qt::CaseInsensitive) == 0) {
            name = known;
        }
    }
    if (name.isEmpty()) {
        err << QStringLiteral("Erreur : réglage « %1 » inconnu (réglages possibles : %2).\n")
                   .arg(args.at(0), KnownValues.join(QStringLiteral(", ")));
        return 2;
    }
    if (!Registry::setValue(name, args.at(1))) {
        err << QStringLiteral("Erreur : le réglage %1 n'a pas pu être écrit dans « %2 ».\n")
                   .arg(name, Files::displayPath(Registry::iniFilePath(QString::fromLatin1(Registry::Application))));
        return 1;
    }
    out << QStringLiteral("%1 = « %2 »\n").arg(name, args.at(1));
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
        out.flush();
        return AdminCommands::importNames(args);
    }
    if (command == QLatin1String("demo")) {
        if (!args.isEmpty()) {
            err << QStringLiteral("Erreur : la commande demo ne prend pas d'argument.\n");
            return 2;
        }
        return DemoSetup::run(out, err);
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help")
        || command == QLatin1String("-h")) {
        out << usage();
        return 0;
    }
    err << QStringLiteral("Erreur : commande « %1 » inconnue.\n\n").arg(command) << usage();
    return 2;
}
