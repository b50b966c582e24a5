#include "common/TestSupport.h"
#include "mainwindow/NameSearch.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "settings/UserSettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
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

        // The table is there now: a second import is refused and leaves it.
        TestEnv::writeFile(csv, "ZOLA;\xC9mile\r\n");
        const Run again = run(import);
        QVERIFY2(again.exitCode != 0 && again.err.contains(QStringLiteral("existe déjà")), qPrintable(again.err));
        QCOMPARE(lookup.find(names, QStringLiteral("MATABLE"), QStringLiteral("ZO")).outcome, NameLookup::Outcome::NoMatch);
        // A file without any name creates nothing.
        TestEnv::writeFile(csv, "NOM;PRENOM\r\n");
        const QString other = Files::joinPath(m_env->dataFolder(), QStringLiteral("AUTRE.MDB"));
        QVERIFY(run({QStringLiteral("import-names"), csv, other}).exitCode != 0);
        QVERIFY(!QFileInfo::exists(other));
    }

private:
    static QString tool()
    {
        return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../kordela-admin"));
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
