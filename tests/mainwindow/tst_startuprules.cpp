// The start-up's rules on the day and on the registry values, without a window.

#include "mainwindow/StartUpRules.h"

#include <QTest>

class TestStartUpRules : public QObject
{
    Q_OBJECT

private slots:
    void greetingOnlyOnSixteenthOfApril()
    {
        QVERIFY(StartUpRules::isGreetingDay(QDate(2026, 4, 16)));
        QVERIFY(StartUpRules::isGreetingDay(QDate(2000, 4, 16)));
        QVERIFY(StartUpRules::isGreetingDay(QDate(2024, 4, 16))); // leap year
        QVERIFY(!StartUpRules::isGreetingDay(QDate(2026, 4, 15)));
        QVERIFY(!StartUpRules::isGreetingDay(QDate(2026, 4, 17)));
        // Day and month the other way round is another day.
        QVERIFY(!StartUpRules::isGreetingDay(QDate(2026, 1, 16)));
        QVERIFY(!StartUpRules::isGreetingDay(QDate(2026, 6, 4)));
        QVERIFY(!StartUpRules::isGreetingDay(QDate()));
    }

    void databasePathMustEndInUpperCaseName_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("full path") << QStringLiteral("/srv/cabinet/AGENDAS.MDB") << true;
        QTest::newRow("windows path") << QStringLiteral("G:\\AGENDA\\AGENDAS.MDB") << true;
        QTest::newRow("bare name") << QStringLiteral("AGENDAS.MDB") << true;
        QTest::newRow("longer name") << QStringLiteral("/srv/VIEILLES_AGENDAS.MDB") << true;
        QTest::newRow("lower case") << QStringLiteral("/srv/cabinet/agendas.mdb") << false;
        QTest::newRow("mixed case") << QStringLiteral("/srv/cabinet/Agendas.mdb") << false;
        QTest::newRow("blank after") << QStringLiteral("/srv/cabinet/AGENDAS.MDB ") << false;
        QTest::newRow("folder") << QStringLiteral("/srv/cabinet") << false;
        QTest::newRow("folder with slash") << QStringLiteral("/srv/cabinet/") << false;
        QTest::newRow("other extension") << QStringLiteral("/srv/cabinet/AGENDAS.MDB.bak") << false;
    }

    void databasePathMustEndInUpperCaseName()
    {
        QFETCH(QString, chemin);
        QFETCH(bool, accepted);
        QCOMPARE(StartUpRules::acceptsDatabasePath(chemin), accepted);
    }

    void defaultsStandForEmptyValues()
    {
        QCOMPARE(StartUpRules::defaultDatabasePath(QStringLiteral("/opt/kordela")),
                 QStringLiteral("/opt/kordela/AGENDAS.MDB"));
        QCOMPARE(StartUpRules::userFilesFolder(QString(), QStringLiteral("/opt/kordela")),
                 QStringLiteral("/opt/kordela"));
        QCOMPARE(StartUpRules::userFilesFolder(QStringLiteral("/srv/u"), QStringLiteral("/opt/kordela")),
                 QStringLiteral("/srv/u"));
    }

    void databaseMessageNamesPathAndReason()
    {
        const QString text = StartUpRules::databaseUnavailableMessage(QStringLiteral("/srv/AGENDAS.MDB"),
                                                                      QStringLiteral("le fichier est verrouillé."));
        QVERIFY(text.contains(QStringLiteral("/srv/AGENDAS.MDB")));
        QVERIFY(text.contains(QStringLiteral("le fichier est verrouillé.")));
        QVERIFY(text.contains(QStringLiteral("aucun rendez-vous ne sera enregistré")));
    }
};

QTEST_GUILESS_MAIN(TestStartUpRules)
#include "tst_startuprules.moc"
