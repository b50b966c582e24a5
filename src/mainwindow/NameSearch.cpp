#include "mainwindow/NameSearch.h"

#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/NoCase.h"

#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

namespace
{
QString fieldText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

// The column of `table` called `name` as the file spells it, or "".
QString findColumn(const DbConnection& db, const QString& table, const QString& name)
{
    return NoCase::find(db.columns(table), name);
}
} // namespace

namespace NameSearch
{
QString foldKey(const QString& text)
{
    // Decomposed, an accented letter is its base letter followed by marks.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            break;
        default:
            bare += c;
        }
    }
    QString folded = bare.toUpper();
    folded.replace(QChar(0x00DF), QLatin1String("SS")); // ß
    folded.replace(QChar(0x1E9E), QLatin1String("SS")); // ẞ
    folded.replace(QChar(0x0152), QLatin1String("OE")); // Œ
    folded.replace(QChar(0x00C6), QLatin1String("AE")); // Æ
    return folded;
}

QString searchKey(const QString& prefix)
{
    return prefix.left(KeyFieldWidth).leftJustified(KeyFieldWidth, QLatin1Char(' '))
           + QLatin1Char('A') + QString(KeyFieldWidth - 1, QLatin1Char(' '));
}

QString prefixBeforeCaret(const QString& text, int caret)
{
    return text.left(qBound(0, caret, static_cast<int>(text.size())));
}

QString unavailableMessage(const QString& reason)
{
    return QStringLiteral("La recherche des noms est impossible.\n%1\n\nLe texte saisi est conservé. Ce message ne "
                          "reparaîtra pas avant que la recherche des noms soit arrêtée puis relancée par la "
                          "touche F2.")
        .arg(reason);
}

QString keyedQuerySql(const QString& table, const QString& nomColumn, const QString& prenomColumn,
                      const QString& nomKeyColumn, const QString& prenomKeyColumn)
{
    return QStringLiteral("SELECT %2, %3 FROM %1 WHERE %4 >= ? ORDER BY %4, %5, %2, %3 LIMIT 1")
        .arg(Sql::quoteIdentifier(table), Sql::quoteIdentifier(nomColumn), Sql::quoteIdentifier(prenomColumn),
             Sql::quoteIdentifier(nomKeyColumn), Sql::quoteIdentifier(prenomKeyColumn));
}

QString querySql(const QString& table, const QString& nomColumn, const QString& prenomColumn)
{
    const QString nom = Sql::quoteIdentifier(nomColumn);
    const QString prenom = Sql::quoteIdentifier(prenomColumn);
    return QStringLiteral("SELECT %2, %3 FROM %1 WHERE %2 >= ? COLLATE NOCASE "
                          "ORDER BY %2 COLLATE NOCASE, %3 COLLATE NOCASE LIMIT 1")
        .arg(Sql::quoteIdentifier(table), nom, prenom);
}
} // namespace NameSearch

NameLookup::NameLookup() = default;

NameLookup::~NameLookup()
{
    close();
}

void NameLookup::close()
{
    m_query.reset();
    m_db.reset();
    m_keyed = false;
    m_path.clear();
    m_table.clear();
    m_fileModified = QDateTime();
    m_fileSize = -1;
}

bool NameLookup::stillValid(const QString& databasePath, const QString& table) const
{
    if (!m_db || !m_query || databasePath != m_path || table != m_table) {
        return false;
    }
    // A names database replaced by the supervisor (or deleted) is opened anew.
    const QFileInfo info(databasePath);
    return info.exists() && info.lastModified() == m_fileModified && info.size() == m_fileSize;
}

Status NameLookup::open(const QString& databasePath, const QString& table)
{
    close();
    if (table.trimmed().isEmpty()) {
        return Status::failure(QStringLiteral("Aucune table de noms n'est indiquée dans le fichier Alpha.vlk."));
    }
    if (!Sql::isPlainIdentifier(table)) {
        return Status::failure(QStringLiteral("Le nom de table « %1 » du fichier Alpha.vlk n'est pas valide : "
                                              "il ne peut contenir que des lettres sans accent, des chiffres "
                                              "et « _ ».")
                                   .arg(table));
    }
    const QFileInfo before(databasePath);
    auto opened = DbConnection::open(databasePath, {}, NameSearch::BusyTimeoutMs);
    if (!opened) {
        return opened.status();
    }
    std::shared_ptr<DbConnection> db = *opened;
    const QString shown = Files::displayPath(databasePath);
    const QString spelled = db->tableName(table);
    if (spelled.isEmpty()) {
        return Status::failure(QStringLiteral("La table « %1 » est absente de la base des noms « %2 ».")
                                   .arg(table, shown));
    }
    const QString nom = findColumn(*db, spelled, QStringLiteral("NOM"));
    const QString prenom = findColumn(*db, spelled, QStringLiteral("PRENOM"));
    if (nom.isEmpty() || prenom.isEmpty()) {
        return Status::failure(QStringLiteral("La table « %1 » de la base des noms « %2 » n'a pas les champs "
                                              "NOM et PRENOM.")
                                   .arg(spelled, shown));
    }
    const auto unreadable = [&shown](const QSqlQuery& failed) {
        return Status::failure(QStringLiteral("La base des noms « %1 » ne peut pas être lue : %2")
                                   .arg(shown, Sql::reason(failed.lastError())));
    };

    // The compared forms, when the import stored them. A family name added
    // since by another tool, without its compared form, would never be
    // found on them: such a table is searched on NOM and PRENOM instead.
    const QString nomKey = findColumn(*db, spelled, QString::fromLatin1(NameSearch::NomKeyColumn));
    const QString prenomKey = findColumn(*db, spelled, QString::fromLatin1(NameSearch::PrenomKeyColumn));
    bool keyed = !nomKey.isEmpty() && !prenomKey.isEmpty();
    if (keyed) {
        QSqlQuery missing(db->database());
        missing.setForwardOnly(true);
        if (!missing.exec(QStringLiteral("SELECT 1 FROM %1 WHERE %2 IS NULL AND %3 IS NOT NULL LIMIT 1")
                              .arg(Sql::quoteIdentifier(spelled), Sql::quoteIdentifier(nomKey),
                                   Sql::quoteIdentifier(nom)))) {
            return unreadable(missing);
        }
        keyed = !missing.next();
    }

    QSqlQuery query(db->database());
    query.setForwardOnly(true);
    if (!query.prepare(keyed ? NameSearch::keyedQuerySql(spelled, nom, prenom, nomKey, prenomKey)
                             : NameSearch::querySql(spelled, nom, prenom))) {
        return unreadable(query);
    }
    m_db = std::move(db);
    m_keyed = keyed;
    m_query.emplace(std::move(query));
    m_path = databasePath;
    m_table = table;
    m_fileModified = before.lastModified();
    m_fileSize = before.size();
    return Status::success();
}

NameLookup::Answer NameLookup::find(const QString& databasePath, const QString& table, const QString& prefix)
{
    Answer answer;
    if (prefix.size() < NameSearch::MinimumPrefixLength) {
        answer.outcome = Outcome::TooShort;
        return answer;
    }
    if (!stillValid(databasePath, table)) {
        const Status opened = open(databasePath, table);
        if (!opened) {
            close();
            answer.outcome = Outcome::Unavailable;
            answer.reason = opened.error();
            return answer;
        }
    }

    QSqlQuery& query = *m_query;
    const QString key = NameSearch::searchKey(prefix);
    query.bindValue(0, m_keyed ? NameSearch::foldKey(key) : key);
    if (!query.exec()) {
        answer.outcome = Outcome::Unavailable;
        answer.reason = QStringLiteral("La base des noms « %1 » ne peut pas être lue : %2")
                            .arg(Files::displayPath(databasePath), Sql::reason(query.lastError()));
        close();
        return answer;
    }
    if (query.next()) {
        answer.outcome = Outcome::Found;
        answer.match.nom = fieldText(query.value(0));
        answer.match.prenom = fieldText(query.value(1));
    } else {
        answer.outcome = Outcome::NoMatch;
    }
    // Ends the statement at once: no read lock is kept between two keys.
    query.finish();
    return answer;
}
