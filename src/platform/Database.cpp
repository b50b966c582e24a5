#include "platform/Database.h"

#include "AppointmentSchema.h"
#include "platform/Files.h"
#include "platform/NoCase.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace
{
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("kordela-%1").arg(counter.fetchAndAddRelaxed(1));
}

QAtomicInt& busyTimeoutOverride()
{
    static QAtomicInt milliseconds;
    return milliseconds;
}

Status execute(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        return Status::failure(Sql::reason(query.lastError()));
    }
    return Status::success();
}
} // namespace

DbConnection::DbConnection(QString connectionName, QString path)
    : m_connectionName(std::move(connectionName)), m_path(std::move(path))
{
}

void DbConnection::setBusyTimeout(int milliseconds)
{
    busyTimeoutOverride().storeRelaxed(milliseconds > 0 ? milliseconds : 0);
}

int DbConnection::busyTimeout()
{
    const int milliseconds = busyTimeoutOverride().loadRelaxed();
    return milliseconds > 0 ? milliseconds : BusyTimeoutMs;
}

DbConnection::~DbConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen()) {
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

Result<std::shared_ptr<DbConnection>> DbConnection::open(const QString& path,
                                                         const QStringList& requiredTables,
                                                         int busyTimeoutMs)
{
    return openIn(path, requiredTables, busyTimeoutMs, QStringLiteral("rw"));
}

Result<std::shared_ptr<DbConnection>> DbConnection::openReadOnly(const QString& path,
                                                                 const QStringList& requiredTables)
{
    return openIn(path, requiredTables, 0, QStringLiteral("ro"));
}

Result<std::shared_ptr<DbConnection>> DbConnection::openIn(const QString& path, const QStringList& requiredTables,
                                                           int busyTimeoutMs, const QString& mode)
{
    using R = Result<std::shared_ptr<DbConnection>>;
    const QString shown = Files::displayPath(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return R::failure(QStringLiteral("La base de données « %1 » est introuvable.").arg(shown));
    }
    if (!info.isFile()) {
        return R::failure(QStringLiteral("« %1 » n'est pas un fichier de base de données.").arg(shown));
    }
    if (!info.isReadable()) {
        return R::failure(QStringLiteral("La base de données « %1 » n'est pas accessible en lecture.")
                              .arg(shown));
    }

    std::shared_ptr<DbConnection> connection(new DbConnection(nextConnectionName(), path));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    connection->m_connectionName);
        // mode=rw (or ro): a file that vanished since the test above is not
        // created empty, the open fails instead.
        db.setDatabaseName(Sql::fileUri(path, mode));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                                 .arg(busyTimeoutMs > 0 ? busyTimeoutMs : busyTimeout()));
        if (!db.open()) {
            return R::failure(QStringLiteral("La base de données « %1 » ne peut pas être ouverte : %2")
                                  .arg(shown, Sql::reason(db.lastError())));
        }
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
            const QSqlError error = probe.lastError();
            if (Sql::isBusy(error)) {
                return R::failure(QStringLiteral("La base de données « %1 » ne peut pas être ouverte : %2")
                                      .arg(shown, Sql::reason(error)));
            }
            return R::failure(
                QStringLiteral("Le fichier « %1 » n'est pas une base de données KORDELA valide.").arg(shown));
        }
    }
    for (const QString& table : requiredTables) {
        if (!connection->hasTable(table)) {
            return R::failure(QStringLiteral("La table %1 est absente de la base de données « %2 ».")
                                  .arg(table, shown));
        }
    }
    return connection;
}

QSqlDatabase DbConnection::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QString DbConnection::tableName(const QString& name) const
{
    return NoCase::find(database().tables(QSql::Tables), name);
}

QStringList DbConnection::columns(const QString& table) const
{
    QStringList names;
    const QSqlRecord record = database().record(table);
    for (int i = 0; i < record.count(); ++i) {
        names << record.fieldName(i);
    }
    return names;
}

Status DbConnection::beginWrite()
{
    return execute(database(), QStringLiteral("BEGIN IMMEDIATE"));
}

Status DbConnection::commit()
{
    return execute(database(), QStringLiteral("COMMIT"));
}

void DbConnection::rollback()
{
    execute(database(), QStringLiteral("ROLLBACK"));
}

namespace Sql
{
bool isPlainIdentifier(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

QString quoteIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString fileUri(const QString& path, const QString& mode)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
           + QStringLiteral("?mode=") + mode;
}

bool isBusy(const QSqlError& error)
{
    const QString native = error.nativeErrorCode();
    return native == QLatin1String("5") || native == QLatin1String("6")
           || error.databaseText().contains(QLatin1String("locked"), Qt::CaseInsensitive)
           || error.databaseText().contains(QLatin1String("busy"), Qt::CaseInsensitive);
}

QString reason(const QSqlError& error)
{
    if (isBusy(error)) {
        return QStringLiteral("la base de données est verrouillée par un autre poste ; "
                              "veuillez réessayer dans un instant.");
    }
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (text.contains(QLatin1String("no such column"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("has no column"), Qt::CaseInsensitive)) {
        return QStringLiteral("un champ est absent de la table (%1).").arg(text);
    }
    if (text.contains(QLatin1String("no such table"), Qt::CaseInsensitive)) {
        return QStringLiteral("une table est absente de la base de données (%1).").arg(text);
    }
    if (text.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("read-only"), Qt::CaseInsensitive)) {
        return QStringLiteral("la base de données est en lecture seule (%1).").arg(text);
    }
    if (text.contains(QLatin1String("disk"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("full"), Qt::CaseInsensitive)) {
        return QStringLiteral("le disque est plein ou inaccessible (%1).").arg(text);
    }
    return QStringLiteral("erreur du moteur de base de données (%1).").arg(text);
}
} // namespace Sql

namespace AppointmentDatabase
{
QStringList tableNames()
{
    return {QStringLiteral("RVOUS1"), QStringLiteral("RVOUS2"), QStringLiteral("RVOUS3"),
            QStringLiteral("RVOUS4"), QStringLiteral("RVOUS5"), QStringLiteral("RVOUS6")};
}

QString schemaSql()
{
    return QString::fromUtf8(AppointmentSchemaSql);
}

Status create(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists()) {
        return Status::failure(QStringLiteral("Le fichier « %1 » existe déjà : il n'est pas remplacé.")
                                   .arg(Files::displayPath(path)));
    }
    if (!info.absoluteDir().exists()) {
        return Status::failure(QStringLiteral("Le dossier « %1 » n'existe pas.")
                                   .arg(Files::displayPath(info.absolutePath())));
    }
    const QString name = nextConnectionName();
    Status status = Status::success();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            status = Status::failure(Sql::reason(db.lastError()));
        } else {
            const QStringList statements = schemaSql().split(QLatin1Char(';'), Qt::SkipEmptyParts);
            for (const QString& raw : statements) {
                QString statement;
                for (const QString& line : raw.split(QLatin1Char('\n'))) {
                    if (!line.trimmed().startsWith(QLatin1String("--"))) {
                        statement += line + QLatin1Char('\n');
                    }
                }
                if (statement.trimmed().isEmpty()) {
                    continue;
                }
                status = execute(db, statement);
                if (!status) {
                    break;
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!status) {
        QFile::remove(path);
    }
    return status;
}
} // namespace AppointmentDatabase
