#include "common/TestSupport.h"
#include "settings/LooseValue.h"
#include "settings/SettingsFileFormat.h"
#include "settings/UserSettingsFile.h"

#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
// Set for the copy of this program that saves as another user.
const char* const SaveInVariable = "KORDELA_TEST_SAVE_IN";
constexpr uid_t Nobody = 65534;

struct FileState
{
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    ino_t inode = 0;
};

FileState fileState(const QString& path)
{
    struct stat st{};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return {st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & 07777), st.st_ino};
}

void setMode(const QString& path, mode_t mode)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

UserSettings named(const QString& firstName)
{
    UserSettings s;
    s.names[0] = LooseValue::fromText(firstName);
    return s;
}

// The child's work: save Utilisat.vlk in the folder it was given.
int saveAsChild(const QString& folder)
{
    const Status saved = WriteUserSettingsFile(folder, named(QStringLiteral("Enfant")));
    if (!saved) {
        fprintf(stderr, "%s\n", qPrintable(saved.error()));
        return 2;
    }
    return 0;
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

    void saveWhereTheFolderAllowsTheRenameOrNot()
    {
        TestEnv env;
        const QString folder = env.dataFolder();
        const QString path = QDir(folder).filePath(QStringLiteral("Utilisat.vlk"));
        TestEnv::writeFile(path, SampleUsersLine);
        setMode(path, 0664);
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(path).constData(), Nobody, Nobody), 0);
        }
        const FileState before = fileState(path);

        // The folder allows it: a new file renamed over the old one, with the old one's owner and mode.
        QVERIFY(WriteUserSettingsFile(folder, named(QStringLiteral("Salle du docteur Lefèvre"))));
        const FileState replaced = fileState(path);
        QVERIFY(replaced.inode != before.inode);
        QCOMPARE(replaced.mode, before.mode);
        QCOMPARE(replaced.owner, before.owner);
        QCOMPARE(replaced.group, before.group);

        // The folder refuses the rename: the same file is written again in place, shorter.
        Files::Test::setRenameRefused(true);
        const Status inPlace = WriteUserSettingsFile(folder, named(QStringLiteral("B")));
        QVERIFY2(inPlace, qPrintable(inPlace.error()));
        const FileState rewritten = fileState(path);
        QCOMPARE(rewritten.inode, replaced.inode);
        QCOMPARE(rewritten.mode, before.mode);
        QCOMPARE(rewritten.owner, before.owner);
        QCOMPARE(TestEnv::readFile(path), SettingsFileFormat::formatRecordLine(named(QStringLiteral("B")).toValues()));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Utilisat.vlk")});
        // No file to write in place: the save fails and says which file.
        const Status none = WriteUserSettingsFile(env.programFolder(), named(QStringLiteral("C")));
        Files::Test::setRenameRefused(false);
        QVERIFY(!none.ok() && none.error().contains(QStringLiteral("Utilisat.vlk")));
        QVERIFY(QDir(env.programFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void aFailedSaveInPlaceLeavesTheFileAsItWas()
    {
        TestEnv env;
        const QString folder = env.dataFolder();
        const QString path = QDir(folder).filePath(QStringLiteral("Utilisat.vlk"));
        TestEnv::writeFile(path, SampleUsersLine);
        const QByteArray before = TestEnv::readFile(path);
        // A full share or a spent quota: no file may grow past the old one's size.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit full = old;
        full.rlim_cur = static_cast<rlim_t>(before.size());
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
        Files::Test::setRenameRefused(true);
        const Status failed = WriteUserSettingsFile(folder, named(QString(200, QLatin1Char('L'))));
        Files::Test::setRenameRefused(false);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &old), 0);
        QVERIFY(!failed.ok() && failed.error().contains(QStringLiteral("Utilisat.vlk")));
        QCOMPARE(TestEnv::readFile(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Utilisat.vlk")});
    }

    void saveAsAnotherUserInAReadOnlyOrAnOpenFolder()
    {
        if (::geteuid() != 0) {
            QSKIP("acting as another user needs root");
        }
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty()) {
            QSKIP("setpriv is not installed");
        }
        QTemporaryDir dir;
        setMode(dir.path(), 0755);
        // A copy of this program that the other user can reach, wherever the build lies.
        const QString saver = dir.filePath(QStringLiteral("saver"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), saver));
        setMode(saver, 0755);

        for (const bool readOnly : {true, false}) {
            const QString folder = dir.filePath(readOnly ? QStringLiteral("lecture") : QStringLiteral("ouvert"));
            QVERIFY(QDir().mkpath(folder));
            const QString path = QDir(folder).filePath(QStringLiteral("Utilisat.vlk"));
            TestEnv::writeFile(path, SampleUsersLine);
            setMode(path, 0666);
            setMode(folder, readOnly ? 0555 : 0777);
            const FileState before = fileState(path);

            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(SaveInVariable), folder);
            child.setProcessEnvironment(environment);
            child.start(setpriv, {QStringLiteral("--reuid=%1").arg(Nobody), QStringLiteral("--regid=%1").arg(Nobody),
                                  QStringLiteral("--clear-groups"), QStringLiteral("--"), saver});
            QVERIFY(child.waitForFinished(60000));
            QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                     child.readAllStandardError().constData());

            QCOMPARE(ReadUserSettingsFile(folder).values.names[0].toText(), QStringLiteral("Enfant"));
            const FileState after = fileState(path);
            QCOMPARE(after.mode, mode_t(0666));
            if (readOnly) {
                // Written in place: still root's file.
                QCOMPARE(after.inode, before.inode);
                QCOMPARE(after.owner, uid_t(0));
            } else {
                // Replaced; the system lets no other user hand a file to root.
                QVERIFY(after.inode != before.inode);
                QCOMPARE(after.owner, Nobody);
            }
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Utilisat.vlk")});
            setMode(folder, 0755);
        }
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString saveIn = qEnvironmentVariable(SaveInVariable);
    if (!saveIn.isEmpty()) {
        return saveAsChild(saveIn);
    }
    TestSettingsFiles test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settingsfiles.moc"
