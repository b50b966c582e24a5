#include "common/TestSupport.h"
#include "platform/Files.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/ColourValue.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{
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
    void looseValuesCompareAndConvertAsTheFileMeansThem()
    {
        bool ok = false;
        QVERIFY(LooseValue().equalsNumber(0) && LooseValue().toInt32(&ok) == 0 && ok);
        QVERIFY(LooseValue::fromInt(-1).equalsTrue() && !LooseValue::fromInt(1).equalsTrue());
        QVERIFY(!LooseValue::fromText(QStringLiteral("-1")).equalsTrue());
        QCOMPARE(LooseValue::fromText(QStringLiteral(" 12 ")).toInt32(&ok), 12);
        LooseValue::fromInt(4294967295LL).toInt32(&ok);
        QVERIFY(!ok);
        QCOMPARE(LooseValue::fromNumber(2.5).toInt32(&ok), 2); // halves to even
        QCOMPARE(LooseValue::fromNumber(3.5).toInt32(&ok), 4);
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

    void sampleLineWrittenByteForByte()
    {
        TestEnv env;
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), sampleSettings()));
        QCOMPARE(TestEnv::readFile(userFile(env)), SampleUsersLine);

        // Rewritten whole: a shorter record leaves nothing of the longer one.
        UserSettings shorter;
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), shorter));
        QCOMPARE(TestEnv::readFile(userFile(env)), QByteArray(",,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Utilisat.vlk")});
    }

    void readingOneRecord()
    {
        TestEnv env;
        TestEnv::writeFile(userFile(env), SampleUsersLine);
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

    void readingRecords_data()
    {
        const auto v = [](const char* text) { return QString::fromLatin1(text); };
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("formatError");
        QTest::addColumn<int>("passes");
        QTest::addColumn<QString>("firstName");   // user 1's name
        QTest::addColumn<QString>("secondName");  // user 2's name
        QTest::addColumn<QString>("lastValue");   // user 6's bottom annotation
        QTest::newRow("30 values") << numberedValues(1, 30) + "\r\n" << false << 1 << v("v1") << v("v2") << v("v30");
        QTest::newRow("two records") << numberedValues(1, 30) + "\r\n" + numberedValues(31, 60) + "\r\n" << false << 2
                                     << v("v31") << v("v32") << v("v60");
        QTest::newRow("29 values") << numberedValues(1, 29) + "\r\n" << true << 1 << v("v1") << v("v2") << QString();
        // The 31st value starts a second pass over the same values.
        QTest::newRow("31 values") << numberedValues(1, 31) + "\r\n" << true << 2 << v("v31") << v("v2") << v("v30");
        // The blank line is the next record's first value.
        QTest::newRow("trailing blank line") << numberedValues(1, 30) + "\r\n\r\n" << true << 2 << QString() << v("v2") << v("v30");
    }

    void readingRecords()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, formatError);
        QFETCH(int, passes);
        QFETCH(QString, firstName);
        QFETCH(QString, secondName);
        QFETCH(QString, lastValue);
        TestEnv env;
        TestEnv::writeFile(userFile(env), content);
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(read.opened);
        QCOMPARE(read.formatError, formatError);
        QCOMPARE(read.passes.size(), passes);
        QCOMPARE(read.values.names[0].toText(), firstName);
        QCOMPARE(read.values.names[1].toText(), secondName);
        QCOMPARE(read.values.bottomAnnotations[5].toText(), lastValue);
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
        TestEnv::writeFile(upper, SampleUsersLine);
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

    void userSettingsFolderFromRegistry()
    {
        TestEnv env;
        QCOMPARE(userSettingsFolder(), env.programFolder());
        env.setRegistry(QStringLiteral("CheminUt"), QString());
        QCOMPARE(userSettingsFolder(), env.programFolder());
        env.setRegistry(QStringLiteral("CheminUt"), env.dataFolder());
        QCOMPARE(userSettingsFolder(), env.dataFolder());
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
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
