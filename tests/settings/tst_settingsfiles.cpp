#include "common/TestSupport.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserSettingsFile.h"

#include <QDir>
#include <QTest>

namespace
{
// Values "v<first>".."v<last>" as one comma-separated line.
QByteArray numberedValues(int first, int last)
{
    QByteArrayList values;
    for (int n = first; n <= last; ++n) {
        values << "\"v" + QByteArray::number(n) + '"';
    }
    return values.join(',');
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
            LooseValue::fromText(QStringLiteral("a, b")), LooseValue::fromBool(true), LooseValue::fromBool(false),
            LooseValue::fromInt(-12), LooseValue::empty(), LooseValue::fromNumber(1.5),
            LooseValue::fromText(QStringLiteral("abc")), LooseValue::fromText(QStringLiteral("x")),
            LooseValue::fromText(QString()), LooseValue::empty(), // the blank line
            LooseValue::empty(), LooseValue::empty(),             // ",\r\n"
            LooseValue::fromText(QStringLiteral("é")),            // unclosed quote: up to the end
        };
        QCOMPARE(values.size(), expected.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            QVERIFY2(values.at(i) == expected.at(i), qPrintable(QString::number(i)));
        }
        QVERIFY(splitValues(QByteArray()).isEmpty());
        QCOMPARE(splitValues("1,").size(), 2);
        QCOMPARE(splitValues("1\r\n").size(), 1);
    }

    void readingRecords_data()
    {
        const auto v = [](const char* text) { return QString::fromLatin1(text); };
        QTest::addColumn<QByteArray>("content"); // null: no file at all
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
        QTest::newRow("trailing blank line") << numberedValues(1, 30) + "\r\n\r\n" << true << 2 << QString() << v("v2")
                                             << v("v30");
        // The old end-of-file mark ends the file, whatever follows it.
        QTest::newRow("Ctrl-Z after the last line") << numberedValues(1, 30) + "\r\n\x1A\"v31\"\r\n" << false << 1 << v("v1")
                                                    << v("v2") << v("v30");
        QTest::newRow("empty") << QByteArray("") << false << 0 << QString() << QString() << QString();
        QTest::newRow("missing") << QByteArray() << false << 0 << QString() << QString() << QString();
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
        if (!content.isNull()) {
            TestEnv::writeFile(QDir(env.dataFolder()).filePath(QStringLiteral("Utilisat.vlk")), content);
        }
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QCOMPARE(read.opened, !content.isNull());
        QCOMPARE(read.formatError, formatError);
        QCOMPARE(read.passes.size(), passes);
        QCOMPARE(read.anyValues(), passes > 0);
        QCOMPARE(read.values.names[0].toText(), firstName);
        QCOMPARE(read.values.names[1].toText(), secondName);
        QCOMPARE(read.values.bottomAnnotations[5].toText(), lastValue);
    }

    void fileFoundWithoutRegardToCaseAndNamesRoundTrip()
    {
        TestEnv env;
        TestEnv::writeFile(QDir(env.dataFolder()).filePath(QStringLiteral("UTILISAT.VLK")), SampleUsersLine);
        QCOMPARE(ReadUserSettingsFile(env.dataFolder()).values.names[0].toText(), QStringLiteral("Salle A"));
        // The save replaces that file rather than writing a second one beside it;
        // a comma or a lone blank in a name comes back as it was.
        UserSettings s;
        s.names[0] = LooseValue::fromText(QStringLiteral("Dupont, Martin"));
        s.names[1] = LooseValue::fromText(QStringLiteral(" "));
        QVERIFY(WriteUserSettingsFile(env.dataFolder(), s));
        QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("UTILISAT.VLK")});
        const UserSettingsRead read = ReadUserSettingsFile(env.dataFolder());
        QVERIFY(!read.formatError);
        QCOMPARE(read.values.names[0].toText(), QStringLiteral("Dupont, Martin"));
        QCOMPARE(read.values.names[1].toText(), QStringLiteral(" "));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
