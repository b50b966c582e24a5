#include "AdminCommands.h"

#include "mainwindow/NamesImport.h"
#include "mainwindow/StartUpRules.h"
#include "platform/AppInfo.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <QFileInfo>

namespace
{
const QString ImportUsage = QStringLiteral(
    "Utilisation : kordela-admin import-names [--remplacer] <fichier.csv> <base des noms> [table]\n");

bool isProgramDatabase(const QString& path)
{
    const QString database = AdminCommands::programDatabasePath();
    if (database.isEmpty()) {
        return false;
    }
    // By identity (a link or another mount of the share names the same file),
    // and by path for a file that is not there yet.
    return Files::sameFile(path, database)
           || QFileInfo(path).absoluteFilePath() == QFileInfo(database).absoluteFilePath();
}
} // namespace

namespace AdminCommands
{
QString programDatabasePath()
{
    const QString chemin = Registry::value(QStringLiteral("CHEMIN"), QStringLiteral("\x01"));
    if (chemin == QLatin1String("\x01")) {
        return QString();
    }
    return chemin.isEmpty() ? StartUpRules::defaultDatabasePath(AppInfo::programFolder()) : chemin;
}

int importNames(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool replace = args.removeAll(QString::fromLatin1(ReplaceOption)) > 0;
    // A misspelt option is no file name: taken as one, it would name the list
    // or create a names database of that name.
    for (const QString& arg : std::as_const(args)) {
        if (arg.startsWith(QLatin1String("--"))) {
            err << QStringLiteral("Erreur : option « %1 » inconnue : la seule option de import-names est %2.\n")
                       .arg(arg, QString::fromLatin1(ReplaceOption))
                << ImportUsage;
            return 2;
        }
    }
    if (args.size() < 2 || args.size() > 3) {
        err << QStringLiteral("Erreur : la commande import-names attend un fichier et une base des noms.\n")
            << ImportUsage << QStringLiteral("(kordela-admin help décrit la liste de patients.)\n");
        return 2;
    }
    const QString csvPath = args.at(0);
    const QString databasePath = args.at(1);
    const QString table = args.size() == 3 ? args.at(2) : QString::fromLatin1(NamesImport::DefaultTable);
    const QString shownCsv = Files::displayPath(csvPath);

    if (isProgramDatabase(databasePath)) {
        err << QStringLiteral("Erreur : « %1 » est la base de rendez-vous que désigne CHEMIN : la liste des noms "
                              "n'y est pas écrite. Donnez une base des noms à part, par exemple NOMS.MDB.\n")
                   .arg(Files::displayPath(databasePath));
        return 1;
    }
    const Result<QByteArray> bytes = Files::readAll(csvPath);
    if (!bytes) {
        err << QStringLiteral("Erreur : le fichier « %1 » ne peut pas être lu : %2\n").arg(shownCsv, bytes.error());
        return 1;
    }
    const NamesImport::ParsedNames parsed = NamesImport::parseCsv(*bytes);
    if (parsed.notText) {
        err << QStringLiteral("Erreur : le fichier « %1 » n'est pas un fichier texte (UTF-8 ou Windows-1252) : rien "
                              "n'est importé. Enregistrez la liste au format texte, une ligne NOM;PRENOM par "
                              "patient.\n")
                   .arg(shownCsv);
        return 1;
    }
    if (parsed.lineWithoutSeparator > 0) {
        err << QStringLiteral("Erreur : la ligne %1 du fichier « %2 » n'a pas de « ; » entre le nom et le prénom : "
                              "« %3 ». Rien n'est importé : chaque ligne doit être NOM;PRENOM.\n")
                   .arg(QString::number(parsed.lineWithoutSeparator), shownCsv, parsed.lineWithoutSeparatorText);
        return 1;
    }
    if (parsed.names.isEmpty()) {
        err << QStringLiteral("Erreur : le fichier « %1 » ne contient aucun nom : la base des noms n'est pas "
                              "modifiée.\n")
                   .arg(shownCsv);
        return 1;
    }
    const Status created = NamesImport::createNamesTable(
        databasePath, table, parsed.names,
        replace ? NamesImport::ExistingTable::Replace : NamesImport::ExistingTable::Refuse);
    if (!created) {
        err << QStringLiteral("Erreur : %1\n").arg(created.error());
        return 1;
    }

    if (parsed.windows1252) {
        out << QStringLiteral("Le fichier n'est pas en UTF-8 : il a été lu en Windows-1252.\n");
    }
    if (parsed.skippedLines > 0) {
        out << QStringLiteral("%1 ligne(s) sans nom de famille ignorée(s).\n").arg(parsed.skippedLines);
    }
    out << QStringLiteral("%1 nom(s) chargé(s) dans la table %2 de la base des noms « %3 ».\n")
               .arg(parsed.names.size())
               .arg(table, Files::displayPath(databasePath));
    return 0;
}

QString createDemoNamesDatabase(const QString& folder, QTextStream& err)
{
    const QString path = Files::joinPath(folder, QString::fromLatin1(NamesImport::DemoFileName));
    const QString table = QString::fromLatin1(NamesImport::DefaultTable);
    if (QFileInfo::exists(path)) {
        // A demo database made earlier is kept as it is.
        const auto opened = DbConnection::open(path);
        if (opened && (*opened)->hasTable(table)) {
            return path;
        }
    }
    const Status created = NamesImport::createNamesTable(path, table, NamesImport::demoNames());
    if (!created) {
        err << QStringLiteral("Attention : %1\n").arg(created.error());
        return QString();
    }
    return path;
}
} // namespace AdminCommands
