#pragma once

#include "mainwindow/NameSearch.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Building a names database: the supervisor's import of a NOM;PRENOM file,
// the demo database and the benchmark's table all go through here.
namespace NamesImport
{
inline constexpr char DefaultTable[] = "MATABLE";
inline constexpr char DemoFileName[] = "NOMS.MDB";

struct ParsedNames
{
    QList<NameMatch> names;
    int skippedLines = 0;       // lines without a family name
    bool headerSkipped = false; // a first line "NOM;PRENOM"
    bool windows1252 = false;   // the file was no valid UTF-8
    // A file refused whole, `names` then empty: no text at all...
    bool notText = false;
    // ...or a line without ";" (its number, 1 for the first line, and its text).
    int lineWithoutSeparator = 0;
    QString lineWithoutSeparatorText;
};

// What to do with a names table that is there already.
enum class ExistingTable {
    Refuse,
    Replace // dropped and written anew in the one transaction of the import
};

// The text of a file: UTF-8 (its byte-order mark dropped) when the bytes are
// valid UTF-8, otherwise Windows-1252.
QString decodeText(const QByteArray& bytes, bool* windows1252 = nullptr);

// One line per name: family name, ";", first name. Fields may stand between
// double quotes ("" inside for a quote); blanks around a field are dropped;
// fields after the second are ignored. Blank lines are skipped, and so is a
// first line that reads "NOM;PRENOM" (in any case); a line without ";"
// outside quotes refuses the file. So does a file that is no text: one
// holding a NUL byte, or one in which more than one character in twenty is a
// control character (tab and line ends apart; old end-of-file marks at the
// end are dropped) that no list in UTF-8 or Windows-1252 holds.
ParsedNames parseCsv(const QByteArray& bytes);

// Creates table `table` (fields NOM and PRENOM as given, NOM_CLE and
// PRENOM_CLE their NameSearch::foldKey forms, an index on the four) in the
// names database at `path` and fills it in one transaction. A missing database is built beside its place and renamed into
// it once complete. An existing one must hold no appointment table, and the
// table only when `existing` is Replace: the old table then goes in the same
// transaction, so a workstation reading it meanwhile finds the old names or
// the new ones, never an empty or missing table.
Status createNamesTable(const QString& path, const QString& table, const QList<NameMatch>& names,
                        ExistingTable existing = ExistingTable::Refuse);

// A few hundred plausible French names for the demo database.
QList<NameMatch> demoNames();
} // namespace NamesImport
