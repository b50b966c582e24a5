#include "common/TestSupport.h"
#include "platform/Files.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/ColourValue.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserButtons.h"
#include "settings/UserSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{
// The line of a file written for "Salle A" and "Salle B" (white and light grey,
// 15 and 30 minutes, the other four users unused).
const QByteArray SampleLine =
    "\"Salle A\",\"Salle B\",\"\",\"\",\"\",\"\",16777215,12632256,-2147483643,-2147483643,"
    "-2147483643,-2147483643,1,3,-1,-1,-1,-1,\"Echographies\",\"Echographies\",\"\",\"\",\"\",\"\","
    "\"Programme Bloc Op\xE9ratoire\",\"Programme Bloc Op\xE9ratoire\",\"\",\"\",\"\",\"\"\r\n";

UserSettings sampleSettings()
{
    UserSettings s;
    const QString annotTop = QStringLiteral("Echographies");
    const QString annotBottom = QStringLiteral("Programme Bloc Opératoire");
    for (std::size_t i = 0; i < 6; ++i) {
        const bool used = i < 2;
        s.names[i] = LooseValue::fromText(used ? (i == 0 ? QStringLiteral("Salle A") : QStringLiteral("Salle B"))
                                               : QString());
        s.colours[i] = LooseValue::fromInt(i == 0 ? 16777215 : i == 1 ? 12632256 : ColourValue::WindowBackground);
        s.slotCodes[i] = LooseValue::fromInt(i == 0 ? 1 : i == 1 ? 3 : -1);
        s.topAnnotations[i] = LooseValue::fromText(used ? annotTop : QString());
        s.bottomAnnotations[i] = LooseValue::fromText(used ? annotBottom : QString());
    }
    return s;
}

// n values "v1".."vn" as one comma-separated line.
QByteArray numberedValues(int first, int last)
{
    QByteArray line;
    for (int n = first; n <= last; ++n) {
        if (n > first) {
            line += ',';
        }
        line += "\"v" + QByteArray::number(n) + '"';
    }
    return line;
}

QString userFile(const TestEnv& env)
{
    return QDir(env.dataFolder()).filePath(QStringLiteral("Utilisat.vlk"));
}

QString alphaFile(const TestEnv& env)
{
    return QDir(env.programFolder()).filePath(QStringLiteral("Alpha.vlk"));
}
} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void looseValueComparisons()
    {
        const LooseValue empty;
        QVERIFY(empty.isEmpty());
        QCOMPARE(empty.toText(), QString());
        QVERIFY(empty.equalsNumber(0));
        QVERIFY(!empty.equalsTrue());
        bool ok = false;
        QCOMPARE(empty.toInt32(&ok), 0);
        QVERIFY(ok);

        QVERIFY(LooseValue::fromBool(true).equalsTrue());
        QVERIFY(LooseValue::fromBool(true).equalsNumber(-1));
        QVERIFY(LooseValue::fromBool(false).equalsNumber(0));
        QVERIFY(LooseValue::fromInt(-1).equalsTrue());
        QVERIFY(!LooseValue::fromInt(1).equalsTrue());
        QVERIFY(!LooseValue::fromText(QStringLiteral("-1")).equalsTrue());
        QVERIFY(!LooseValue::fromText(QStringLiteral("0")).equalsNumber(0));
    }

    void looseValueConversions()
    {
        bool ok = false;
        QCOMPARE(LooseValue::fromText(QStringLiteral(" 12 ")).toInt32(&ok), 12);
        QVERIFY(ok);
        LooseValue::fromText(QStringLiteral("Salle A")).toInt32(&ok);
        QVERIFY(!ok);
        LooseValue::fromText(QString()).toInt32(&ok);
        QVERIFY(!ok);
        QCOMPARE(LooseValue::fromInt(-2147483643).toInt32(&ok), -2147483643);
        QVERIFY(ok);
        LooseValue::fromInt(4294967295LL).toInt32(&ok);
        QVERIFY(!ok);
        QCOMPARE(LooseValue::fromInt(4).toInt16(&ok), qint16(4));
        QVERIFY(ok);
        LooseValue::fromInt(40000).toInt16(&ok);
        QVERIFY(!ok);
        QCOMPARE(LooseValue::fromNumber(2.5).toInt32(&ok), 2); // halves to even
        QCOMPARE(LooseValue::fromNumber(3.5).toInt32(&ok), 4);
        QCOMPARE(LooseValue::fromInt(16777215).toText(), QStringLiteral("16777215"));
        QCOMPARE(LooseValue::fromNumber(1.5).toText(), QStringLiteral("1.5"));
        QCOMPARE(LooseValue::fromBool(false).toInt32(&ok), 0);
    }

    void splittingValues()
    {
        using SettingsFileFormat::splitValues;
        const QList<LooseValue> values =
            splitValues("  \"a, b\" ,#TRUE#,#FALSE#, -12 ,,1.5,abc\r\n\"x\"junk,\"\"\n\r\n,\r\n\"\xE9");
        const QList<LooseValue> expected = {
            LooseValue::fromText(QStringLiteral("a, b")), LooseValue::fromBool(true),
            LooseValue::fromBool(false),                  LooseValue::fromInt(-12),
            LooseValue::empty(),                          LooseValue::fromNumber(1.5),
            LooseValue::fromText(QStringLiteral("abc")),  LooseValue::fromText(QStringLiteral("x")),
            LooseValue::fromText(QString()),              LooseValue::empty(), // the blank line
            LooseValue::empty(),                          LooseValue::empty(), // ",\r\n"
            LooseValue::fromText(QStringLiteral("é")),    // unclosed quote: up to the end
        };
        QCOMPARE(values.size(), expected.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            QVERIFY2(values.at(i) == expected.at(i), qPrintable(QString::number(i)));
        }
        QVERIFY(splitValues(QByteArray()).isEmpty());
        QCOMPARE(splitValues("1,").size(), 2);
        QCOMPARE(splitValues("1\r\n").size(), 1);
    }

    void recordPasses()
    {
        using SettingsFileFormat::readRecords;
        const auto v = [](int n) { return LooseValue::fromInt(n); };
        SettingsFileFormat::RecordPasses r = readRecords({v(1), v(2), v(3), v(4), v(5)}, 2);
        QVERIFY(r.formatError);
        QCOMPARE(r.passes.size(), 3);
        QCOMPARE(r.passes.at(1), (QList<LooseValue>{v(3), v(4)}));
        QCOMPARE(r.passes.at(2), (QList<LooseValue>{v(5), v(4)}));

        r = readRecords({v(1), v(2), v(3), v(4)}, 2);
        QVERIFY(!r.formatError);
        QCOMPARE(r.passes.size(), 2);

        r = readRecords({v(1)}, 2);
        QVERIFY(r.formatError);
        QCOMPARE(r.passes.at(0), (QList<LooseValue>{v(1), LooseValue()}));
    }

    void sampleLineWrittenByteForByte()
    {
        TestEnv env;
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), sampleSettings()));
        QCOMPARE(TestEnv::readFile(userFile(env)), SampleLine);

        // Rewritten whole: a shorter record leaves nothing of the longer one.
        UserSettings shorter;
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), shorter));
        QCOMPARE(TestEnv::readFile(userFile(env)), QByteArray(",,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Utilisat.vlk")});
    }

    void readingOneRecord()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), SampleLine);
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.opened);
        QVERIFY(!read.formatError);
        QCOMPARE(read.passes.size(), 1);
        QCOMPARE(read.values, sampleSettings());
        QCOMPARE(read.values.names[1].toText(), QStringLiteral("Salle B"));
        QCOMPARE(read.values.bottomAnnotations[0].toText(), QStringLiteral("Programme Bloc Opératoire"));
        QCOMPARE(read.values.colours[2].toInt32(), ColourValue::WindowBackground);
        QCOMPARE(read.values.slotCodes[1].toInt16(), qint16(3));
    }

    void readingTwoRecordsKeepsTheLast()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), numberedValues(1, 30) + "\r\n" + numberedValues(31, 60) + "\r\n");
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(!read.formatError);
        QCOMPARE(read.passes.size(), 2);
        QCOMPARE(read.passes.at(0).names[0].toText(), QStringLiteral("v1"));
        QCOMPARE(read.values.names[0].toText(), QStringLiteral("v31"));
        QCOMPARE(read.values.bottomAnnotations[5].toText(), QStringLiteral("v60"));
    }

    void readingTooFewValues()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), numberedValues(1, 29) + "\r\n");
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.opened);
        QVERIFY(read.formatError);
        QCOMPARE(read.passes.size(), 1);
        QCOMPARE(read.values.names[0].toText(), QStringLiteral("v1"));
        QCOMPARE(read.values.bottomAnnotations[4].toText(), QStringLiteral("v29"));
        QVERIFY(read.values.bottomAnnotations[5].isEmpty());
    }

    void readingTooManyValues()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), numberedValues(1, 31) + "\r\n");
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.formatError);
        QCOMPARE(read.passes.size(), 2);
        QCOMPARE(read.values.names[0].toText(), QStringLiteral("v31"));
        QCOMPARE(read.values.names[1].toText(), QStringLiteral("v2"));
        QCOMPARE(read.values.bottomAnnotations[5].toText(), QStringLiteral("v30"));
    }

    void trailingBlankLineIsAFormatError()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), SampleLine + "\r\n");
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.formatError);
        QCOMPARE(read.passes.size(), 2);
        QVERIFY(read.values.names[0].isEmpty()); // the blank line is the next record's first value
        QCOMPARE(read.values.names[1].toText(), QStringLiteral("Salle B"));
    }

    void emptyAndMissingFiles()
    {
        TestEnv env;
        UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(!read.opened);
        QVERIFY(!read.formatError);
        QVERIFY(!read.anyValues());

        TestEnv::writeFile(userFile(env), QByteArray());
        read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.opened);
        QVERIFY(!read.formatError);
        QVERIFY(!read.anyValues());

        QVERIFY(!ReadUserSettingsFile(QDir(env.root()).filePath(QStringLiteral("nowhere"))).opened);
    }

    void fileFoundWithoutRegardToCase()
    {
        TestEnv env;
        const QString upper = QDir(env.dataFolder()).filePath(QStringLiteral("UTILISAT.VLK"));
        TestEnv::writeFile(upper, SampleLine);
        QCOMPARE(ReadUserSettingsFile(env.dataFolder()).values.names[0].toText(), QStringLiteral("Salle A"));
        // The save replaces that file rather than writing a second one beside it.
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), UserSettings()));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("UTILISAT.VLK")});
    }

    void textsRoundTrip()
    {
        TestEnv env;
        UserSettings s = sampleSettings();
        s.names[0] = LooseValue::fromText(QStringLiteral("Dupont, Martin"));
        s.names[1] = LooseValue::fromText(QStringLiteral(" "));
        s.names[2] = LooseValue::fromText(QStringLiteral("Le \"Grand\""));
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), s));
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QCOMPARE(read.values.names[0].toText(), QStringLiteral("Dupont, Martin"));
        QCOMPARE(read.values.names[1].toText(), QStringLiteral(" "));
        // A double quote cannot be held by the format (the window refuses it).
        QVERIFY(read.values.names[2].toText() != QStringLiteral("Le \"Grand\""));
    }

    void coloursRoundTrip()
    {
        TestEnv env;
        UserSettings s;
        const qint32 values[6] = {ColourValue::WindowBackground, ColourValue::ButtonFace, 255, 0, 16777215,
                                  ColourValue::fromRgb(0x12, 0x34, 0x56)};
        for (std::size_t i = 0; i < 6; ++i) {
            s.colours[i] = LooseValue::fromInt(values[i]);
        }
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), s));
        QVERIFY(TestEnv::readFile(userFile(env)).contains(",-2147483643,-2147483633,255,0,16777215,5649426,"));
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        for (std::size_t i = 0; i < 6; ++i) {
            bool ok = false;
            QCOMPARE(read.values.colours[i].toInt32(&ok), values[i]);
            QVERIFY(ok);
        }
    }

    void colourValueParts()
    {
        QCOMPARE(ColourValue::WindowBackground, -2147483643);
        QVERIFY(ColourValue::isSystemColour(ColourValue::ButtonFace));
        QCOMPARE(ColourValue::systemColourIndex(ColourValue::ButtonFace), 0x0F);
        QVERIFY(!ColourValue::isSystemColour(16777215));
        QCOMPARE(ColourValue::red(255), 255);
        QCOMPARE(ColourValue::blue(0xFF0000), 255);
        QCOMPARE(ColourValue::fromRgb(255, 0, 0), 255);
    }

    void userSettingsFolderFromRegistry()
    {
        TestEnv env;
        QCOMPARE(userSettingsFolder(), env.programFolder());
        env.setRegistry(QStringLiteral("CheminUt"), QString());
        QCOMPARE(userSettingsFolder(), env.programFolder());
        env.setRegistry(QStringLiteral("CheminUt"), env.dataFolder());
        QCOMPARE(userSettingsFolder(), env.dataFolder());
    }

    void formatMessages()
    {
        TestEnv env;
        QCOMPARE(userSettingsFormatMessage(QStringLiteral("/srv/cabinet")),
                 QStringLiteral("Fichier /srv/cabinet/Utilisat.vlk non valide (trop ou pas assez de paramètres)."));
        QCOMPARE(alphaSettingsFormatMessage(),
                 QStringLiteral("Fichier ") + env.programFolder() + QStringLiteral("/Alpha.vlk non valide."));
    }

    void alphaFile()
    {
        TestEnv env;
        QVERIFY(!ReadAlphaSettingsFile().opened);

        QVERIFY(WriteAlphaSettingsFile(true, QStringLiteral("MATABLE")));
        QCOMPARE(TestEnv::readFile(::alphaFile(env)), QByteArray("#TRUE#,\"MATABLE\"\r\n"));

        TestEnv::writeFile(::alphaFile(env), "#FALSE#,\"MATABLE\"\r\n");
        AlphaSettingsRead read = ReadAlphaSettingsFile();
        QVERIFY(read.opened);
        QVERIFY(!read.formatError);
        QVERIFY(!read.values.option.equalsTrue());
        QCOMPARE(read.values.table.toText(), QStringLiteral("MATABLE"));

        TestEnv::writeFile(::alphaFile(env), "#TRUE#\r\n");
        read = ReadAlphaSettingsFile();
        QVERIFY(read.formatError);
        QVERIFY(read.values.option.equalsTrue());
        QVERIFY(read.values.table.isEmpty());
    }

    void failedWritesNameTheFile()
    {
        TestEnv env;
        const QString missing = QDir(env.root()).filePath(QStringLiteral("absent"));
        const Status status = WriteUserSettingsFile(missing, sampleSettings());
        QVERIFY(!status);
        QVERIFY2(status.error().contains(missing + QStringLiteral("/Utilisat.vlk")), qPrintable(status.error()));
        QVERIFY(!QFile::exists(missing));

        QVERIFY(QDir(env.programFolder()).removeRecursively());
        const Status alpha = WriteAlphaSettingsFile(false, QStringLiteral("MATABLE"));
        QVERIFY(!alpha);
        QVERIFY(alpha.error().contains(QStringLiteral("Alpha.vlk")));
    }

    void userButtonPlans_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("shown"); // -1: none changed
        const QString e;
        const QString n = QStringLiteral("N");
        QTest::newRow("none") << QStringList{e, e, e, e, e, e} << 0;
        QTest::newRow("user 1 only") << QStringList{n, e, e, e, e, e} << 0;
        QTest::newRow("users 1-2") << QStringList{n, n, e, e, e, e} << 2;
        QTest::newRow("users 1-5") << QStringList{n, n, n, n, n, e} << 5;
        QTest::newRow("all six") << QStringList{n, n, n, n, n, n} << 6;
        QTest::newRow("a gap") << QStringList{n, e, n, e, e, e} << -1;
        QTest::newRow("user 2 only") << QStringList{e, n, e, e, e, e} << -1;
        QTest::newRow("spaces count") << QStringList{n, QStringLiteral(" "), e, e, e, e} << 2;
    }

    void userButtonPlans()
    {
        QFETCH(QStringList, names);
        QFETCH(int, shown);
        std::array<QString, 6> array;
        std::copy(names.begin(), names.end(), array.begin());
        const std::optional<UserButtonVisibility> plan = userButtonPlan(array);
        QCOMPARE(plan.has_value(), shown >= 0);
        if (plan) {
            for (int i = 0; i < 6; ++i) {
                QCOMPARE((*plan)[static_cast<std::size_t>(i)], i < shown);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
