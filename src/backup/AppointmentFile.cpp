#include "backup/AppointmentFile.h"

#include "backup/BackupTexts.h"
#include "dayrecords/DayRecord.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/NoCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace
{
using AppointmentFile::Inspection;
using AppointmentFile::State;

enum class Header { Database, Other, Unreadable };

// The engine's files start with these 16 bytes.
Header header(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Header::Unreadable;
    }
    return file.read(16) == QByteArray("SQLite format 3\0", 16) ? Header::Database : Header::Other;
}

// The six day tables with their 13 fields; the reason of the first lack.
QString missingPart(const DbConnection& db)
{
    for (const QString& wanted : AppointmentDatabase::tableNames()) {
        const QString table = db.tableName(wanted);
        if (table.isEmpty() || !Sql::isPlainIdentifier(table)) {
            return QStringLiteral("la table %1 est absente").arg(wanted);
        }
        const QStringList columns = db.columns(table);
        for (const QString& field : DayFields::all()) {
            if (NoCase::find(columns, field).isEmpty()) {
                return QStringLiteral("le champ %1 est absent de la table %2").arg(field, table);
            }
        }
    }
    return QString();
}

// Days are stored as day numbers: the first table holding another kind of
// AGENDATE (text such as "2026-12-09", a fraction, nothing), whose days the
// agenda would never find.
QString notDayNumbers(const DbConnection& db)
{
    for (const QString& wanted : AppointmentDatabase::tableNames()) {
        const QString table = Sql::quoteIdentifier(db.tableName(wanted));
        QSqlQuery odd(db.database());
        odd.setForwardOnly(true);
        if (odd.exec(QStringLiteral("SELECT AGENDATE FROM %1 WHERE typeof(AGENDATE) <> 'integer' LIMIT 1").arg(table))
            && odd.next()) {
            return QStringLiteral("les jours de la table %1 ne sont pas des numéros de jour (« %2 »)")
                .arg(wanted, odd.value(0).toString());
        }
    }
    return QString();
}

Inspection failed(State state, QString reason, QString details = QString())
{
    Inspection inspection;
    inspection.state = state;
    inspection.reason = std::move(reason);
    inspection.details = std::move(details);
    return inspection;
}
} // namespace

namespace AppointmentFile
{
Inspection inspect(const QString& path, bool readOnly)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return failed(State::Missing, QStringLiteral("Le fichier « %1 » est introuvable.").arg(Files::displayPath(path)));
    }
    if (!info.isFile()) {
        return failed(State::Unusable, QStringLiteral("« %1 » n'est pas un fichier.").arg(Files::displayPath(path)));
    }
    auto opened = readOnly ? DbConnection::openReadOnly(path) : DbConnection::open(path);
    if (!opened) {
        // A database the engine cannot open now (locked, refused) is never
        // taken for a damaged one.
        return failed(header(path) == Header::Other ? State::Unusable : State::Unavailable, opened.error());
    }
    QString lack = missingPart(**opened);
    if (lack.isEmpty() && readOnly) {
        lack = notDayNumbers(**opened);
    }
    if (!lack.isEmpty()) {
        return failed(State::Unusable,
                      QStringLiteral("« %1 » n'est pas une base de rendez-vous KORDELA : %2.").arg(Files::displayPath(path), lack));
    }
    QSqlQuery check((*opened)->database());
    check.setForwardOnly(true);
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        const QSqlError error = check.lastError();
        return failed(Sql::isBusy(error) ? State::Unavailable : State::Unusable,
                      QStringLiteral("La base de données « %1 » ne peut pas être lue : %2")
                          .arg(Files::displayPath(path), BackupTexts::engineFailure(error)),
                      error.text().trimmed());
    }
    QStringList problems;
    while (check.next()) {
        problems << check.value(0).toString();
    }
    if (problems != QStringList{QStringLiteral("ok")}) {
        return failed(State::Unusable, QStringLiteral("La base de données « %1 » est endommagée.").arg(Files::displayPath(path)),
                      problems.join(QLatin1Char('\n')));
    }
    Inspection inspection;
    inspection.state = State::Usable;
    inspection.connection = *opened;
    return inspection;
}

StagedCopy::StagedCopy(QString tempPath, QString target)
    : m_tempPath(std::move(tempPath)), m_target(std::move(target))
{
}

StagedCopy::~StagedCopy()
{
    if (!m_placed) {
        QFile::remove(m_tempPath);
    }
}

Status StagedCopy::place()
{
    const QString journal = journalPath(m_target);
    if (QFileInfo::exists(journal) && !QFile::remove(journal)) {
        return Status::failure(QStringLiteral("Impossible de supprimer le journal « %1 ».").arg(Files::displayPath(journal)));
    }
    const Status renamed = Files::renameOver(m_tempPath, m_target);
    m_placed = renamed.ok();
    return renamed;
}

Result<std::unique_ptr<StagedCopy>> stageCopy(DbConnection& source, const QString& target)
{
    using R = Result<std::unique_ptr<StagedCopy>>;
    const QFileInfo info(target);
    if (!info.absoluteDir().exists()) {
        return R::failure(QStringLiteral("Le dossier « %1 » n'existe pas.").arg(Files::displayPath(info.absolutePath())));
    }
    // The engine copies only into a file that is missing or empty: an empty
    // file with a name of its own, with the mode the target has or would get.
    const Result<QString> created = Files::createStaged(info.absoluteFilePath());
    if (!created) {
        return R::failure(QStringLiteral("Impossible d'écrire dans le dossier « %1 ».")
                              .arg(Files::displayPath(info.absolutePath())),
                          created.error());
    }
    const QString tempPath = *created;
    auto staged = std::make_unique<StagedCopy>(tempPath, info.absoluteFilePath());
    {
        QSqlQuery vacuum(source.database());
        vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
        vacuum.addBindValue(tempPath);
        if (!vacuum.exec()) {
            const QSqlError error = vacuum.lastError();
            return R::failure(QStringLiteral("La copie de la base de données « %1 » a échoué : %2")
                                  .arg(Files::displayPath(source.path()), BackupTexts::engineFailure(error)),
                              error.text().trimmed());
        }
    }
    {
        // The copy keeps the journal mode of its source; a backup is an
        // ordinary rollback-journal database whatever the source used.
        const QString unreadable =
            QStringLiteral("La copie de la base de données « %1 » ne peut pas être relue.").arg(Files::displayPath(tempPath));
        auto copy = DbConnection::open(tempPath);
        if (!copy) {
            return R::failure(unreadable);
        }
        QSqlQuery mode((*copy)->database());
        if (!mode.exec(QStringLiteral("PRAGMA journal_mode = DELETE"))) {
            return R::failure(unreadable);
        }
    }
    return staged;
}

Status copyTo(DbConnection& source, const QString& target)
{
    auto staged = stageCopy(source, target);
    return staged ? (*staged)->place() : staged.status();
}

QString journalPath(const QString& databasePath)
{
    return databasePath + QStringLiteral("-journal");
}
} // namespace AppointmentFile
