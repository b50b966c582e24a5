#include "BenchDatabase.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/DayRecord.h"
#include "platform/Database.h"
#include "platform/Dates.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>

namespace BenchDatabase
{
QString patientName(QRandomGenerator& random)
{
    static const char* const family[] = {"Dupont", "Martin", "Bernard", "Lefèvre", "Moreau", "Girard",
                                          "Roux", "Fontaine", "Chevalier", "Gauthier", "Perrin", "Masson"};
    static const char* const first[] = {"Jean", "Marie", "Hélène", "Jérôme", "Léa", "François", "Zoé"};
    return QStringLiteral("%1 %2 %3")
        .arg(random.bounded(2) ? QStringLiteral("M.") : QStringLiteral("Mme"),
             QString::fromUtf8(family[random.bounded(static_cast<int>(std::size(family)))]),
             QString::fromUtf8(first[random.bounded(static_cast<int>(std::size(first)))]));
}

DayScreen filledDay(qint32 serial, QRandomGenerator& random)
{
    DayScreen day;
    day.setShownDayCaption(QString::number(serial));
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        if (random.bounded(10) < 7) {
            day.setSlotText(row, patientName(random) + QStringLiteral(" tél. 01 23 45 67 89"));
            day.setTickValue(row, random.bounded(2));
        }
    }
    day.setPostit(QStringLiteral("Rappeler le laboratoire.\r\nCommander les gants."));
    day.setBloc(QStringLiteral("8h00 cataracte\r\n9h30 canal carpien\r\n11h00 hernie"));
    day.setBoxVisible(SideBox::Echo1, true);
    day.setBoxText(SideBox::Echo1, QStringLiteral("Echographies : 3"));
    if (random.bounded(20) == 0) {
        day.setBoxVisible(SideBox::Absent2, true);
        day.setBoxText(SideBox::Absent2, QStringLiteral("ABSENT"));
    }
    return day;
}

bool build(const QString& path, qint32 lastDay, int days, QTextStream& out)
{
    const Status created = AppointmentDatabase::create(path);
    if (!created) {
        out << "création impossible : " << created.error() << '\n';
        return false;
    }
    auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        out << "ouverture impossible : " << opened.error() << '\n';
        return false;
    }
    DbConnection& db = **opened;
    QRandomGenerator random(39148);
    if (!db.beginWrite()) {
        return false;
    }
    for (int user = 1; user <= Users; ++user) {
        QSqlQuery insert(db.database());
        insert.prepare(QStringLiteral("INSERT INTO %1 (AGENDATE, RVOUS, Postit, Bloc, ABSENT1, ABSENT2, ECHO1,"
                                      " ECHO1_TXT, ECHO2, COCHE) VALUES (?, ?, ?, ?, 0, ?, 1, ?, 0, ?)")
                           .arg(Sql::quoteIdentifier(DayQuery::tableName(user))));
        for (qint32 serial = lastDay - days + 1; serial <= lastDay; ++serial) {
            const DayRecord record = DayLoader::FillDayRecord(filledDay(serial, random));
            insert.addBindValue(serial);
            insert.addBindValue(record.rvous);
            insert.addBindValue(record.postit);
            insert.addBindValue(record.bloc);
            insert.addBindValue(record.flag(SideBox::Absent2).isSet() ? 1 : 0);
            insert.addBindValue(record.flag(SideBox::Echo1).text.value_or(QString()));
            insert.addBindValue(record.coche);
            if (!insert.exec()) {
                out << "remplissage impossible : " << Sql::reason(insert.lastError()) << '\n';
                db.rollback();
                return false;
            }
        }
    }
    return db.commit().ok();
}

bool buildAll(const QString& folder, Databases& databases, QTextStream& out)
{
    databases.lastDay = Dates::daySerial(QDate(2026, 12, 31));
    databases.twentyYearsDays = databases.lastDay - Dates::daySerial(QDate(2006, 12, 31));
    databases.oneMonthDays = 31;
    databases.twentyYears = QDir(folder).filePath(QStringLiteral("vingt-ans/AGENDAS.MDB"));
    databases.oneMonth = QDir(folder).filePath(QStringLiteral("un-mois/AGENDAS.MDB"));
    QDir().mkpath(QFileInfo(databases.twentyYears).absolutePath());
    QDir().mkpath(QFileInfo(databases.oneMonth).absolutePath());

    out << "Base de mesure : " << Users << " utilisateurs, " << databases.twentyYearsDays
        << " jours remplis chacun (20 ans), et un mois\n";
    out.flush();
    QElapsedTimer fill;
    fill.start();
    if (!build(databases.twentyYears, databases.lastDay, databases.twentyYearsDays, out)
        || !build(databases.oneMonth, databases.lastDay, databases.oneMonthDays, out)) {
        out << "Base de mesure impossible à construire.\n";
        return false;
    }
    out << QStringLiteral("  remplissage : %1 s, fichier de %2 Mo\n")
               .arg(static_cast<double>(fill.elapsed()) / 1000.0, 0, 'f', 1)
               .arg(static_cast<double>(QFileInfo(databases.twentyYears).size()) / 1e6, 0, 'f', 1);
    out.flush();
    return true;
}

double medianMs(std::vector<qint64>& nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return static_cast<double>(nanoseconds[nanoseconds.size() / 2]) / 1e6;
}

QString verdict(bool ok)
{
    return ok ? QStringLiteral("OK") : QStringLiteral("HORS CIBLE");
}
} // namespace BenchDatabase
