#include "common/TestSupport.h"
#include "mainwindow/NamesTestData.h"

#include "mainwindow/NameSearch.h"
#include "mainwindow/NamesImport.h"
#include "platform/Database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
    return NamesTestData::ordinaryNames()
           << name("DU", "Paul") << name("DU PONT", "Zoé") << name("DUBOIS", "Marie") << name("dubreuil", "Anne")
           << name("ZOLA", "Émile") << name("DUPONT", "Jean") << name("MARTIN", "Pierre") << name("LEFÈVRE", "Hélène")
           << name("ÉLISÉE", "Marc") << name("ELLUL", "Paul") << name("CŒUR", "Jeanne") << name("ÉTIENNE", "Anne")
           << name("ETIENNE", "éric");
}

// Runs a statement on the file; a query gives the last column of its rows, joined by "|".
QString runSql(const QString& path, const QString& statement)
{
    auto db = DbConnection::open(path);
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
    void foldKeyDropsCaseAndAccents()
    {
        const char* const cases[][2] = {
            {"Lefèvre-Ébène çà ôü", "LEFEVRE-EBENE CA OU"},
            {"E\u0301lise\u0301e", "ELISEE"}, // decomposed
            {"Cœur LÆTITIA Œuf æ", "COEUR LAETITIA OEUF AE"},
            {"Straße STRAẞE", "STRASSE STRASSE"},
            {" d'Arcy  le\tRoux ", " D'ARCY  LE\tROUX "}, // blanks count
            {"", ""},
        };
        for (const auto& c : cases) {
            QCOMPARE(NameSearch::foldKey(QString::fromUtf8(c[0])), QString::fromUtf8(c[1]));
        }
    }

    void findsTheFirstNameAtOrAfterTheKey_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("found"); // empty: no match
        // "DU" alone sorts before the key ("DU" then blanks then "A"); "DU PONT"
        // continues the prefix with a blank, which sorts before every letter.
        QTest::newRow("DU") << Table << QStringLiteral("DU") << QStringLiteral("DU PONT Zoé");
        QTest::newRow("DuBr") << Table << QStringLiteral("DuBr") << QStringLiteral("dubreuil Anne");
        // A prefix between two names gives the next one.
        QTest::newRow("between") << Table << QStringLiteral("DUPONS") << QStringLiteral("DUPONT Jean");
        // The table named in Alpha.vlk is found whatever the case of its letters.
        QTest::newRow("table in small letters") << QStringLiteral("matable") << QStringLiteral("zo")
                                                << QStringLiteral("ZOLA Émile");
        // Case and accents aside: É sorts with E, Œ as OE, a first name decides
        // between family names that differ only by their accents.
        QTest::newRow("LEFEV") << Table << QStringLiteral("LEFEV") << QStringLiteral("LEFÈVRE Hélène");
        QTest::newRow("éll") << Table << QStringLiteral("éll") << QStringLiteral("ELLUL Paul");
        QTest::newRow("coe") << Table << QStringLiteral("coe") << QStringLiteral("CŒUR Jeanne");
        QTest::newRow("eti") << Table << QStringLiteral("eti") << QStringLiteral("ÉTIENNE Anne");
        // Nothing sorts after Z, not even É.
        QTest::newRow("nothing after") << Table << QStringLiteral("ZZ") << QString();
        // Text that would end a quoted key and add to the query is only a key.
        QTest::newRow("statement") << Table << QStringLiteral("X'; DROP TABLE MATABLE; --") << QStringLiteral("ZOLA Émile");
    }

    void findsTheFirstNameAtOrAfterTheKey()
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
        QVERIFY(answer.reason.isEmpty() && lookup.isOpen());
        QCOMPARE(runSql(path, QStringLiteral("SELECT COUNT(*) FROM MATABLE")), QString::number(testNames().size()));
    }

    void nullFieldsReadAsEmpty()
    {
        TestEnv env;
        const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
        // Added by another tool without NOM_CLE: the table is searched on NOM, so
        // that the name is found all the same.
        runSql(path, QStringLiteral("INSERT INTO MATABLE (NOM, PRENOM) VALUES ('LEGRAND', NULL), (NULL, 'Sans nom')"));
        NameLookup lookup;
        QCOMPARE(lookup.find(path, Table, QStringLiteral("LE")).match.rowText(), QStringLiteral("LEGRAND "));
        // A record without family name is never found.
        QCOMPARE(lookup.find(path, Table, QStringLiteral("MB")).outcome, Outcome::NoMatch);
    }

    void unavailableDatabasesSayWhy()
    {
        TestEnv env;
        NameLookup lookup;
        const QString garbage = QDir(env.dataFolder()).filePath(QStringLiteral("NOTES.MDB"));
        TestEnv::writeFile(garbage, QByteArray(4096, 'x'));
        for (const QString& path : {QString(), garbage}) {
            const NameLookup::Answer answer = lookup.find(path, Table, QStringLiteral("DU"));
            QCOMPARE(answer.outcome, Outcome::Unavailable);
            QVERIFY(!answer.reason.isEmpty() && !lookup.isOpen());
        }
        QCOMPARE(TestEnv::readFile(garbage), QByteArray(4096, 'x'));
        // Odd table names never reach the database.
        const QString path = namesDatabase(env);
        for (const char* table : {"MATABLE--", "\"MATABLE\"", "TABLÉ"}) {
            const NameLookup::Answer answer = lookup.find(path, QString::fromUtf8(table), QStringLiteral("DU"));
            QVERIFY2(answer.reason.contains(QStringLiteral("Alpha.vlk")), table);
        }
    }

    void tableNeedsNomAndPrenom()
    {
        TestEnv env;
        const QString path = namesDatabase(env);
        runSql(path, QStringLiteral("CREATE TABLE PATIENTS (NOM TEXT, PRENOMS TEXT)"));
        NameLookup lookup;
        const NameLookup::Answer answer = lookup.find(path, QStringLiteral("PATIENTS"), QStringLiteral("DU"));
        QCOMPARE(answer.outcome, Outcome::Unavailable);
        QVERIFY2(answer.reason.contains(QStringLiteral("NOM et PRENOM")), qPrintable(answer.reason));

        // Fields spelled in another case are the same fields.
        runSql(path, QStringLiteral("CREATE TABLE Clients (nom TEXT, Prenom TEXT, VILLE TEXT)"));
        runSql(path, QStringLiteral("INSERT INTO Clients VALUES ('DURAND', 'Léa', 'Lyon'), ('ÉMERY', 'Luc', 'Metz')"));
        QCOMPARE(lookup.find(path, QStringLiteral("CLIENTS"), QStringLiteral("du")).match, name("DURAND", "Léa"));
        // Without NOM_CLE and PRENOM_CLE, case is ignored for A to Z only: É sorts after Z.
        QCOMPARE(lookup.find(path, QStringLiteral("CLIENTS"), QStringLiteral("ZZ")).match, name("ÉMERY", "Luc"));
    }

    void lookupKeepsNoLockAndALockedFileFailsAtOnce()
    {
        TestEnv env;
        const QString path = namesDatabase(env);
        NameLookup opened;
        QCOMPARE(opened.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Found);
        // The connection stays open, yet another workstation can write at once:
        // a lock kept after the lookup would make the write wait and fail.
        QCOMPARE(runSql(path, QStringLiteral("INSERT INTO MATABLE VALUES ('MAAS', 'Anton', 'MAAS', 'ANTON')")), QString());
        QCOMPARE(opened.find(path, Table, QStringLiteral("MA")).match, name("MAAS", "Anton"));

        QCOMPARE(DbConnection::busyTimeout(), DbConnection::BusyTimeoutMs);
        {
            // An import holding the file: nobody can read it until the commit.
            auto importer = DbConnection::open(path);
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

    void replacedDatabaseIsOpenedAnew()
    {
        TestEnv env;
        const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
        NameLookup lookup;
        QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARTIN", "Jean"));

        // The supervisor puts a new names database in its place.
        const QString fresh = QDir(env.root()).filePath(QStringLiteral("NOUVEAU.MDB"));
        QVERIFY(NamesImport::createNamesTable(fresh, Table, {name("MARCEAU", "Lise"), name("MARTIN", "Jean")}));
        QVERIFY(QFile::remove(path) && QFile::rename(fresh, path));
        QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARCEAU", "Lise"));

        // Removed: the lookup says so instead of reading the old file.
        QVERIFY(QFile::remove(path));
        QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).outcome, Outcome::Unavailable);
    }

    void csvFieldsQuotesLineEndsAndSkippedLines()
    {
        // UTF-8 with its mark and a header, blank lines (the supervisor tool imports Windows-1252).
        NamesImport::ParsedNames parsed =
            NamesImport::parseCsv("\xEF\xBB\xBFNOM;PRENOM\r\nDUPONT;H\xC3\xA9l\xC3\xA8ne\r\n\r\n  \r\nMARTIN;Jean\r\n");
        QVERIFY(!parsed.windows1252 && parsed.headerSkipped);
        QCOMPARE(parsed.names, (QList<NameMatch>{name("DUPONT", "Hélène"), name("MARTIN", "Jean")}));
        // Old Mac line ends, no header.
        QCOMPARE(NamesImport::parseCsv("ROUX;Paul\rBLANC;Eve\r").names.size(), 2);

        parsed = NamesImport::parseCsv("\"DE LA TOUR; AUVERGNE\";\"Jean \"\"Jeannot\"\"\"\n"
                                       "  LEROY ; Anne ; 12 rue des Lilas ; Paris\n"
                                       "PETIT;\n"
                                       ";Orphelin\n"
                                       "\"D'ARCY\" ; Henri\n");
        QCOMPARE(parsed.names, (QList<NameMatch>{name("DE LA TOUR; AUVERGNE", "Jean \"Jeannot\""), name("LEROY", "Anne"),
                                                 name("PETIT", ""), name("D'ARCY", "Henri")}));
        QCOMPARE(parsed.skippedLines, 1);
        QVERIFY(!parsed.headerSkipped);
    }

    void createRefusesWhatItMustNotTouch()
    {
        TestEnv env;
        const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
        // Nothing is left beside the new database, which the other workstations
        // may read as they read any file made here.
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("NOMS.MDB")});
        const QString plain = QDir(env.root()).filePath(QStringLiteral("plain.txt"));
        TestEnv::writeFile(plain, "x");
        QCOMPARE(QFileInfo(path).permissions(), QFileInfo(plain).permissions());

        // The table exists already (whatever the case), or the name is no plain one: refused, content kept.
        QVERIFY(!NamesImport::createNamesTable(path, QStringLiteral("matable"), {name("ZOLA", "Émile")}));
        QVERIFY(!NamesImport::createNamesTable(path, QStringLiteral("X; DROP TABLE MATABLE"), {name("A", "B")}));
        QCOMPARE(runSql(path, QStringLiteral("SELECT NOM FROM MATABLE")), QStringLiteral("MARTIN"));

        const QString garbage = QDir(env.dataFolder()).filePath(QStringLiteral("TEXTE.MDB"));
        TestEnv::writeFile(garbage, QByteArray(2048, 'x'));
        QVERIFY(!NamesImport::createNamesTable(garbage, Table, {name("A", "B")}));
        QCOMPARE(TestEnv::readFile(garbage), QByteArray(2048, 'x'));

        const Status noFolder = NamesImport::createNamesTable(
            QDir(env.root()).filePath(QStringLiteral("absent/NOMS.MDB")), Table, {name("A", "B")});
        QVERIFY(!noFolder && noFolder.error().contains(QStringLiteral("n'existe pas")));
    }

    void createAddsATableToAnExistingDatabase()
    {
        TestEnv env;
        const QString path = namesDatabase(env, {name("MARTIN", "Jean")});
        QVERIFY(NamesImport::createNamesTable(path, QStringLiteral("PATIENTS_2007"),
                                              {name("ZOLA", "Émile"), name("le Bœuf", "Anaïs")}));
        NameLookup lookup;
        QCOMPARE(lookup.find(path, QStringLiteral("PATIENTS_2007"), QStringLiteral("ZO")).match, name("ZOLA", "Émile"));
        QCOMPARE(lookup.find(path, Table, QStringLiteral("MA")).match, name("MARTIN", "Jean"));
        // The names as typed, and their compared forms beside them.
        QCOMPARE(runSql(path, QStringLiteral("SELECT NOM || '/' || PRENOM || '/' || NOM_CLE || '/' || PRENOM_CLE "
                                             "FROM PATIENTS_2007 ORDER BY rowid")),
                 QStringLiteral("ZOLA/Émile/ZOLA/EMILE|le Bœuf/Anaïs/LE BOEUF/ANAIS"));
    }
};

QTEST_GUILESS_MAIN(TestNameSearch)
#include "tst_namesearch.moc"
