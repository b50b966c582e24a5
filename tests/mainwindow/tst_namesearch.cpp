#include "common/TestSupport.h"
#include "mainwindow/NamesTestData.h"

#include "mainwindow/NameSearch.h"
#include "mainwindow/NamesImport.h"
#include "platform/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace
{
using Outcome = NameLookup::Outcome;

using NamesTestData::name;

const QString Table = QStringLiteral("MATABLE");

// A names table with the cases that matter among a few hundred ordinary names.
QList<NameMatch> testNames()
{
    QList<NameMatch> names = NamesTestData::ordinaryNames();
    names << name("DU", "Paul") << name("DU PONT", "Zoé") << name("DUBOIS", "Marie") << name("DUBOIS", "alain")
          << name("dubreuil", "Anne") << name("D'ARCY", "Henri") << name("D'ARTOIS", "Luc")
          << name("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "Trente")
          << name("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDB", "Bis") << name("ZOLA", "Émile")
          << name("DUPONT", "Jean") << name("MARTIN", "Pierre");
    return names;
}

QString runSql(const QString& path, const QString& statement)
{
    auto db = DbConnection::open(path);
    if (!db) {
        return QStringLiteral("open failed");
    }
    QSqlQuery query((*db)->database());
    if (!query.exec(statement)) {
        return QStringLiteral("failed");
    }
    QStringList rows;
    while (query.next()) {
        rows << query.value(query.record().count() - 1).toString();
    }
    return rows.join(QLatin1Char('|'));
}
} // namespace

class TestNameSearch : public QObject
{
    Q_OBJECT

private slots:
    void searchKeyIsTwoFieldsOfThirty();
    void prefixStopsAtTheCaret();

    void findsTheFirstNameAtOrAfterTheKey();
    void comparesWithoutRegardToCase();
    void apostropheIsJustACharacter();
    void longPrefixIsCutToThirty();
    void noNameAfterTheKeyIsNoMatch();
    void nullFieldsReadAsEmpty();
    void oneCharacterIsNeverLookedUp();

    void unavailableDatabasesSayWhy();
    void tableMustBePlainAndPresent();
    void tableNeedsNomAndPrenom();
    void lookupUsesTheIndexAndKeepsNoLock();
    void replacedDatabaseIsOpenedAnew();

    void csvReadsUtf8AndWindows1252();
    void csvFieldsQuotesAndSkippedLines();
    void createRefusesWhatItMustNotTouch();
    void createAddsATableToAnExistingDatabase();
    void demoNamesAreAFewHundred();
};

void TestNameSearch::searchKeyIsTwoFieldsOfThirty()
{
    const QString key = NameSearch::searchKey(QStringLiteral("DU"));
    QCOMPARE(key.size(), 60);
    QCOMPARE(key, QStringLiteral("DU") + QString(28, QLatin1Char(' ')) + QStringLiteral("A")
                      + QString(29, QLatin1Char(' ')));

    const QString thirty = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    QCOMPARE(NameSearch::searchKey(thirty + QStringLiteral("EFGHIJ")), NameSearch::searchKey(thirty));
    QCOMPARE(NameSearch::searchKey(thirty).left(31), thirty + QStringLiteral("A"));
    QCOMPARE(NameSearch::searchKey(QString()).size(), 60);
}

void TestNameSearch::prefixStopsAtTheCaret()
{
    QCOMPARE(NameSearch::prefixBeforeCaret(QStringLiteral("DUPONT Jean"), 2), QStringLiteral("DU"));
    QCOMPARE(NameSearch::prefixBeforeCaret(QStringLiteral("DU"), 0), QString());
    QCOMPARE(NameSearch::prefixBeforeCaret(QStringLiteral("DU"), 9), QStringLiteral("DU"));
    QCOMPARE(NameSearch::prefixBeforeCaret(QStringLiteral("DU"), -1), QString());
}

void TestNameSearch::findsTheFirstNameAtOrAfterTheKey()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;

    // "DU" alone sorts before the key ("DU" then blanks then "A"); "DU PONT"
    // continues the prefix with a blank, which sorts before every letter.
    NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Found);
    QCOMPARE(answer.match, name("DU PONT", "Zoé"));
    QCOMPARE(answer.match.rowText(), QStringLiteral("DU PONT Zoé"));

    // Same family name: the first names decide, without regard to case.
    answer = lookup.find(path, Table, QStringLiteral("DUB"));
    QCOMPARE(answer.match, name("DUBOIS", "alain"));
    answer = lookup.find(path, Table, QStringLiteral("DUBR"));
    QCOMPARE(answer.match, name("dubreuil", "Anne"));
    // A prefix between two names gives the next one.
    answer = lookup.find(path, Table, QStringLiteral("DUPONS"));
    QCOMPARE(answer.match.nom, QStringLiteral("DUPONT"));
    QVERIFY(lookup.isOpen());
}

void TestNameSearch::comparesWithoutRegardToCase()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;
    QCOMPARE(lookup.find(path, Table, QStringLiteral("dub")).match, name("DUBOIS", "alain"));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("DuBr")).match, name("dubreuil", "Anne"));
    // The table named in Alpha.vlk is found whatever the case of its letters.
    QCOMPARE(lookup.find(path, QStringLiteral("matable"), QStringLiteral("zo")).match, name("ZOLA", "Émile"));
}

void TestNameSearch::apostropheIsJustACharacter()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;
    QCOMPARE(lookup.find(path, Table, QStringLiteral("D'AR")).match, name("D'ARCY", "Henri"));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("D'ART")).match, name("D'ARTOIS", "Luc"));
    // Text that would end a quoted key and add to the query is only a key.
    const NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("ZZ' OR '1'='1"));
    QCOMPARE(answer.outcome, Outcome::NoMatch);
    QCOMPARE(lookup.find(path, Table, QStringLiteral("X'; DROP TABLE MATABLE; --")).outcome, Outcome::Found);
    QCOMPARE(runSql(path, QStringLiteral("SELECT COUNT(*) FROM MATABLE")),
             QString::number(testNames().size()));
}

void TestNameSearch::longPrefixIsCutToThirty()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;
    // Cut to 30, the key is the 30 letters then "A": the 30-letter name sorts
    // before it, the 31-letter one ending in "B" after it. Uncut, the key
    // would pass both and land on the next family name.
    const NameLookup::Answer answer =
        lookup.find(path, Table, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDZZZZZ"));
    QCOMPARE(answer.match, name("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDB", "Bis"));
}

void TestNameSearch::noNameAfterTheKeyIsNoMatch()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;
    const NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("ZZ"));
    QCOMPARE(answer.outcome, Outcome::NoMatch);
    QVERIFY(answer.reason.isEmpty());
    QVERIFY(lookup.isOpen());
}

void TestNameSearch::nullFieldsReadAsEmpty()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, {name("MARTIN", "Jean")}));
    QCOMPARE(runSql(path, QStringLiteral("INSERT INTO MATABLE (NOM, PRENOM) VALUES ('LEGRAND', NULL), "
                                         "(NULL, 'Sans nom')")),
             QString());
    NameLookup lookup;
    const NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("LE"));
    QCOMPARE(answer.match, name("LEGRAND", ""));
    QCOMPARE(answer.match.rowText(), QStringLiteral("LEGRAND "));
    // A record without family name is never found.
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MB")).outcome, Outcome::NoMatch);
}

void TestNameSearch::oneCharacterIsNeverLookedUp()
{
    NameLookup lookup;
    QCOMPARE(lookup.find(QStringLiteral("/nowhere/NOMS.MDB"), Table, QStringLiteral("D")).outcome,
             Outcome::TooShort);
    QCOMPARE(lookup.find(QStringLiteral("/nowhere/NOMS.MDB"), Table, QString()).outcome, Outcome::TooShort);
    QVERIFY(!lookup.isOpen());
}

void TestNameSearch::unavailableDatabasesSayWhy()
{
    TestEnv env;
    NameLookup lookup;
    const QString missing = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    NameLookup::Answer answer = lookup.find(missing, Table, QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY2(answer.reason.contains(QStringLiteral("introuvable")), qPrintable(answer.reason));

    // CheminNoms left at its default, the program's folder.
    answer = lookup.find(env.programFolder(), Table, QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY(!answer.reason.isEmpty());

    answer = lookup.find(QString(), Table, QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);

    const QString garbage = QDir(env.dataFolder()).filePath(QStringLiteral("NOTES.MDB"));
    TestEnv::writeFile(garbage, QByteArray(4096, 'x'));
    answer = lookup.find(garbage, Table, QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY(!answer.reason.isEmpty());
    QVERIFY(!lookup.isOpen());
    QCOMPARE(TestEnv::readFile(garbage), QByteArray(4096, 'x'));
    // Never created by a lookup.
    QVERIFY(!QFile::exists(missing));
}

void TestNameSearch::tableMustBePlainAndPresent()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    NameLookup lookup;
    for (const QString& table : {QStringLiteral("MATABLE; DROP TABLE MATABLE"), QStringLiteral("MATABLE--"),
                                 QStringLiteral("\"MATABLE\""), QStringLiteral("TABLÉ"), QString()}) {
        const NameLookup::Answer answer = lookup.find(path, table, QStringLiteral("DU"));
        QCOMPARE(answer.outcome, Outcome::Unavailable);
        QVERIFY(answer.reason.contains(QStringLiteral("Alpha.vlk")));
    }
    const NameLookup::Answer answer = lookup.find(path, QStringLiteral("PATIENTS"), QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY2(answer.reason.contains(QStringLiteral("PATIENTS")), qPrintable(answer.reason));
    QCOMPARE(runSql(path, QStringLiteral("SELECT COUNT(*) FROM MATABLE")), QString::number(testNames().size()));
}

void TestNameSearch::tableNeedsNomAndPrenom()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));
    QCOMPARE(runSql(path, QStringLiteral("CREATE TABLE PATIENTS (NOM TEXT, PRENOMS TEXT)")), QString());
    NameLookup lookup;
    const NameLookup::Answer answer = lookup.find(path, QStringLiteral("PATIENTS"), QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY2(answer.reason.contains(QStringLiteral("NOM et PRENOM")), qPrintable(answer.reason));

    // Fields spelled in another case are the same fields.
    QCOMPARE(runSql(path, QStringLiteral("CREATE TABLE Clients (nom TEXT, Prenom TEXT, VILLE TEXT)")), QString());
    QCOMPARE(runSql(path, QStringLiteral("INSERT INTO Clients VALUES ('DURAND', 'Léa', 'Lyon')")), QString());
    QCOMPARE(lookup.find(path, QStringLiteral("CLIENTS"), QStringLiteral("du")).match, name("DURAND", "Léa"));
}

void TestNameSearch::lookupUsesTheIndexAndKeepsNoLock()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, testNames()));

    QString plan;
    {
        auto db = DbConnection::open(path);
        QVERIFY(db);
        QSqlQuery explain((*db)->database());
        QVERIFY(explain.prepare(QStringLiteral("EXPLAIN QUERY PLAN ")
                                + NameSearch::querySql(Table, QStringLiteral("NOM"), QStringLiteral("PRENOM"))));
        explain.bindValue(0, NameSearch::searchKey(QStringLiteral("DU")));
        QVERIFY(explain.exec());
        while (explain.next()) {
            plan += explain.value(3).toString() + QLatin1Char('|');
        }
    }
    QVERIFY2(plan.contains(QStringLiteral("SEARCH")) && plan.contains(QStringLiteral("INDEX MATABLE_NOM_PRENOM")),
             qPrintable(plan));
    QVERIFY2(!plan.contains(QStringLiteral("TEMP B-TREE")), qPrintable(plan));

    NameLookup lookup;
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Found);
    // The connection stays open, yet another workstation can write at once:
    // a lock kept after the lookup would make the commit wait and fail.
    {
        auto writer = DbConnection::open(path);
        QVERIFY(writer);
        QVERIFY((*writer)->beginWrite());
        QSqlQuery insert((*writer)->database());
        QVERIFY(insert.exec(QStringLiteral("INSERT INTO MATABLE VALUES ('MAAS', 'Anton')")));
        QVERIFY((*writer)->commit());
    }
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MAAS", "Anton"));
}

void TestNameSearch::replacedDatabaseIsOpenedAnew()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, {name("MARTIN", "Jean")}));
    NameLookup lookup;
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARTIN", "Jean"));

    // The supervisor puts a new names database in its place.
    const QString fresh = QDir(env.root()).filePath(QStringLiteral("NOUVEAU.MDB"));
    QVERIFY(NamesImport::createNamesTable(fresh, Table, {name("MARCEAU", "Lise"), name("MARTIN", "Jean")}));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(fresh, path));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARCEAU", "Lise"));

    // Removed: the lookup says so instead of reading the old file.
    QVERIFY(QFile::remove(path));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Unavailable);
}

void TestNameSearch::csvReadsUtf8AndWindows1252()
{
    const QByteArray utf8 = "\xEF\xBB\xBFNOM;PRENOM\r\nDUPONT;H\xC3\xA9l\xC3\xA8ne\r\n\r\n  \r\nMARTIN;Jean\r\n";
    NamesImport::ParsedNames parsed = NamesImport::parseCsv(utf8);
    QVERIFY(!parsed.windows1252);
    QVERIFY(parsed.headerSkipped);
    QCOMPARE(parsed.names, (QList<NameMatch>{name("DUPONT", "Hélène"), name("MARTIN", "Jean")}));

    const QByteArray cp1252 = "nom;prenom\nL\xC9GER;Fran\xE7oise\nDURAND;L\xE9\x61";
    parsed = NamesImport::parseCsv(cp1252);
    QVERIFY(parsed.windows1252);
    QVERIFY(parsed.headerSkipped);
    QCOMPARE(parsed.names, (QList<NameMatch>{name("LÉGER", "Françoise"), name("DURAND", "Léa")}));

    // Old Mac line ends, no header.
    parsed = NamesImport::parseCsv("ROUX;Paul\rBLANC;Eve\r");
    QVERIFY(!parsed.headerSkipped);
    QCOMPARE(parsed.names.size(), 2);
}

void TestNameSearch::csvFieldsQuotesAndSkippedLines()
{
    const QByteArray bytes = "\"DE LA TOUR; AUVERGNE\";\"Jean \"\"Jeannot\"\"\"\n"
                             "  LEROY ; Anne ; 12 rue des Lilas ; Paris\n"
                             "PETIT\n"
                             ";Orphelin\n"
                             "\"D'ARCY\" ; Henri\n";
    const NamesImport::ParsedNames parsed = NamesImport::parseCsv(bytes);
    QCOMPARE(parsed.names, (QList<NameMatch>{name("DE LA TOUR; AUVERGNE", "Jean \"Jeannot\""), name("LEROY", "Anne"),
                                             name("PETIT", ""), name("D'ARCY", "Henri")}));
    QCOMPARE(parsed.skippedLines, 1);
    QVERIFY(!parsed.headerSkipped);
}

void TestNameSearch::createRefusesWhatItMustNotTouch()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, {name("MARTIN", "Jean")}));
    // Nothing is left beside the new database.
    QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("NOMS.MDB")});
    // The other workstations may read it as they read any file made here.
    const QString plain = QDir(env.root()).filePath(QStringLiteral("plain.txt"));
    TestEnv::writeFile(plain, "x");
    QCOMPARE(QFileInfo(path).permissions(), QFileInfo(plain).permissions());

    // The table exists already (whatever the case): refused, content kept.
    const Status again = NamesImport::createNamesTable(path, QStringLiteral("matable"), {name("ZOLA", "Émile")});
    QVERIFY(!again);
    QVERIFY2(again.error().contains(QStringLiteral("existe déjà")), qPrintable(again.error()));
    QCOMPARE(runSql(path, QStringLiteral("SELECT NOM FROM MATABLE")), QStringLiteral("MARTIN"));

    QVERIFY(!NamesImport::createNamesTable(path, QStringLiteral("X; DROP TABLE MATABLE"), {name("A", "B")}));
    QCOMPARE(runSql(path, QStringLiteral("SELECT NOM FROM MATABLE")), QStringLiteral("MARTIN"));

    const QString garbage = QDir(env.dataFolder()).filePath(QStringLiteral("TEXTE.MDB"));
    TestEnv::writeFile(garbage, QByteArray(2048, 'x'));
    QVERIFY(!NamesImport::createNamesTable(garbage, Table, {name("A", "B")}));
    QCOMPARE(TestEnv::readFile(garbage), QByteArray(2048, 'x'));

    const Status noFolder = NamesImport::createNamesTable(
        QDir(env.root()).filePath(QStringLiteral("absent/NOMS.MDB")), Table, {name("A", "B")});
    QVERIFY(!noFolder);
    QVERIFY(noFolder.error().contains(QStringLiteral("n'existe pas")));
}

void TestNameSearch::createAddsATableToAnExistingDatabase()
{
    TestEnv env;
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    QVERIFY(NamesImport::createNamesTable(path, Table, {name("MARTIN", "Jean")}));
    QVERIFY(NamesImport::createNamesTable(path, QStringLiteral("PATIENTS_2007"), {name("ZOLA", "Émile")}));
    NameLookup lookup;
    QCOMPARE(lookup.find(path, QStringLiteral("PATIENTS_2007"), QStringLiteral("ZO")).match, name("ZOLA", "Émile"));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARTIN", "Jean"));
    QCOMPARE(runSql(path, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name")),
             QStringLiteral("MATABLE_NOM_PRENOM|PATIENTS_2007_NOM_PRENOM"));
}

void TestNameSearch::demoNamesAreAFewHundred()
{
    const QList<NameMatch> names = NamesImport::demoNames();
    QVERIFY(names.size() >= 200 && names.size() <= 1000);
    QSet<QString> distinct;
    for (const NameMatch& n : names) {
        QVERIFY(!n.nom.isEmpty() && !n.prenom.isEmpty());
        distinct.insert(n.rowText());
    }
    QCOMPARE(distinct.size(), names.size());
}

QTEST_GUILESS_MAIN(TestNameSearch)
#include "tst_namesearch.moc"
