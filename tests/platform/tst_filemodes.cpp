// The files the program writes into the shared folders, which workstations
// running under other accounts read: a created file gets the mode of any new
// file under the process's umask, a replaced one keeps its mode and owner.

#include "mainwindow/MainWindowTestFixture.h"

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "platform/Files.h"
#include "settings/AlphaSettingsFile.h"

#include <QDirIterator>

#include <sys/stat.h>
#include <unistd.h>

using MainWindowTest::Fixture;

namespace
{
struct Mode
{
    mode_t mode = 0;
    uid_t owner = 0;
    bool operator==(const Mode&) const = default;
};

Mode modeOf(const QString& path)
{
    struct stat info{};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? Mode{info.st_mode & 07777, info.st_uid} : Mode{};
}

char* toString(const Mode& m)
{
    return QTest::toString(QStringLiteral("%1 (owner %2)").arg(m.mode, 4, 8, QLatin1Char('0')).arg(m.owner));
}

enum Writer { UserSettings, AlphaSettings, BackupCopy, RestoreWithoutSettings, RestoreWithoutDatabase, Pdf };

// The path written, or "" when the write failed.
QString ok(const Status& status, const QString& path)
{
    if (!status) {
        qWarning("%s", qPrintable(status.error()));
    }
    return status ? path : QString();
}

// The files a write of the program puts in the shared folders.
QStringList write(Writer writer, Fixture& fx)
{
    const QDir shared(QDir(fx.env.root()).filePath(QStringLiteral("partage")));
    const QString settings = QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk"));
    switch (writer) {
    case UserSettings:
        return {ok(WriteUserSettingsFile(shared.path(), MainWindowTest::threeUsers()),
                   shared.filePath(QStringLiteral("Utilisat.vlk")))};
    case AlphaSettings:
        return {ok(WriteAlphaSettingsFile(true, QStringLiteral("MATABLE")), alphaSettingsFilePath())};
    case BackupCopy: {
        const Status done = Backup::run({fx.dbPath, fx.usersFolder(), shared.path()}).status();
        return {ok(done, shared.filePath(QStringLiteral("AGENDAS.MDB"))), ok(done, shared.filePath(QStringLiteral("Utilisat.vlk")))};
    }
    case Pdf:
        if (!fx.form) {
            fx.open();
        }
        Dialogs::Test::clear();
        Dialogs::Test::setNextAnswer(QVariant(shared.filePath(QStringLiteral("matin.pdf"))));
        fx.form->ui().Matin->trigger();
        return {Dialogs::Test::shown().size() == 1 ? shared.filePath(QStringLiteral("matin.pdf")) : QString()};
    case RestoreWithoutSettings:
    case RestoreWithoutDatabase:
        break;
    }
    const Result<Restore::Outcome> done = Restore::run(
        {shared.filePath(QStringLiteral("AGENDAS.MDB")), fx.dbPath, fx.usersFolder(), QDateTime::currentDateTime(), {}, {}});
    if (!done) {
        return {ok(done.status(), settings)};
    }
    QStringList files = {settings, done->databaseKept, done->settingsKept};
    if (done->replacedWhole) {
        files << fx.dbPath;
    }
    files.removeAll(QString());
    return files;
}
} // namespace

class TestFileModes : public QObject
{
    Q_OBJECT

private slots:
    void createdAsAnyNewFileReplacedAsItWas_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("umask");
        const QStringList names = {QStringLiteral("settings window's Utilisat.vlk"), QStringLiteral("Alpha.vlk"),
                                   QStringLiteral("backup"), QStringLiteral("restore where there was no Utilisat.vlk"),
                                   QStringLiteral("restore over a missing database"), QStringLiteral("PDF")};
        for (int writer = 0; writer < names.size(); ++writer) {
            for (const int mask : {022, 002}) {
                QTest::addRow("%s, umask %03o", qPrintable(names.at(writer)), mask) << writer << mask;
            }
        }
    }

    // Written twice: created, then replaced once its mode and owner were changed.
    void createdAsAnyNewFileReplacedAsItWas()
    {
        QFETCH(int, writer);
        QFETCH(int, umask);
        const mode_t before = ::umask(static_cast<mode_t>(umask));
        const auto restoreUmask = qScopeGuard([before] { ::umask(before); });
        Fixture fx;
        QVERIFY(QDir().mkpath(QDir(fx.env.root()).filePath(QStringLiteral("partage"))));
        if (writer == RestoreWithoutSettings || writer == RestoreWithoutDatabase) {
            QVERIFY(write(BackupCopy, fx).size() == 2);
            QVERIFY(QFile::remove(QDir(fx.usersFolder()).filePath(QStringLiteral("Utilisat.vlk"))));
            QVERIFY(writer == RestoreWithoutSettings || QFile::remove(fx.dbPath));
        }
        const Mode created{static_cast<mode_t>(0666 & ~umask), ::geteuid()};
        const Mode replaced{0640, ::geteuid() == 0 ? uid_t(65534) : ::geteuid()};

        const QStringList first = write(static_cast<Writer>(writer), fx);
        for (const QString& path : first) {
            QVERIFY2(!path.isEmpty(), "the write failed");
            QCOMPARE(modeOf(path), created);
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), replaced.mode), 0);
            QCOMPARE(::chown(QFile::encodeName(path).constData(), replaced.owner, gid_t(-1)), 0);
        }
        // A restore's second safety copies are new files.
        for (const QString& path : write(static_cast<Writer>(writer), fx)) {
            QVERIFY2(!path.isEmpty(), "the write failed");
            QCOMPARE(modeOf(path), first.contains(path) ? replaced : created);
        }
        QDirIterator staged(fx.env.root(), {QStringLiteral("*") + Files::StagedSuffix}, QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
        QVERIFY(!staged.hasNext());
    }
};

QTEST_MAIN(TestFileModes)
#include "tst_filemodes.moc"
