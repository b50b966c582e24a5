#include "common/TestSupport.h"
#include "platform/Dates.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Registry.h"

#include <QDir>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void daySerials()
    {
        QCOMPARE(Dates::daySerial(QDate(2007, 3, 7)), 39148);
        QCOMPARE(Dates::daySerial(QDate(1899, 12, 30)), 0);
        QCOMPARE(Dates::daySerial(QDate(1899, 12, 29)), -1);
        QCOMPARE(Dates::dateFromSerial(39148), QDate(2007, 3, 7));
        QCOMPARE(Dates::shortDate(QDate(2007, 3, 7)), QStringLiteral("07/03/2007"));
        QCOMPARE(Geometry::twipRect(720, 240, 3075, 285), QRect(48, 16, 205, 19));
    }

    void cp1252RoundTrip()
    {
        const QString text = QStringLiteral("é € œ Opératoire");
        const QByteArray bytes = Files::encodeCp1252(text);
        QCOMPARE(bytes.left(5), QByteArray("\xE9 \x80 \x9C"));
        QCOMPARE(Files::decodeCp1252(bytes), text);
        // What the code page cannot hold is written as "?".
        QCOMPARE(Files::encodeCp1252(QStringLiteral("α")), QByteArray("?"));
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            all.append(static_cast<char>(b));
        }
        QCOMPARE(Files::encodeCp1252(Files::decodeCp1252(all)), all);
    }

    void registryTellsAbsentFromEmpty()
    {
        TestEnv env;
        QCOMPARE(Registry::value(QStringLiteral("CHEMIN"), QStringLiteral("défaut")), QStringLiteral("défaut"));
        QVERIFY(Registry::setValue(QStringLiteral("CHEMIN"), QString()));
        QVERIFY(Registry::value(QStringLiteral("CHEMIN"), QStringLiteral("défaut")).isEmpty());
        QVERIFY(Registry::setValue(QStringLiteral("CheminUt"), QStringLiteral("/données/Cabinet, étage 2")));
        // Names of file, section and value match without regard to case.
        QCOMPARE(Registry::getSetting(QStringLiteral("halverin"), QStringLiteral("kordela"),
                                      QStringLiteral("cheminut"), QString()),
                 QStringLiteral("/données/Cabinet, étage 2"));
        QCOMPARE(QDir(env.configFolder()).entryList(QDir::Files), QStringList{QStringLiteral("HALVERIN.ini")});
        // Another application or section is another store.
        QCOMPARE(Registry::getSetting(QStringLiteral("HALVERIN"), QStringLiteral("AUTRE"),
                                      QStringLiteral("CHEMIN"), QStringLiteral("x")),
                 QStringLiteral("x"));
    }

    void atomicReplaceLeavesNoTemporaryFile()
    {
        TestEnv env;
        const QString path = Files::joinPath(env.dataFolder(), QStringLiteral("Utilisat.vlk"));
        TestEnv::writeFile(path, "ancien contenu plus long que le nouveau");
        QVERIFY(Files::writeAtomically(path, "neuf").ok());
        QCOMPARE(TestEnv::readFile(path), QByteArray("neuf"));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Utilisat.vlk")});

        const Status nowhere = Files::writeAtomically(Files::joinPath(env.root(), QStringLiteral("absent/x.vlk")), "x");
        QVERIFY(!nowhere.ok() && nowhere.error().contains(QStringLiteral("n'existe pas")));

        // A failed copy leaves the target as it was.
        const QString copy = Files::joinPath(env.dataFolder(), QStringLiteral("copie.vlk"));
        QVERIFY(Files::copyAtomically(path, copy).ok());
        QVERIFY(!Files::copyAtomically(Files::joinPath(env.root(), QStringLiteral("manque.vlk")), copy).ok());
        QCOMPARE(TestEnv::readFile(copy), QByteArray("neuf"));

        // A disk that fills up during the write: a failure, the file as it was, no temporary file.
        const QString small = Files::joinPath(env.root(), QStringLiteral("petit"));
        const auto disk = TestMount::smallDisk(small, 64);
        if (!disk) {
            QSKIP("mounting a small tmpfs is refused here");
        }
        const QString onDisk = Files::joinPath(small, QStringLiteral("Utilisat.vlk"));
        QVERIFY(Files::writeAtomically(onDisk, "ancien").ok());
        {
            QFile filler(Files::joinPath(small, QStringLiteral("plein")));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(1024, 'x')) == 1024) {
            }
        }
        QVERIFY(!Files::writeAtomically(onDisk, QByteArray(8 * 1024, 'x')).ok());
        QCOMPARE(TestEnv::readFile(onDisk), QByteArray("ancien"));
        QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("plein"), QStringLiteral("Utilisat.vlk")}));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
