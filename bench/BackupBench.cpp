#include "Benchmarks.h"

#include "backup/Backup.h"
#include "backup/BackupNames.h"
#include "backup/Restore.h"
#include "dayrecords/Module1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

namespace
{
constexpr int BackupRuns = 7;
constexpr int RestoreRuns = 3;
constexpr double BackupTargetMs = 500.0;
constexpr double RestoreTargetMs = 3000.0;
} // namespace

namespace Benchmarks
{
void runBackupBenchmark(const BenchDatabase::Databases& databases)
{
    using BenchDatabase::medianMs;
    using BenchDatabase::verdict;
    QTextStream out(stdout);
    Module1::closeDatabase();
    const QString live = databases.twentyYears;
    const QString usersFolder = QFileInfo(live).absolutePath();
    const QString settings = BackupNames::userSettingsIn(usersFolder);
    if (!QFileInfo::exists(settings)) {
        QFile file(settings);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("\"Salle A\",\"\",\"\",\"\",\"\",\"\",0,0,0,0,0,0,1,1,1,1,1,1,\"\",\"\",\"\",\"\",\"\",\"\","
                       "\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
        }
    }
    QTemporaryDir folder;
    const QString backups = folder.filePath(QStringLiteral("sauvegardes"));
    QDir().mkpath(backups);
    out << QStringLiteral("Sauvegarde : base de 20 ans, %1 Mo\n")
               .arg(static_cast<double>(QFileInfo(live).size()) / 1e6, 0, 'f', 1);
    out.flush();

    // The backup over the previous one, against a plain copy of the file.
    std::vector<qint64> backupSamples;
    std::vector<qint64> copySamples;
    const QString plainCopy = folder.filePath(QStringLiteral("copie-simple.MDB"));
    for (int run = 0; run < BackupRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const Status done = Backup::run({live, usersFolder, backups}).status();
        backupSamples.push_back(timer.nsecsElapsed());
        if (!done) {
            out << "sauvegarde impossible : " << done.error() << '\n';
            return;
        }
        QFile::remove(plainCopy);
        timer.restart();
        QFile::copy(live, plainCopy);
        copySamples.push_back(timer.nsecsElapsed());
    }

    // The restore as the window runs it: the check of the chosen file, then
    // the safety copy and the replacement of every day.
    std::vector<qint64> restoreSamples;
    for (int run = 0; run < RestoreRuns; ++run) {
        Restore::Request request;
        request.source = BackupNames::databaseIn(backups);
        request.databasePath = live;
        request.usersFolder = usersFolder;
        request.when = QDateTime::currentDateTime();
        QElapsedTimer timer;
        timer.start();
        const Restore::SourceCheck checked = Restore::checkSource(request.source, live);
        const Result<Restore::Outcome> restored =
            checked.verdict == Restore::Verdict::Usable ? Restore::run(request)
                                                        : Result<Restore::Outcome>::failure(checked.reason);
        restoreSamples.push_back(timer.nsecsElapsed());
        if (!restored) {
            out << "restauration impossible : " << restored.error() << '\n';
            return;
        }
        QFile::remove(restored->databaseKept);
        QFile::remove(restored->settingsKept);
    }

    const double backupMs = medianMs(backupSamples);
    const double restoreMs = medianMs(restoreSamples);
    out << QStringLiteral("  sauvegarde (médiane) : %1 ms  [cible <= %2 ms] %3\n")
               .arg(backupMs, 0, 'f', 1).arg(BackupTargetMs).arg(verdict(backupMs <= BackupTargetMs));
    out << QStringLiteral("  copie simple du fichier (médiane) : %1 ms\n").arg(medianMs(copySamples), 0, 'f', 1);
    out << QStringLiteral("  restauration avec contrôle et copie de sécurité (médiane) : %1 ms  [cible <= %2 ms] %3\n")
               .arg(restoreMs, 0, 'f', 1).arg(RestoreTargetMs).arg(verdict(restoreMs <= RestoreTargetMs));
    out.flush();
}
} // namespace Benchmarks
