#include "common/TestSupport.h"
#include "mainwindow/NamesTestData.h"

#include "mainwindow/NameSearch.h"
#include "mainwindow/NamesImport.h"
#include "platform/Database.h"

#include <QDir>
#include <QElapsedTimer>
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
          << name("dubreuil", "Anne") << name("ZOLA", "Émile") << name("DUPONT", "Jean") << name("MARTIN", "Pierre")
          << name("LEFÈVRE", "Hélène") << name("ÉLISÉE", "Marc") << name("ELLUL", "Paul") << name("BÉRARD", "Lucie")
          << name("CŒUR", "Jeanne") << name("ÉTIENNE", "Anne") << name("ETIENNE", "éric");
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

// A names database in the test's data folder.
QString namesDatabase(const TestEnv& env, const QList<NameMatch>& names = testNames())
{
    const QString path = QDir(env.dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
    if (!NamesImport::createNamesTable(path, Table, names)) {
        qFatal("cannot create the names database");
    }
    return path;
}
} // namespace

class TestNameSearch : public QObject
{
    Q_OBJECT

private slots:
    void searchKeyIsTwoFieldsOfThirty();
    void foldKeyDropsCaseAndAccents_data();
    void foldKeyDropsCaseAndAccents();
    void findsTheFirstNameAtOrAfterTheKey_data();
    void findsTheFirstNameAtOrAfterTheKey();
    void nullFieldsReadAsEmpty();

    void unavailableDatabasesSayWhy();
    void tableMustBePlainAndPresent();
    void tableNeedsNomAndPrenom();
    void lookupUsesTheIndexAndKeepsNoLock();
    void lockedNamesFileFailsAtOnce();
    void replacedDatabaseIsOpenedAnew();

    void csvReadsUtf8AndWindows1252();
    void csvFieldsQuotesAndSkippedLines();
    void createRefusesWhatItMustNotTouch();
    void createAddsATableToAnExistingDatabase();
    void demoNamesAreAFewHundred();
};

void TestNameSearch::searchKeyIsTwoFieldsOfThirty()
{
    QCOMPARE(NameSearch::searchKey(QStringLiteral("DU")),
             QStringLiteral("DU") + QString(28, QLatin1Char(' ')) + QStringLiteral("A") + QString(29, QLatin1Char(' ')));
    const QString thirty = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    QCOMPARE(NameSearch::searchKey(thirty + QStringLiteral("EFGHIJ")), NameSearch::searchKey(thirty));
    QCOMPARE(NameSearch::searchKey(QString()).size(), 60);
}

void TestNameSearch::foldKeyDropsCaseAndAccents_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("accents") << QStringLiteral("Lefèvre-Ébène çà ôü") << QStringLiteral("LEFEVRE-EBENE CA OU");
    QTest::newRow("decomposed") << QStringLiteral("E\u0301lise\u0301e") << QStringLiteral("ELISEE");
    QTest::newRow("ligatures") << QStringLiteral("Cœur LÆTITIA Œuf æ") << QStringLiteral("COEUR LAETITIA OEUF AE");
    QTest::newRow("sharp s") << QStringLiteral("Straße STRAẞE") << QStringLiteral("STRASSE STRASSE");
    QTest::newRow("blanks count") << QStringLiteral(" d'Arcy  le\tRoux ") << QStringLiteral(" D'ARCY  LE\tROUX ");
    QTest::newRow("empty") << QString() << QString();
}

void TestNameSearch::foldKeyDropsCaseAndAccents()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(NameSearch::foldKey(text), folded);
}

void TestNameSearch::findsTheFirstNameAtOrAfterTheKey_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("found"); // empty: no match
    // "DU" alone sorts before the key ("DU" then blanks then "A"); "DU PONT"
    // continues the prefix with a blank, which sorts before every letter.
    QTest::newRow("DU") << Table << QStringLiteral("DU") << QStringLiteral("DU PONT Zoé");
    // Same family name: the first names decide, without regard to case.
    QTest::newRow("DUB") << Table << QStringLiteral("DUB") << QStringLiteral("DUBOIS alain");
    QTest::newRow("DuBr") << Table << QStringLiteral("DuBr") << QStringLiteral("dubreuil Anne");
    // A prefix between two names gives the next one.
    QTest::newRow("between") << Table << QStringLiteral("DUPONS") << QStringLiteral("DUPONT Jean");
    // The table named in Alpha.vlk is found whatever the case of its letters.
    QTest::newRow("table in small letters") << QStringLiteral("matable") << QStringLiteral("zo")
                                            << QStringLiteral("ZOLA Émile");
    // Case and accents aside: É sorts with E, Œ as OE, a first name decides
    // between family names that differ only by their accents.
    QTest::newRow("lefè") << Table << QStringLiteral("lefè") << QStringLiteral("LEFÈVRE Hélène");
    QTest::newRow("LEFEV") << Table << QStringLiteral("LEFEV") << QStringLiteral("LEFÈVRE Hélène");
    QTest::newRow("él") << Table << QStringLiteral("él") << QStringLiteral("ÉLISÉE Marc");
    QTest::newRow("éll") << Table << QStringLiteral("éll") << QStringLiteral("ELLUL Paul");
    QTest::newRow("Bé") << Table << QStringLiteral("Bé") << QStringLiteral("BÉRARD Lucie");
    QTest::newRow("cœ") << Table << QStringLiteral("cœ") << QStringLiteral("CŒUR Jeanne");
    QTest::newRow("coe") << Table << QStringLiteral("coe") << QStringLiteral("CŒUR Jeanne");
    QTest::newRow("eti") << Table << QStringLiteral("eti") << QStringLiteral("ÉTIENNE Anne");
    // Nothing sorts after Z, not even É.
    QTest::newRow("nothing after") << Table << QStringLiteral("ZZ") << QString();
    // Text that would end a quoted key and add to the query is only a key.
    QTest::newRow("quote") << Table << QStringLiteral("ZZ' OR '1'='1") << QString();
    QTest::newRow("statement") << Table << QStringLiteral("X'; DROP TABLE MATABLE; --") << QStringLiteral("ZOLA Émile");
}

void TestNameSearch::findsTheFirstNameAtOrAfterTheKey()
{
    QFETCH(QString, table);
    QFETCH(QString, prefix);
    QFETCH(QString, found);
    TestEnv env;
    const QString path = namesDatabase(env);
    NameLookup lookup;
    const NameLookup::Answer answer = lookup.find(path, table, prefix);
    QCOMPARE(answer.outcome, found.isEmpty() ? Outcome::NoMatch : Outcome::Found);
    QCOMPARE(answer.match.rowText(), found.isEmpty() ? QStringLiteral(" ") : found);
    QVERIFY(answer.reason.isEmpty());
    QVERIFY(lookup.isOpen());
    QCOMPARE(runSql(path, QStringLiteral("SELECT COUNT(*) FROM MATABLE")), QString::number(testNames().size()));
}

void TestNameSearch::nullFieldsReadAsEmpty()
{
    TestEnv env;
    const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
    // Added by another tool without NOM_CLE: the table is searched on NOM, so
    // that the name is found all the same.
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

void TestNameSearch::unavailableDatabasesSayWhy()
{
    TestEnv env;
    NameLookup lookup;
    const QString garbage = QDir(env.dataFolder()).filePath(QStringLiteral("NOTES.MDB"));
    TestEnv::writeFile(garbage, QByteArray(4096, 'x'));
    for (const QString& path : {QString(), garbage}) {
        const NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("DU"));
        QCOMPARE(answer.outcome, Outcome::Unavailable);
        QVERIFY(!answer.reason.isEmpty());
        QVERIFY(!lookup.isOpen());
    }
    QCOMPARE(TestEnv::readFile(garbage), QByteArray(4096, 'x'));
}

void TestNameSearch::tableMustBePlainAndPresent()
{
    TestEnv env;
    const QString path = namesDatabase(env);
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
    const QString path = namesDatabase(env);
    QCOMPARE(runSql(path, QStringLiteral("CREATE TABLE PATIENTS (NOM TEXT, PRENOMS TEXT)")), QString());
    NameLookup lookup;
    const NameLookup::Answer answer = lookup.find(path, QStringLiteral("PATIENTS"), QStringLiteral("DU"));
    QCOMPARE(answer.outcome, Outcome::Unavailable);
    QVERIFY2(answer.reason.contains(QStringLiteral("NOM et PRENOM")), qPrintable(answer.reason));

    // Fields spelled in another case are the same fields.
    QCOMPARE(runSql(path, QStringLiteral("CREATE TABLE Clients (nom TEXT, Prenom TEXT, VILLE TEXT)")), QString());
    QCOMPARE(runSql(path, QStringLiteral("INSERT INTO Clients VALUES ('DURAND', 'Léa', 'Lyon')")), QString());
    QCOMPARE(lookup.find(path, QStringLiteral("CLIENTS"), QStringLiteral("du")).match, name("DURAND", "Léa"));
    // Without NOM_CLE and PRENOM_CLE, case is ignored for A to Z only: É
    // sorts after Z.
    QCOMPARE(runSql(path, QStringLiteral("INSERT INTO Clients VALUES ('ÉMERY', 'Luc', 'Metz')")), QString());
    QCOMPARE(lookup.find(path, QStringLiteral("CLIENTS"), QStringLiteral("ZZ")).match, name("ÉMERY", "Luc"));
}

void TestNameSearch::lookupUsesTheIndexAndKeepsNoLock()
{
    TestEnv env;
    const QString path = namesDatabase(env);

    QString plan;
    {
        auto db = DbConnection::open(path);
        QVERIFY(db);
        QSqlQuery explain((*db)->database());
        QVERIFY(explain.prepare(QStringLiteral("EXPLAIN QUERY PLAN ")
                                + NameSearch::keyedQuerySql(Table, QStringLiteral("NOM"), QStringLiteral("PRENOM"),
                                                            QStringLiteral("NOM_CLE"), QStringLiteral("PRENOM_CLE"))));
        explain.bindValue(0, NameSearch::foldKey(NameSearch::searchKey(QStringLiteral("DU"))));
        QVERIFY(explain.exec());
        while (explain.next()) {
            plan += explain.value(3).toString() + QLatin1Char('|');
        }
    }
    QVERIFY2(plan.contains(QStringLiteral("SEARCH")) && plan.contains(QStringLiteral("INDEX MATABLE_CLE")),
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
        QVERIFY(insert.exec(QStringLiteral("INSERT INTO MATABLE VALUES ('MAAS', 'Anton', 'MAAS', 'ANTON')")));
        QVERIFY((*writer)->commit());
    }
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MAAS", "Anton"));
}

void TestNameSearch::lockedNamesFileFailsAtOnce()
{
    TestEnv env;
    const QString path = namesDatabase(env);
    QCOMPARE(DbConnection::busyTimeout(), DbConnection::BusyTimeoutMs);
    NameLookup opened; // its connection open before the lock
    QCOMPARE(opened.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Found);
    {
        // An import holding the file: nobody can read it until the commit.
        auto importer = DbConnection::open(path);
        QVERIFY(importer);
        QSqlQuery lock((*importer)->database());
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        NameLookup fresh;
        for (NameLookup* lookup : {&opened, &fresh}) {
            QElapsedTimer clock;
            clock.start();
            const NameLookup::Answer answer = lookup->find(path, Table, QStringLiteral("MA"));
            QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(answer.outcome, Outcome::Unavailable);
            QVERIFY2(answer.reason.contains(QStringLiteral("verrouillée")), qPrintable(answer.reason));
        }
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    }
    QCOMPARE(opened.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Found);
}

void TestNameSearch::replacedDatabaseIsOpenedAnew()
{
    TestEnv env;
    const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
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
    const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
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
    const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
    QVERIFY(NamesImport::createNamesTable(path, QStringLiteral("PATIENTS_2007"),
                                          {name("ZOLA", "Émile"), name("le Bœuf", "Anaïs")}));
    NameLookup lookup;
    QCOMPARE(lookup.find(path, QStringLiteral("PATIENTS_2007"), QStringLiteral("ZO")).match, name("ZOLA", "Émile"));
    QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARTIN", "Jean"));
    QCOMPARE(runSql(path, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name")),
             QStringLiteral("MATABLE_CLE|PATIENTS_2007_CLE"));
    // The names as typed, and their compared forms beside them.
    QCOMPARE(runSql(path, QStringLiteral("SELECT NOM || '/' || PRENOM || '/' || NOM_CLE || '/' || PRENOM_CLE "
                                         "FROM PATIENTS_2007 ORDER BY rowid")),
             QStringLiteral("ZOLA/Émile/ZOLA/EMILE|le Bœuf/Anaïs/LE BOEUF/ANAIS"));
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
