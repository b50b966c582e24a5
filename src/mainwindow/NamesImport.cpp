#include "mainwindow/NamesImport.h"

#include "platform/Database.h"
#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace
{
// Splits one line at the semicolons that stand outside double quotes.
QStringList splitFields(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;     // inside a quoted part
    bool wasQuoted = false;  // the field began with a quote
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char(';')) {
            fields << (wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty() && !wasQuoted) {
            field.clear();
            quoted = true;
            wasQuoted = true;
        } else if (!(wasQuoted && c.isSpace())) {
            field += c;
        }
    }
    fields << (wasQuoted ? field : field.trimmed());
    return fields;
}

// A character that no names list holds: a control character other than the
// tab and the line ends (Windows-1252's unassigned bytes read as such), or
// one that UTF-8 marks as unreadable.
bool isForeign(QChar c)
{
    if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
        return false;
    }
    return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
}

bool isText(const QByteArray& bytes, const QString& text)
{
    if (bytes.contains('\0')) {
        return false;
    }
    const auto foreign = std::count_if(text.cbegin(), text.cend(), isForeign);
    return foreign * 20 <= text.size();
}

bool isHeader(const QStringList& fields)
{
    return fields.size() >= 2 && fields.at(0).compare(QLatin1String("NOM"), Qt::CaseInsensitive) == 0
           && fields.at(1).compare(QLatin1String("PRENOM"), Qt::CaseInsensitive) == 0;
}

Status execute(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement)) {
        return Status::failure(Sql::reason(query.lastError()));
    }
    return Status::success();
}

// Creates the table and its index and inserts the names, in one transaction
// that first drops the table it replaces.
Status fillTable(DbConnection& db, const QString& table, const QList<NameMatch>& names,
                 NamesImport::ExistingTable existing)
{
    const QString shown = Files::displayPath(db.path());
    for (const QString& appointments : AppointmentDatabase::tableNames()) {
        if (db.hasTable(appointments)) {
            return Status::failure(QStringLiteral("« %1 » est une base de rendez-vous (elle contient la table %2) : "
                                                  "la liste des noms n'y est pas écrite. Donnez une base des noms "
                                                  "à part, par exemple NOMS.MDB.")
                                       .arg(shown, appointments));
        }
    }
    {
        // The new list stays in memory up to the commit: until then the
        // workstations go on reading the old one.
        QSqlQuery pragma(db.database());
        pragma.exec(QStringLiteral("PRAGMA cache_size = -131072"));
    }
    Status status = db.beginWrite();
    if (!status) {
        return Status::failure(QStringLiteral("La base des noms « %1 » ne peut pas être modifiée : %2")
                                   .arg(shown, status.error()));
    }
    const QString present = db.tableName(table);
    if (!present.isEmpty() && existing == NamesImport::ExistingTable::Refuse) {
        db.rollback();
        return Status::failure(
            QStringLiteral("La table « %1 » existe déjà dans la base des noms « %2 » : elle n'est pas remplacée. "
                           "Pour la remplacer par la nouvelle liste, ajoutez l'option --remplacer : "
                           "kordela-admin import-names --remplacer <fichier.csv> <base des noms> [table].")
                .arg(present, shown));
    }
    {
        QSqlQuery query(db.database());
        const QString quoted = Sql::quoteIdentifier(table);
        if (!present.isEmpty()) {
            status = execute(query, QStringLiteral("DROP TABLE %1").arg(Sql::quoteIdentifier(present)));
        }
        // NOM and PRENOM as typed; NOM_CLE and PRENOM_CLE, their compared
        // forms, are what the lookup searches and sorts on.
        if (status) {
            status = execute(query, QStringLiteral("CREATE TABLE %1 (NOM TEXT, PRENOM TEXT, %2 TEXT, %3 TEXT)")
                                        .arg(quoted, QLatin1String(NameSearch::NomKeyColumn),
                                             QLatin1String(NameSearch::PrenomKeyColumn)));
        }
        if (status) {
            status = execute(query, QStringLiteral("CREATE INDEX %1 ON %2 (%3, %4, NOM, PRENOM)")
                                        .arg(Sql::quoteIdentifier(table + QStringLiteral("_CLE")), quoted,
                                             QLatin1String(NameSearch::NomKeyColumn),
                                             QLatin1String(NameSearch::PrenomKeyColumn)));
        }
        if (status && !query.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?)").arg(quoted))) {
            status = Status::failure(Sql::reason(query.lastError()));
        }
        for (qsizetype i = 0; status && i < names.size(); ++i) {
            query.bindValue(0, names.at(i).nom);
            query.bindValue(1, names.at(i).prenom);
            query.bindValue(2, NameSearch::foldKey(names.at(i).nom));
            query.bindValue(3, NameSearch::foldKey(names.at(i).prenom));
            if (!query.exec()) {
                status = Status::failure(Sql::reason(query.lastError()));
            }
        }
    }
    if (status) {
        status = db.commit();
    }
    if (!status) {
        db.rollback();
        if (!present.isEmpty()) {
            return Status::failure(QStringLiteral("La table « %1 » n'a pas pu être remplacée dans « %2 » : %3 "
                                                  "L'ancienne liste des noms reste en place.")
                                       .arg(present, shown, status.error()));
        }
        return Status::failure(QStringLiteral("La table des noms n'a pas pu être créée dans « %1 » : %2")
                                   .arg(shown, status.error()));
    }
    return Status::success();
}
} // namespace

namespace NamesImport
{
QString decodeText(const QByteArray& bytes, bool* windows1252)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    const bool fallback = utf8.hasError();
    if (fallback) {
        text = Files::decodeCp1252(bytes);
    }
    if (windows1252) {
        *windows1252 = fallback;
    }
    return text;
}

ParsedNames parseCsv(const QByteArray& bytes)
{
    ParsedNames parsed;
    QByteArray content = bytes;
    while (content.endsWith('\x1A')) {
        content.chop(1); // the end-of-file mark of old exports
    }
    const QString text = decodeText(content, &parsed.windows1252);
    if (!isText(content, text)) {
        parsed.notText = true;
        return parsed;
    }
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool first = true;
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines.at(index);
        if (line.trimmed().isEmpty()) {
            continue;
        }
        const QStringList fields = splitFields(line);
        if (first) {
            first = false;
            if (isHeader(fields)) {
                parsed.headerSkipped = true;
                continue;
            }
        }
        if (fields.size() < 2) {
            // "DUPONT,Jean" is no family name: a list in another form is not imported at all.
            parsed.names.clear();
            parsed.lineWithoutSeparator = static_cast<int>(index + 1);
            parsed.lineWithoutSeparatorText = line.trimmed();
            return parsed;
        }
        NameMatch name;
        name.nom = fields.value(0);
        name.prenom = fields.value(1);
        if (name.nom.isEmpty()) {
            ++parsed.skippedLines;
            continue;
        }
        parsed.names.append(name);
    }
    return parsed;
}

Status createNamesTable(const QString& path, const QString& table, const QList<NameMatch>& names,
                        ExistingTable existing)
{
    if (!Sql::isPlainIdentifier(table)) {
        return Status::failure(QStringLiteral("Le nom de table « %1 » n'est pas valide : il ne peut contenir que "
                                              "des lettres sans accent, des chiffres et « _ ».")
                                   .arg(table));
    }
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        return Status::failure(
            QStringLiteral("Le dossier « %1 » n'existe pas.").arg(Files::displayPath(info.absolutePath())));
    }
    if (info.exists()) {
        auto opened = DbConnection::open(path);
        if (!opened) {
            return opened.status();
        }
        return fillTable(**opened, table, names, existing);
    }

    // A new database is complete before it takes its name: nobody ever opens
    // a half-filled names database.
    // (A plain new file, not a temporary one: the database gets the usual
    // permissions, so that the other workstations can read it.)
    QString building;
    for (int attempt = 0; building.isEmpty(); ++attempt) {
        QFile file(info.absoluteFilePath()
                   + QStringLiteral(".%1-%2.tmp").arg(QCoreApplication::applicationPid()).arg(attempt));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            building = file.fileName();
        } else if (attempt >= 20 || !file.exists()) {
            return Status::failure(QStringLiteral("Impossible de créer la base des noms « %1 » (%2).")
                                       .arg(Files::displayPath(path), file.errorString()));
        }
    }
    Status status = Status::success();
    {
        auto opened = DbConnection::open(building);
        status = opened ? fillTable(**opened, table, names, existing) : opened.status();
    }
    if (status && !QFile::rename(building, path)) {
        status = Status::failure(QStringLiteral("Impossible de créer la base des noms « %1 » : "
                                                "un fichier de ce nom vient d'apparaître.")
                                     .arg(Files::displayPath(path)));
    }
    if (!status) {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
    }
    return status;
}

QList<NameMatch> demoNames()
{
    static const char* const familyNames[] = {
        "MARTIN",    "BERNARD",  "THOMAS",    "PETIT",     "ROBERT",   "RICHARD",   "DURAND",
        "DUBOIS",    "MOREAU",   "LAURENT",   "SIMON",     "MICHEL",   "LEFEBVRE",  "LEROY",
        "ROUX",      "DAVID",    "BERTRAND",  "MOREL",     "FOURNIER", "GIRARD",    "BONNET",
        "DUPONT",    "LAMBERT",  "FONTAINE",  "ROUSSEAU",  "VINCENT",  "MÜLLER",    "LEFÈVRE",
        "FAURE",     "ANDRÉ",    "MERCIER",   "BLANC",     "GUÉRIN",   "BOYER",     "GARNIER",
        "CHEVALIER", "FRANCOIS", "LEGRAND",   "GAUTHIER",  "GARCIA",   "PERRIN",    "ROBIN",
        "CLEMENT",   "MORIN",    "NICOLAS",   "HENRY",     "ROUSSEL",  "MATHIEU",   "MASSON",
        "DUVAL",     "DUMAS",    "DURET",     "LE GALL",   "LE ROUX",  "D'ALMEIDA", "D'ARCY",
        "D'AUBIGNY", "BRETON",   "CARON",     "COLIN",     "VIDAL",    "RENAUD",    "BRUNET",
        "BÉRARD",    "ÉTIENNE",  "CŒUR",      "ÉLISÉE",    "MAÎTRE",   "LE BŒUF",   "ÉMERY",
    };
    static const char* const firstNames[] = {
        "Jean",    "Marie",     "Pierre",   "Michel",   "Nathalie", "Isabelle", "Philippe", "Sylvie",
        "Catherine", "Alain",   "Françoise", "Hélène",  "Céline",   "Léa",      "Jérôme",   "Nicolas",
        "Camille", "Élodie",    "François", "Brigitte", "Louis",    "Chloé",    "Thierry",  "Monique",
    };
    constexpr int firstCount = static_cast<int>(std::size(firstNames));
    QList<NameMatch> names;
    int index = 0;
    for (const char* family : familyNames) {
        for (int k = 0; k < 6; ++k) {
            // Six different first names per family, spread over the list.
            const int first = (index * 5 + k * 7) % firstCount;
            names.append({QString::fromUtf8(family), QString::fromUtf8(firstNames[first])});
        }
        ++index;
    }
    return names;
}
} // namespace NamesImport
