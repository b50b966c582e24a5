#include "Benchmarks.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/DayView.h"
#include "dayrecords/Module1.h"
#include "platform/Database.h"
#include "platform/Dates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace
{
constexpr int Users = 6;
constexpr int ShowRuns = 1000;
constexpr int SaveRuns = 150;
constexpr double ShowTargetMs = 2.0;
constexpr double SaveTargetMs = 10.0;

const QString CrLf = QStringLiteral("\r\n");

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

// A full working day: most slots taken, a post-it, a theatre list, some ticks.
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

// Builds a database of `days` filled days per user, ending at `lastDay`, in
// one write transaction.
bool buildDatabase(const QString& path, qint32 lastDay, int days, QTextStream& out)
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

double median(std::vector<qint64>& nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return static_cast<double>(nanoseconds[nanoseconds.size() / 2]) / 1e6;
}

struct ShowTimes
{
    double twentyYears = 0;
    double oneMonth = 0;
};

// Day show: the lookup (which opens the database anew) and the load. The two
// databases take turns, so that the machine's other work weighs on both alike.
ShowTimes timeShow(const QString& big, int bigDays, const QString& small, int smallDays, qint32 lastDay)
{
    QRandomGenerator random(7);
    DayScreen screen;
    std::vector<qint64> bigSamples;
    std::vector<qint64> smallSamples;
    for (int run = 0; run < 2 * ShowRuns; ++run) {
        const bool onBig = run % 2 == 0;
        const int user = 1 + random.bounded(Users);
        const qint32 serial = lastDay - random.bounded(onBig ? bigDays : smallDays);
        QElapsedTimer timer;
        timer.start();
        const auto found = Module1::dayLookup(user, serial, onBig ? big : small);
        if (found && found->has_value()) {
            DayLoader::LoadDayRecord(**found, screen);
        } else {
            DayLoader::ClearDayGrid(screen);
        }
        (onBig ? bigSamples : smallSamples).push_back(timer.nsecsElapsed());
    }
    return {median(bigSamples), median(smallSamples)};
}

// Day save: the whole day written from a filled screen, in its own write
// transaction, on days that have a row.
double timeSave(const QString& path, qint32 lastDay, int days)
{
    QRandomGenerator random(11);
    std::vector<qint64> samples;
    samples.reserve(SaveRuns);
    for (int run = 0; run < SaveRuns; ++run) {
        const int user = 1 + random.bounded(Users);
        const qint32 serial = lastDay - random.bounded(days);
        const DayScreen screen = filledDay(serial, random);
        QElapsedTimer timer;
        timer.start();
        const DayRecord record = DayLoader::FillDayRecord(screen);
        const auto saved = Module1::daySave(user, serial, path,
                                            [&record](const std::optional<DayRecord>&) { return record; });
        samples.push_back(timer.nsecsElapsed());
        if (!saved) {
            QTextStream(stdout) << "enregistrement impossible : " << saved.error() << '\n';
            return -1;
        }
    }
    return median(samples);
}

QString verdict(bool ok)
{
    return ok ? QStringLiteral("OK") : QStringLiteral("HORS CIBLE");
}
} // namespace

namespace Benchmarks
{
void runDayBenchmark()
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const qint32 lastDay = Dates::daySerial(QDate(2026, 12, 31));
    const int twentyYears = Dates::daySerial(QDate(2026, 12, 31)) - Dates::daySerial(QDate(2006, 12, 31));
    const int oneMonth = 31;
    const QString big = QDir(dir.path()).filePath(QStringLiteral("vingt-ans/AGENDAS.MDB"));
    const QString small = QDir(dir.path()).filePath(QStringLiteral("un-mois/AGENDAS.MDB"));
    QDir().mkpath(QFileInfo(big).absolutePath());
    QDir().mkpath(QFileInfo(small).absolutePath());

    out << "Jours : " << Users << " utilisateurs, " << twentyYears << " jours remplis chacun (20 ans)\n";
    out.flush();
    QElapsedTimer fill;
    fill.start();
    if (!buildDatabase(big, lastDay, twentyYears, out) || !buildDatabase(small, lastDay, oneMonth, out)) {
        out << "Base de mesure impossible à construire.\n";
        return;
    }
    out << QStringLiteral("  remplissage : %1 s, fichier de %2 Mo\n")
               .arg(static_cast<double>(fill.elapsed()) / 1000.0, 0, 'f', 1)
               .arg(static_cast<double>(QFileInfo(big).size()) / 1e6, 0, 'f', 1);

    const ShowTimes show = timeShow(big, twentyYears, small, oneMonth, lastDay);
    const double showBig = show.twentyYears;
    const double showSmall = show.oneMonth;
    const double saveBig = timeSave(big, lastDay, twentyYears);
    const double saveSmall = timeSave(small, lastDay, oneMonth);
    Module1::closeDatabase();

    out << QStringLiteral("  affichage d'un jour (médiane), 20 ans : %1 ms  [cible <= %2 ms] %3\n")
               .arg(showBig, 0, 'f', 3).arg(ShowTargetMs).arg(verdict(showBig <= ShowTargetMs));
    out << QStringLiteral("  affichage d'un jour (médiane), 1 mois : %1 ms\n").arg(showSmall, 0, 'f', 3);
    out << QStringLiteral("  rapport 20 ans / 1 mois : %1  [cible <= 2] %2\n")
               .arg(showBig / showSmall, 0, 'f', 2).arg(verdict(showBig <= 2 * showSmall));
    out << QStringLiteral("  enregistrement d'un jour (médiane), 20 ans : %1 ms  [cible <= %2 ms] %3\n")
               .arg(saveBig, 0, 'f', 3).arg(SaveTargetMs).arg(verdict(saveBig >= 0 && saveBig <= SaveTargetMs));
    out << QStringLiteral("  enregistrement d'un jour (médiane), 1 mois : %1 ms\n").arg(saveSmall, 0, 'f', 3);
    out.flush();
}
} // namespace Benchmarks
