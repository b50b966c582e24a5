#include "backup/Backup.h"
#include "common/TestSupport.h"
#include "mainwindow/NameSearch.h"
#include "mainwindow/StartUpRules.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "settings/UserSettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

namespace
{
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};
} // namespace

// The supervisor tool, run as the supervisor runs it, with its configuration
// and data folders in the test's sandbox.
class TestKordelaAdmin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY2(QFileInfo::exists(tool()), qPrintable(tool()));
    }

    void cleanup() { m_env.reset(); }

    void demoPreparesAWorkstation()
    {
        const Run first = run({QStringLiteral("demo")});
        QVERIFY2(first.exitCode == 0 && first.out.contains(QStringLiteral("La démonstration est prête")),
                 qPrintable(first.out));

        const QString folder = Files::joinPath(dataHome(), QStringLiteral("KORDELA/demo"));
        const QString database = Files::joinPath(folder, QStringLiteral("AGENDAS.MDB"));
        QCOMPARE(Registry::value(QStringLiteral("CHEMIN"), QString()), database);
        QCOMPARE(Registry::value(QStringLiteral("CheminUt"), QString()), folder);

        QCOMPARE(ReadUserSettingsFile(folder).values.names[1].toText(), QStringLiteral("Dr Lefèvre"));
        // The demo switches the name completion on for this workstation.
        QCOMPARE(TestEnv::readFile(QDir(m_env->programFolder()).filePath(QStringLiteral("Alpha.vlk"))),
                 QByteArray("#TRUE#,\"MATABLE\"\r\n"));

        auto db = DbConnection::open(database, AppointmentDatabase::tableNames());
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const qint32 today = Dates::daySerial(QDate::currentDate());
        for (const int user : {1, 2}) {
            QSqlQuery query((*db)->database());
            QVERIFY(query.exec(QStringLiteral("SELECT count(*), min(AGENDATE) FROM RVOUS%1").arg(user)) && query.next());
            QVERIFY(query.value(0).toInt() >= 3);
            QVERIFY(qAbs(query.value(1).toInt() - today) <= 1);
        }
        db->reset();
        const QByteArray stored = TestEnv::readFile(database);

        // Configured now: a second run changes nothing.
        const Run second = run({QStringLiteral("demo")});
        QVERIFY(second.exitCode == 0 && second.out.contains(QStringLiteral("déjà configuré")));
        QCOMPARE(TestEnv::readFile(database), stored);
    }

    void demoLeavesAnEmptyChoiceAlone()
    {
        m_env->setRegistry(QStringLiteral("CHEMIN"), QString());
        QCOMPARE(run({QStringLiteral("demo")}).exitCode, 0);
        QVERIFY(!QFileInfo::exists(Files::joinPath(dataHome(), QStringLiteral("KORDELA"))));
        QVERIFY(Registry::value(QStringLiteral("CHEMIN"), QStringLiteral("absent")).isEmpty());
        QCOMPARE(Registry::value(QStringLiteral("CheminUt"), QStringLiteral("absent")), QStringLiteral("absent"));
    }

    void demoKeepsAnExistingDatabase()
    {
        const QString folder = Files::joinPath(dataHome(), QStringLiteral("KORDELA/demo"));
        QVERIFY(QDir().mkpath(folder));
        const QString database = Files::joinPath(folder, QStringLiteral("AGENDAS.MDB"));
        QVERIFY(AppointmentDatabase::create(database).ok());
        const QByteArray before = TestEnv::readFile(database);
        const Run result = run({QStringLiteral("demo")});
        QVERIFY(result.exitCode == 0 && result.out.contains(QStringLiteral("conservée")));
        QCOMPARE(TestEnv::readFile(database), before);
        QCOMPARE(Registry::value(QStringLiteral("CHEMIN"), QString()), database);
    }

    void demoStartsOverWhenAsked()
    {
        QCOMPARE(run({QStringLiteral("demo")}).exitCode, 0);
        const QString folder = Files::joinPath(dataHome(), QStringLiteral("KORDELA/demo"));
        const QString database = Files::joinPath(folder, QStringLiteral("AGENDAS.MDB"));
        const QString users = Files::joinPath(folder, QStringLiteral("Utilisat.vlk"));
        const auto dayCount = [&database] {
            auto db = DbConnection::open(database);
            QSqlQuery query((*db)->database());
            return query.exec(QStringLiteral("SELECT count(*) FROM RVOUS1")) && query.next() ? query.value(0).toInt()
                                                                                           : -1;
        };
        const int demoDays = dayCount();
        // The demo as it was tried: a day gone, users renamed.
        {
            auto db = DbConnection::open(database);
            QVERIFY(QSqlQuery((*db)->database()).exec(QStringLiteral("DELETE FROM RVOUS1")));
        }
        TestEnv::writeFile(users, SampleUsersLine);
        QVERIFY(run({QStringLiteral("demo")}).out.contains(QStringLiteral("déjà configuré")));
        QCOMPARE(dayCount(), 0);

        const Run again = run({QStringLiteral("demo"), QStringLiteral("--recommencer")});
        QVERIFY2(again.exitCode == 0 && again.out.contains(QStringLiteral("La démonstration est prête")),
                 qPrintable(again.out + again.err));
        QCOMPARE(dayCount(), demoDays);
        QCOMPARE(ReadUserSettingsFile(folder).values.names[0].toText(), QStringLiteral("Dr Martin"));
        QCOMPARE(Registry::value(QStringLiteral("CHEMIN"), QString()), database);

        // A workstation set up on a real database is left alone.
        const QString real = m_env->createAppointmentDatabase();
        m_env->setRegistry(QStringLiteral("CHEMIN"), real);
        QVERIFY(refused(run({QStringLiteral("demo"), QStringLiteral("--recommencer")}), QStringLiteral("autre base")));
        QCOMPARE(Registry::value(QStringLiteral("CHEMIN"), QString()), real);
        QCOMPARE(dayCount(), demoDays);
    }

    void createRefusesToOverwrite()
    {
        const QString path = Files::joinPath(m_env->dataFolder(), QStringLiteral("AGENDAS.MDB"));
        QCOMPARE(run({QStringLiteral("create"), path}).exitCode, 0);
        QVERIFY(DbConnection::open(path, AppointmentDatabase::tableNames()).ok());
        // Never over a file that is there.

        TestEnv::writeFile(path, "des rendez-vous précieux");
        const Run again = run({QStringLiteral("create"), path});
        QVERIFY2(again.exitCode != 0 && again.err.contains(QStringLiteral("existe déjà")), qPrintable(again.err));
        QCOMPARE(TestEnv::readFile(path), QByteArray("des rendez-vous précieux"));

        QVERIFY(run({QStringLiteral("create")}).exitCode != 0);
    }

    void setWritesKnownValuesOnly()
    {
        QCOMPARE(run({QStringLiteral("set"), QStringLiteral("sauve"), QStringLiteral("/sauvegardes/été")}).exitCode, 0);
        QCOMPARE(Registry::value(QStringLiteral("SAUVE"), QString()), QStringLiteral("/sauvegardes/été"));
        QCOMPARE(run({QStringLiteral("set"), QStringLiteral("CheminNoms"), QString()}).exitCode, 0);
        QVERIFY(Registry::value(QStringLiteral("CheminNoms"), QStringLiteral("absent")).isEmpty());

        const Run unknown = run({QStringLiteral("set"), QStringLiteral("COULEUR"), QStringLiteral("1")});
        QVERIFY(unknown.exitCode != 0 && unknown.err.contains(QStringLiteral("inconnu")));
        QCOMPARE(Registry::value(QStringLiteral("COULEUR"), QStringLiteral("absent")), QStringLiteral("absent"));
        QVERIFY(run({}).err.contains(QStringLiteral("Usage : kordela-admin")));
    }

    // What the program's start-up would refuse or not find is neither created
    // nor recorded.
    void refusesWhatTheProgramCannotUse_data()
    {
        QTest::addColumn<QString>("arguments"); // separated by "|"; {data}: the sandbox's data folder
        QTest::addColumn<QString>("said");
        const QString name = QStringLiteral("son fichier doit s'appeler AGENDAS.MDB, en majuscules");
        const QString relative = QStringLiteral("n'est pas un chemin complet");
        QTest::newRow("create in small letters") << "create|{data}/agendas.mdb" << name;
        QTest::newRow("create another name") << "create|{data}/foo.db" << name;
        QTest::newRow("create a blank after it") << "create|{data}/AGENDAS.MDB " << name;
        QTest::newRow("CHEMIN in small letters") << "set|CHEMIN|{data}/cabinet/agendas.mdb" << name;
        QTest::newRow("CHEMIN a folder") << "set|CHEMIN|{data}/cabinet" << name;
        QTest::newRow("relative CHEMIN") << "set|CHEMIN|AGENDAS.MDB" << relative;
        QTest::newRow("relative CheminUt") << "set|CheminUt|partage/cabinet" << relative;
        QTest::newRow("relative CheminNoms") << "set|CheminNoms|./NOMS.MDB" << relative;
        QTest::newRow("relative SAUVE") << "set|SAUVE|~/sauvegardes" << relative;
        QTest::newRow("a file as CheminUt") << "set|CheminUt|{data}/cabinet/agendas.mdb" << "est un fichier";
        QTest::newRow("a folder as CheminNoms") << "set|CheminNoms|{data}/cabinet" << "est un dossier";
    }

    void refusesWhatTheProgramCannotUse()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, said);
        const QString folder = Files::joinPath(m_env->dataFolder(), QStringLiteral("cabinet"));
        QVERIFY(QDir().mkpath(folder) && AppointmentDatabase::create(folder + QStringLiteral("/agendas.mdb")).ok());
        arguments.replace(QStringLiteral("{data}"), m_env->dataFolder());
        const QStringList args = arguments.split(QLatin1Char('|'));
        QVERIFY2(refused(run(args), said), qPrintable(arguments));
        QVERIFY(args.first() == QLatin1String("set") || !QFileInfo::exists(args.last()));
        for (const char* value : {"CHEMIN", "CheminUt", "CheminNoms", "SAUVE"}) {
            QCOMPARE(Registry::value(QString::fromLatin1(value), QStringLiteral("absent")), QStringLiteral("absent"));
        }
    }

    // A backup folder the "Sauvegardes" window refuses, or the appointment
    // database as the names database, is not recorded.
    void setRefusesWhatTheProgramRefusesThere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value"); // {db}: CHEMIN's folder, {ut}: CheminUt
        QTest::addColumn<QString>("said");
        QTest::newRow("SAUVE, the database's folder") << "SAUVE" << "{db}" << "est celui de la base de données";
        QTest::newRow("SAUVE, the settings' folder") << "SAUVE" << "{ut}" << "est celui des réglages des utilisateurs";
        QTest::newRow("CheminNoms, the appointment database") << "CheminNoms" << "{db}/AGENDAS.MDB"
                                                              << "est une base de rendez-vous";
    }

    void setRefusesWhatTheProgramRefusesThere()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, said);
        const QString database = m_env->createAppointmentDatabase();
        const QString users = Files::joinPath(m_env->root(), QStringLiteral("reglages"));
        QVERIFY(QDir().mkpath(users));
        m_env->setRegistry(QStringLiteral("CHEMIN"), database);
        m_env->setRegistry(QStringLiteral("CheminUt"), users);
        value.replace(QStringLiteral("{db}"), QFileInfo(database).absolutePath()).replace(QStringLiteral("{ut}"), users);
        QVERIFY(refused(run({QStringLiteral("set"), name, value}), said));
        QCOMPARE(Registry::value(name, QStringLiteral("absent")), QStringLiteral("absent"));
    }

    // A share mounted later: the path is recorded, with the words the program
    // shows until it is there; once it is, nothing is said.
    void setWarnsOfWhatIsNotThereYet()
    {
        const QString share = Files::joinPath(m_env->dataFolder(), QStringLiteral("partage"));
        const QString database = Files::joinPath(share, QStringLiteral("AGENDAS.MDB"));
        const QString names = Files::joinPath(share, QStringLiteral("NOMS.MDB"));
        const QString backups = Files::joinPath(share, QStringLiteral("sauvegardes"));
        Backup::Request backup;
        backup.backupFolder = backups;
        const struct
        {
            QString name;
            QString value;
            QStringList words;
        } cases[] = {
            {QStringLiteral("CHEMIN"), database,
             {StartUpRules::databaseUnavailableMessage(database, DbConnection::openReadOnly(database).error()),
              StartUpRules::notConnectedSuffix().trimmed()}},
            {QStringLiteral("CheminUt"), share, {QStringLiteral("sans bouton d'utilisateur")}},
            {QStringLiteral("CheminNoms"), names,
             {NameSearch::unavailableMessage(DbConnection::openReadOnly(names).error())}},
            {QStringLiteral("SAUVE"), backups, {Backup::refusal(backup).error()}},
        };
        for (const auto& c : cases) {
            const Run result = run({QStringLiteral("set"), c.name, c.value});
            QVERIFY2(result.exitCode == 0 && result.err.startsWith(QStringLiteral("Attention : ")), qPrintable(c.name));
            for (const QString& words : c.words) {
                QVERIFY2(result.err.contains(words), qPrintable(result.err));
            }
            QCOMPARE(Registry::value(c.name, QString()), c.value);
        }
        QVERIFY(QDir().mkpath(backups) && AppointmentDatabase::create(database).ok());
        TestEnv::writeFile(Files::joinPath(m_env->dataFolder(), QStringLiteral("p.csv")), "DUPONT;Jean\r\n");
        QCOMPARE(run({QStringLiteral("import-names"), Files::joinPath(m_env->dataFolder(), QStringLiteral("p.csv")),
                      names}).exitCode, 0);
        for (const auto& c : cases) {
            const Run result = run({QStringLiteral("set"), c.name, c.value});
            QVERIFY2(result.exitCode == 0 && result.err.isEmpty(), qPrintable(result.err));
        }
    }

    // A list in another form, or no text at all, imports nothing and says why.
    void importRefusesBadLists_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said"); // empty: one name imported
        QTest::newRow("commas") << QByteArray("DUPONT,Jean\r\nMARTIN,Paul\r\n")
                                << "la ligne 1 du fichier « patients.csv » n'a pas de « ; » entre le nom et le "
                                   "prénom : « DUPONT,Jean »";
        QTest::newRow("after a header and a blank line")
            << QByteArray("NOM;PRENOM\r\nDURAND;L\xE9\x61\r\n\r\n  DUPONT Jean \r\nMARTIN;Paul\r\n")
            << "la ligne 4 du fichier « patients.csv » n'a pas de « ; » entre le nom et le prénom : « DUPONT Jean »";
        QTest::newRow("a semicolon between quotes only") << QByteArray("\"DUPONT;Jean\"\n") << "la ligne 1 du fichier";
        QByteArray noise(3072, '\0');
        QRandomGenerator random(23);
        for (char& byte : noise) {
            byte = static_cast<char>(random.bounded(256));
        }
        QTest::newRow("random bytes") << noise << "n'est pas un fichier texte (UTF-8 ou Windows-1252)";
        QTest::newRow("random bytes without NUL") << QByteArray(noise).replace('\0', 'A')
                                                  << "n'est pas un fichier texte (UTF-8 ou Windows-1252)";
        QTest::newRow("a NUL byte") << QByteArray("DUPONT;Jean\r\nMARTIN;Paul\r\n\0DURAND;Jules\r\n", 40)
                                    << "n'est pas un fichier texte";
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "D\0U\0;\0J\0e\0a\0n\0\r\0\n\0", 20)
                                << "n'est pas un fichier texte";
        QTest::newRow("an end-of-file mark") << QByteArray("DUPONT;Jean\r\n\x1A") << "";
    }

    void importRefusesBadLists()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        const QString csv = Files::joinPath(m_env->dataFolder(), QStringLiteral("patients.csv"));
        const QString names = Files::joinPath(m_env->dataFolder(), QStringLiteral("NOMS.MDB"));
        TestEnv::writeFile(csv, bytes);
        const Run result = run({QStringLiteral("import-names"), QStringLiteral("patients.csv"), names});
        if (said.isEmpty()) {
            QVERIFY2(result.exitCode == 0 && result.out.startsWith(QStringLiteral("1 nom(s) chargé(s)")),
                     qPrintable(result.out + result.err));
            return;
        }
        QVERIFY(refused(result, said) && result.err.contains(QStringLiteral("rien n'est importé"), Qt::CaseInsensitive));
        QVERIFY(!QFileInfo::exists(names));
    }

    // Names are never written into an appointment database.
    void importRefusesTheAppointmentDatabase_data()
    {
        QTest::addColumn<QString>("target"); // {chemin}: the file CHEMIN names, {link}: a link to it
        QTest::addColumn<QString>("said");
        QTest::newRow("CHEMIN's file") << "{chemin}" << "est la base de rendez-vous que désigne CHEMIN";
        QTest::newRow("through a link") << "{link}" << "est la base de rendez-vous que désigne CHEMIN";
        QTest::newRow("another appointment database") << "{data}/ancien/AGENDAS.MDB"
                                                      << "est une base de rendez-vous (elle contient la table RVOUS1)";
        QTest::newRow("CHEMIN's file, not there yet") << "{data}/partage/AGENDAS.MDB"
                                                      << "est la base de rendez-vous que désigne CHEMIN";
    }

    void importRefusesTheAppointmentDatabase()
    {
        QFETCH(QString, target);
        QFETCH(QString, said);
        const QString live = m_env->createAppointmentDatabase();
        m_env->setRegistry(QStringLiteral("CHEMIN"), live);
        const QString link = Files::joinPath(m_env->root(), QStringLiteral("lien.MDB"));
        QVERIFY(QFile::link(live, link));
        const QString other = Files::joinPath(m_env->dataFolder(), QStringLiteral("ancien/AGENDAS.MDB"));
        QVERIFY(QDir().mkpath(QFileInfo(other).path()) && AppointmentDatabase::create(other).ok());
        target.replace(QStringLiteral("{chemin}"), live).replace(QStringLiteral("{link}"), link);
        target.replace(QStringLiteral("{data}"), m_env->dataFolder());
        if (!QFileInfo::exists(target)) { // a share not mounted yet
            QVERIFY(QDir().mkpath(QFileInfo(target).path()));
            m_env->setRegistry(QStringLiteral("CHEMIN"), target);
        }
        const QByteArray before = TestEnv::readFile(target);
        const QString csv = Files::joinPath(m_env->dataFolder(), QStringLiteral("patients.csv"));
        TestEnv::writeFile(csv, "DUPONT;Jean\r\n");

        const Run result = run({QStringLiteral("import-names"), csv, target});
        QVERIFY(refused(result, said));
        QCOMPARE(TestEnv::readFile(target), before);
    }

    void importNamesFillsANewTableOnly()
    {
        const QString csv = Files::joinPath(m_env->dataFolder(), QStringLiteral("patients.csv"));
        const QString names = Files::joinPath(m_env->dataFolder(), QStringLiteral("NOMS.MDB"));
        TestEnv::writeFile(csv, "NOM;PRENOM\r\nL\xC9GER;Fran\xE7oise\r\n;Orphelin\r\nDURAND;L\xE9\x61\r\n");
        const QStringList import = {QStringLiteral("import-names"), csv, names};
        const Run first = run(import);
        QVERIFY2(first.exitCode == 0 && first.out.contains(QStringLiteral("2 nom(s) chargé(s) dans la table MATABLE")),
                 qPrintable(first.out + first.err));
        QVERIFY(first.out.contains(QStringLiteral("Windows-1252")) && first.out.contains(QStringLiteral("1 ligne(s)")));
        NameLookup lookup;
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("leg")).match.rowText(),
                 QStringLiteral("LÉGER Françoise"));

        // The table is there now: a second import is refused, says how to
        // replace it, and leaves it.
        TestEnv::writeFile(csv, "ZOLA;\xC9mile\r\n");
        const Run again = run(import);
        QVERIFY2(again.exitCode != 0 && again.err.contains(QStringLiteral("existe déjà"))
                     && again.err.contains(QStringLiteral("import-names --remplacer")),
                 qPrintable(again.err));
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("ZO")).outcome, NameLookup::Outcome::NoMatch);

        // Asked for, the new list replaces the old one, for a workstation
        // that has the names database open as well.
        const Run replaced = run(QStringList(import) << QStringLiteral("--remplacer"));
        QVERIFY2(replaced.exitCode == 0, qPrintable(replaced.err));
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("ZO")).match.rowText(),
                 QStringLiteral("ZOLA Émile"));
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("LEG")).match.nom, QStringLiteral("ZOLA"));
        // A file without any name creates nothing.
        TestEnv::writeFile(csv, "NOM;PRENOM\r\n");
        const QString other = Files::joinPath(m_env->dataFolder(), QStringLiteral("AUTRE.MDB"));
        QVERIFY(run({QStringLiteral("import-names"), csv, other}).exitCode != 0);
        QVERIFY(!QFileInfo::exists(other));
    }

    // A replacement cut short (here by a full disk) leaves the old list whole:
    // the table is dropped and written anew in one transaction.
    void replacementCutShortKeepsTheOldList()
    {
        const QString share = Files::joinPath(m_env->root(), QStringLiteral("partage"));
        const auto disk = TestMount::smallDisk(share, 256);
        if (!disk) {
            QSKIP("mounting a small disk needs root");
        }
        const QString csv = Files::joinPath(m_env->dataFolder(), QStringLiteral("patients.csv"));
        const QString names = Files::joinPath(share, QStringLiteral("NOMS.MDB"));
        TestEnv::writeFile(csv, "MARTIN;Jean\r\n");
        QCOMPARE(run({QStringLiteral("import-names"), csv, names}).exitCode, 0);
        QByteArray many;
        for (int i = 0; i < 20000; ++i) {
            many += "NOM" + QByteArray::number(i) + ";Pr\xE9nom num\xE9ro " + QByteArray::number(i) + "\r\n";
        }
        TestEnv::writeFile(csv, many);
        const Run result = run({QStringLiteral("import-names"), QStringLiteral("--remplacer"), csv, names});
        QVERIFY(refused(result, QStringLiteral("L'ancienne liste des noms reste en place")));
        NameLookup lookup;
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("MA")).match.rowText(),
                 QStringLiteral("MARTIN Jean"));
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("NO")).outcome, NameLookup::Outcome::NoMatch);
    }

    void helpDescribesThePatientList()
    {
        const Run help = run({QStringLiteral("help")});
        QCOMPARE(help.exitCode, 0);
        for (const char* words : {"NOM;PRENOM par patient", "en-tête", "UTF-8 ou en Windows-1252", "--remplacer",
                                  "--recommencer", "« Erreur : »"}) {
            QVERIFY2(help.out.contains(QString::fromUtf8(words)), words);
        }
    }

    // import-names says its errors as the other commands do; a misspelt
    // option is told as such, and names no file.
    void importErrorsSayErreur_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("said");
        const QString option = QStringLiteral("inconnue : la seule option de import-names est --remplacer");
        QTest::newRow("import-names alone") << "import-names" << "";
        QTest::newRow("import-names of a missing file") << "import-names absent.csv NOMS.MDB" << "";
        QTest::newRow("import-names of an empty list") << "import-names vide.csv NOMS.MDB" << "";
        QTest::newRow("import-names with a bad table") << "import-names noms.csv NOMS.MDB A-B" << "";
        QTest::newRow("an option in English") << "import-names --replace noms.csv NOMS.MDB" << option;
        QTest::newRow("an option after the files") << "import-names noms.csv NOMS.MDB --replace" << option;
        QTest::newRow("an option as the database") << "import-names noms.csv --force" << option;
    }

    void importErrorsSayErreur()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, said);
        TestEnv::writeFile(Files::joinPath(m_env->dataFolder(), QStringLiteral("vide.csv")), "NOM;PRENOM\r\n");
        TestEnv::writeFile(Files::joinPath(m_env->dataFolder(), QStringLiteral("noms.csv")), "DUPONT;Jean\r\n");
        QVERIFY(refused(run(arguments.split(QLatin1Char(' '))), said));
        QVERIFY(QDir(m_env->dataFolder()).entryList({QStringLiteral("*.MDB"), QStringLiteral("--*")}).isEmpty());
    }

private:
    static QString tool()
    {
        return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../kordela-admin"));
    }

    // A refusal as every command gives it, saying `said`.
    static bool refused(const Run& result, const QString& said)
    {
        const bool ok =
            result.exitCode > 0 && result.err.startsWith(QStringLiteral("Erreur : ")) && result.err.contains(said);
        if (!ok) {
            qWarning("%s", qPrintable(result.err));
        }
        return ok;
    }

    QString dataHome() const { return Files::joinPath(m_env->root(), QStringLiteral("share")); }

    Run run(const QStringList& arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_env->configFolder());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
        environment.insert(QStringLiteral("HOME"), m_env->root());
        process.setProcessEnvironment(environment);
        // The tool runs from the sandbox's program folder, where it keeps the
        // workstation's Alpha.vlk.
        const QString copy = QDir(m_env->programFolder()).filePath(QStringLiteral("kordela-admin"));
        if (!QFileInfo::exists(copy)) {
            QFile::copy(tool(), copy);
        }
        process.setWorkingDirectory(m_env->dataFolder());
        process.start(copy, arguments);
        Run result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    std::unique_ptr<TestEnv> m_env;
};

QTEST_GUILESS_MAIN(TestKordelaAdmin)
#include "tst_kordelaadmin.moc"
