#include "backup/Restore.h"

#include "backup/AppointmentFile.h"
#include "backup/BackupNames.h"
#include "backup/BackupTexts.h"
#include "dayrecords/DayRecord.h"
#include "platform/Database.h"
#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <optional>

namespace
{
using Restore::Outcome;
using Restore::Request;
using R = Result<Outcome>;

// The working Utilisat.vlk: its bytes before the restore (none when there was
// no file) and the bytes that replace them (none when nothing replaces them).
// The new bytes are staged beside the working file and renamed into place
// only once the database is committed: a restore cut short (a kill, a power
// cut) leaves the old settings beside the old appointments, and the staged
// file's name is never taken for Utilisat.vlk.
struct Settings
{
    QString path;
    std::optional<QByteArray> before;
    std::optional<QByteArray> restored;
    QString staged;

    // Keeps the working file beside itself when it is to be replaced.
    Status keep(Outcome& outcome, const QDateTime& when) const
    {
        if (!before || !restored) {
            return Status::success();
        }
        outcome.settingsKept = BackupNames::safetyCopyOf(path, when);
        return Files::writeAtomically(outcome.settingsKept, *before);
    }

    Status stage()
    {
        if (!restored) {
            return Status::success();
        }
        Result<QString> written = Files::stageFile(path, *restored);
        if (!written) {
            return written.status();
        }
        staged = *written;
        return Status::success();
    }

    // After the database is committed. When the restored file cannot take
    // its place, the working one stays as it was: the staged file goes at
    // once, and so does its safety copy, which would keep nothing.
    Status place(Outcome& outcome)
    {
        if (staged.isEmpty()) {
            return Status::success();
        }
        const Status placed = Files::renameOver(staged, path);
        if (!placed) {
            drop();
            if (!outcome.settingsKept.isEmpty()) {
                QFile::remove(outcome.settingsKept);
                outcome.settingsKept.clear();
            }
            outcome.settingsRestored = false;
            outcome.settingsProblem = placed.error();
        }
        staged.clear();
        return placed;
    }

    void drop()
    {
        if (!staged.isEmpty()) {
            QFile::remove(staged);
            staged.clear();
        }
    }
};

Result<Settings> readSettings(const Request& request, Outcome& outcome)
{
    Settings settings;
    settings.path = Files::findFileNoCase(request.usersFolder, BackupNames::UserSettings);
    outcome.settingsSource = Files::findFileNoCase(QFileInfo(request.source).absolutePath(), BackupNames::UserSettings);
    if (QFileInfo(settings.path).isFile()) {
        auto bytes = Files::readAll(settings.path);
        if (!bytes) {
            return bytes.status();
        }
        settings.before = *bytes;
    }
    if (Files::sameFile(outcome.settingsSource, settings.path)) {
        outcome.settingsAreLive = true; // nothing to restore: the source lies beside the working file
    } else if (QFileInfo(outcome.settingsSource).isFile()) {
        auto bytes = Files::readAll(outcome.settingsSource);
        if (!bytes) {
            return bytes.status();
        }
        settings.restored = *bytes;
        outcome.settingsRestored = true;
    }
    return settings;
}

Status execute(QSqlDatabase db, const QString& statement)
{
    QSqlQuery query(db);
    return query.exec(statement) ? Status::success() : BackupTexts::engineFailureStatus(query.lastError());
}

// The six tables take the source's rows in one transaction on the working
// file, after a copy of it is kept beside it.
R restoreInPlace(const Request& request, DbConnection& live, Settings settings, Outcome outcome)
{
    const QString attachedName = QStringLiteral("sauvegarde");
    {
        QSqlQuery attach(live.database());
        attach.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(attachedName));
        attach.addBindValue(Sql::fileUri(request.source, QStringLiteral("ro")));
        if (!attach.exec()) {
            return R::failure(QStringLiteral("La base sauvegardée « %1 » ne peut pas être lue : %2")
                                  .arg(Files::displayPath(request.source),
                                       BackupTexts::engineFailure(attach.lastError())),
                              attach.lastError().text().trimmed());
        }
    }
    // The write lock first: no other workstation commits from here on, so the
    // safety copy holds exactly the days the restore replaces.
    const Status locked = execute(live.database(), QStringLiteral("BEGIN IMMEDIATE"));
    if (!locked) {
        return R::failure(QStringLiteral("La base de données « %1 » ne peut pas être modifiée : %2")
                              .arg(Files::displayPath(request.databasePath), locked.error()),
                          locked.details());
    }
    const auto fail = [&](const QString& reason, const QString& details = QString()) {
        live.rollback();
        settings.drop();
        QFile::remove(outcome.databaseKept);
        if (!outcome.settingsKept.isEmpty()) {
            QFile::remove(outcome.settingsKept);
        }
        return R::failure(reason, details);
    };

    outcome.databaseKept = BackupNames::safetyCopyOf(request.databasePath, request.when);
    const Status kept = [&] {
        // Read through a connection of its own: this one holds the write lock.
        const auto reader = DbConnection::openReadOnly(request.databasePath);
        return reader ? AppointmentFile::copyTo(**reader, outcome.databaseKept) : reader.status();
    }();
    if (!kept) {
        return fail(QStringLiteral("La copie de sécurité de la base de données n'a pas pu être faite : %1")
                        .arg(kept.error()));
    }
    const Status settingsKept = settings.keep(outcome, request.when);
    if (!settingsKept) {
        return fail(QStringLiteral("La copie de sécurité de Utilisat.vlk n'a pas pu être faite : %1")
                        .arg(settingsKept.error()));
    }

    QStringList columns;
    for (const QString& field : DayFields::all()) {
        columns << Sql::quoteIdentifier(field);
    }
    const QString columnList = columns.join(QStringLiteral(", "));
    const QStringList tables = AppointmentDatabase::tableNames();
    for (int i = 0; i < tables.size(); ++i) {
        // Table and field names are the program's own, and the engine's
        // names ignore case, as the files' spellings may differ.
        const QString table = Sql::quoteIdentifier(tables.at(i));
        Status copied = execute(live.database(), QStringLiteral("DELETE FROM main.%1").arg(table));
        if (copied) {
            copied = execute(live.database(), QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM %3.%1")
                                                  .arg(table, columnList, attachedName));
        }
        if (copied && i + 1 < tables.size() && request.betweenTables) {
            copied = request.betweenTables(i + 1);
        }
        if (!copied) {
            return fail(QStringLiteral("La table %1 n'a pas pu être restaurée : %2").arg(tables.at(i), copied.error()),
                        copied.details());
        }
    }
    const Status settingsStaged = settings.stage();
    if (!settingsStaged) {
        return fail(settingsStaged.error());
    }
    if (request.beforeCommit) {
        request.beforeCommit();
    }
    const Status committed = execute(live.database(), QStringLiteral("COMMIT"));
    if (!committed) {
        return fail(QStringLiteral("La base de données « %1 » n'a pas pu être enregistrée : %2")
                        .arg(Files::displayPath(request.databasePath), committed.error()),
                    committed.details());
    }
    settings.place(outcome);
    return outcome;
}

// A working file that is missing or no usable database: a copy of the source
// takes its place, the file that was there kept aside with its journal.
R replaceWhole(const Request& request, Settings settings, Outcome outcome)
{
    outcome.replacedWhole = true;
    auto source = DbConnection::openReadOnly(request.source);
    if (!source) {
        return source.status();
    }
    auto staged = AppointmentFile::stageCopy(**source, request.databasePath);
    if (!staged) {
        return staged.status();
    }
    const Status settingsKept = settings.keep(outcome, request.when);
    if (!settingsKept) {
        return settingsKept;
    }
    const QString journal = AppointmentFile::journalPath(request.databasePath);
    bool movedAside = false;
    bool journalAside = false;
    const auto fail = [&](const QString& reason) {
        if (journalAside) {
            QFile::rename(AppointmentFile::journalPath(outcome.databaseKept), journal);
        }
        if (movedAside) {
            QFile::rename(outcome.databaseKept, request.databasePath);
        }
        if (!outcome.settingsKept.isEmpty()) {
            QFile::remove(outcome.settingsKept);
        }
        settings.drop();
        return R::failure(reason);
    };
    if (QFileInfo::exists(request.databasePath)) {
        outcome.databaseKept = BackupNames::safetyCopyOf(request.databasePath, request.when);
        movedAside = QFile::rename(request.databasePath, outcome.databaseKept);
        if (!movedAside) {
            return fail(QStringLiteral("La base de données « %1 » n'a pas pu être mise de côté.")
                            .arg(Files::displayPath(request.databasePath)));
        }
        if (QFileInfo::exists(journal)) {
            journalAside = QFile::rename(journal, AppointmentFile::journalPath(outcome.databaseKept));
            if (!journalAside) {
                return fail(QStringLiteral("Le journal « %1 » n'a pas pu être mis de côté.").arg(Files::displayPath(journal)));
            }
        }
    }
    const Status settingsStaged = settings.stage();
    if (!settingsStaged) {
        return fail(settingsStaged.error());
    }
    const Status placed = (*staged)->place();
    if (!placed) {
        return fail(placed.error());
    }
    settings.place(outcome);
    return outcome;
}
} // namespace

namespace Restore
{
SourceCheck checkSource(const QString& source, const QString& databasePath)
{
    if (source.trimmed().isEmpty()) {
        return {Verdict::NoFile, QStringLiteral("Aucune base AGENDAS.MDB sauvegardée n'est choisie."), QString()};
    }
    if (!QFileInfo::exists(source)) {
        return {Verdict::Missing, QStringLiteral("Fichier AGENDAS.MDB non existant à cet endroit"), QString()};
    }
    // By the file itself: a link, a hard link or another mount of the working
    // database is refused at once.
    if (Files::sameFile(source, databasePath)) {
        return {Verdict::LiveDatabase,
                QStringLiteral("« %1 » est la base de données de l'agenda elle-même, pas une sauvegarde.")
                    .arg(Files::displayPath(source)),
                QString()};
    }
    // A journal left beside a copy: it was being written when it was cut short.
    const QString journal = AppointmentFile::journalPath(source);
    if (QFileInfo(journal).size() > 0) {
        return {Verdict::Unusable,
                QStringLiteral("La sauvegarde « %1 » était en cours d'écriture ou a été interrompue (le journal « %2 » "
                               "est à côté) : elle ne peut pas être restaurée.")
                    .arg(Files::displayPath(source), Files::displayPath(journal)),
                QString()};
    }
    const AppointmentFile::Inspection inspection = AppointmentFile::inspect(source, true);
    switch (inspection.state) {
    case AppointmentFile::State::Usable:
        return {Verdict::Usable, QString(), QString()};
    case AppointmentFile::State::Missing:
        return {Verdict::Missing, QStringLiteral("Fichier AGENDAS.MDB non existant à cet endroit"), QString()};
    case AppointmentFile::State::Unavailable:
    case AppointmentFile::State::Unusable:
        break;
    }
    return {Verdict::Unusable, inspection.reason, inspection.details};
}

Result<Outcome> run(const Request& request)
{
    const SourceCheck checked = checkSource(request.source, request.databasePath);
    if (checked.verdict != Verdict::Usable) {
        return R::failure(checked.reason, checked.details);
    }
    const QFileInfo live(request.databasePath);
    if (request.databasePath.isEmpty() || (live.exists() && !live.isFile()) || !live.absoluteDir().exists()) {
        return R::failure(QStringLiteral("La base de données de l'agenda « %1 » n'est pas un fichier "
                                         "utilisable : vérifiez la valeur CHEMIN.")
                              .arg(Files::displayPath(request.databasePath)));
    }
    Outcome outcome;
    BackupNames::removeLeftovers(live.absolutePath());
    BackupNames::removeLeftovers(request.usersFolder);
    const Result<Settings> settings = readSettings(request, outcome);
    if (!settings) {
        return settings.status();
    }
    const AppointmentFile::Inspection target = AppointmentFile::inspect(request.databasePath, false);
    switch (target.state) {
    case AppointmentFile::State::Usable:
        return restoreInPlace(request, *target.connection, *settings, outcome);
    case AppointmentFile::State::Unavailable:
        return R::failure(target.reason, target.details);
    case AppointmentFile::State::Missing:
    case AppointmentFile::State::Unusable:
        break;
    }
    return replaceWhole(request, *settings, outcome);
}
} // namespace Restore
