#pragma once

#include "platform/Result.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>

#include <memory>
#include <optional>

class DbConnection;

// The search of a patient's name in the names database: the text typed before
// the caret becomes a 60-character key, and the first family name at or after
// it (family name, then first name, without regard to case or accents) is the
// answer.
namespace NameSearch
{
constexpr int KeyFieldWidth = 30;      // each half of NameSearchKey
constexpr int MinimumPrefixLength = 2; // a shorter prefix never completes
// The names connection's wait for a lock: a names file being imported must
// not hold every key typed in a row for seconds.
constexpr int BusyTimeoutMs = 200;

// The compared forms of NOM and PRENOM, stored beside them by the import.
inline constexpr char NomKeyColumn[] = "NOM_CLE";
inline constexpr char PrenomKeyColumn[] = "PRENOM_CLE";

// The compared form of a name: capitals without accents ("Lefèvre" and
// "LEFÈVRE" give "LEFEVRE"), Œ as OE, Æ as AE, ß as SS. Blanks and other
// signs stay as they are: they count in the comparison.
QString foldKey(const QString& text);

// NameSearchKey: the prefix cut to 30 characters or padded with blanks to 30,
// then "A" and 29 blanks. The blanks count in the comparison: a family name
// that merely equals the prefix sorts before the key.
QString searchKey(const QString& prefix);

// The first `caret` characters of `text` (the caret clamped into the text).
QString prefixBeforeCaret(const QString& text, int caret);

// The notice of a lookup that cannot be made, with its reason; the main
// window shows it, and the supervisor's tool quotes it.
QString unavailableMessage(const QString& reason);

// The query behind one lookup, for a table and columns already checked:
// on the stored compared forms (bind foldKey(searchKey(prefix)))...
QString keyedQuerySql(const QString& table, const QString& nomColumn, const QString& prenomColumn,
                      const QString& nomKeyColumn, const QString& prenomKeyColumn);
// ...or, for a names table without them, on NOM and PRENOM themselves,
// without regard to the case of A-Z only (bind searchKey(prefix)).
QString querySql(const QString& table, const QString& nomColumn, const QString& prenomColumn);
} // namespace NameSearch

// One name of the names table; a NULL field reads as "".
struct NameMatch
{
    QString nom;
    QString prenom;

    // What the row shows: the family name, a blank, the first name.
    QString rowText() const { return nom + QLatin1Char(' ') + prenom; }
    bool operator==(const NameMatch& other) const = default;
};

// The lookup of names on a connection of its own: it never touches the day
// records' database state. A table with NOM_CLE and PRENOM_CLE filled for
// every family name is searched on them; any other is searched on NOM and
// PRENOM as they stand. The connection stays open between key releases and
// is opened again when the path, the table or the file itself changes, and
// after any error.
class NameLookup
{
public:
    enum class Outcome {
        Found,      // `match` holds the name
        NoMatch,    // no family name at or after the key
        TooShort,   // fewer than two characters: nothing looked up
        Unavailable // database, table or fields missing, or the engine failed: `reason`
    };

    struct Answer
    {
        Outcome outcome = Outcome::NoMatch;
        NameMatch match;
        QString reason; // French, for Unavailable
    };

    NameLookup();
    ~NameLookup();
    NameLookup(const NameLookup&) = delete;
    NameLookup& operator=(const NameLookup&) = delete;

    // The first name at or after the key of `prefix` in `table` of the names
    // database at `databasePath`. The table must be a plain identifier that
    // the database holds (found without regard to case) with NOM and PRENOM.
    Answer find(const QString& databasePath, const QString& table, const QString& prefix);

    // Drops the connection (the next lookup opens the database again).
    void close();
    bool isOpen() const { return m_db != nullptr; }

private:
    Status open(const QString& databasePath, const QString& table);
    bool stillValid(const QString& databasePath, const QString& table) const;

    // Declared before the query: the query goes first when the object dies.
    std::shared_ptr<DbConnection> m_db;
    std::optional<QSqlQuery> m_query;
    bool m_keyed = false; // m_query compares NOM_CLE
    QString m_path;
    QString m_table;
    QDateTime m_fileModified;
    qint64 m_fileSize = -1;
};
