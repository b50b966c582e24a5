// Two processes save random edits of distinct rows of the same day, 500 times
// each, on one database file: every row ends with its last write, no save
// fails for good, and the file passes SQLite's integrity check.
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayMerge.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace
{
constexpr qint32 Day = 46000;
constexpr int Saves = 500;
const char* const WorkerFlag = "--stress-worker";

// Saves `Saves` times an edit of one of its own rows (worker w owns the rows
// r with r % 2 == w), from a screen that is only refreshed by its own saves,
// so most saves start from a day the other process has changed since.
// Prints the last text of each of its rows, one "row=text" a line.
int runWorker(const QString& path, int worker)
{
    auto db = DbConnection::open(path);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(db.error()));
        return 2;
    }
    DayScreen screen;
    screen.setShownDayCaption(QString::number(Day));
    DayUnits base = DayUnits::of(std::nullopt);
    QMap<int, QString> last;
    QRandomGenerator random(static_cast<quint32>(1234 + worker));
    for (int i = 0; i < Saves; ++i) {
        const int row = 2 * static_cast<int>(random.bounded(26)) + worker; // 0..51 or 1..51
        const QString text = QStringLiteral("w%1-%2").arg(worker).arg(i);
        screen.setSlotText(row, text);
        const DayRecord mine = DayLoader::FillDayRecord(screen);
        int attempts = 0;
        for (;;) {
            const auto saved = DayStore::save(**db, 1, Day, [&](const std::optional<DayRecord>& stored) {
                return DayMerge::merge(base, mine, stored).record;
            });
            if (saved) {
                DayLoader::LoadDayRecord(*saved, screen);
                base = DayUnits::of(*saved);
                break;
            }
            if (++attempts == 5) {
                std::fprintf(stderr, "save failed for good: %s\n", qPrintable(saved.error()));
                return 3;
            }
        }
        last[row] = text;
    }
    for (auto it = last.cbegin(); it != last.cend(); ++it) {
        std::printf("%d=%s\n", it.key(), qPrintable(it.value()));
    }
    return 0;
}
} // namespace

class TestDayStress : public QObject
{
    Q_OBJECT

private slots:
    void twoProcessesSaveTheSameDay()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AGENDAS.MDB"));
        QVERIFY(AppointmentDatabase::create(path));

        QProcess workers[2];
        for (int w = 0; w < 2; ++w) {
            workers[w].start(QCoreApplication::applicationFilePath(),
                             {QString::fromLatin1(WorkerFlag), path, QString::number(w)});
        }
        QMap<int, QString> expected;
        for (QProcess& worker : workers) {
            QVERIFY(worker.waitForFinished(240000));
            QVERIFY2(worker.exitCode() == 0, worker.readAllStandardError().constData());
            const QStringList lines = QString::fromUtf8(worker.readAllStandardOutput()).split(QLatin1Char('\n'),
                                                                                              Qt::SkipEmptyParts);
            for (const QString& line : lines) {
                const int eq = static_cast<int>(line.indexOf(QLatin1Char('=')));
                expected[line.left(eq).toInt()] = line.mid(eq + 1);
            }
        }
        QVERIFY(expected.size() > 30);

        auto db = DbConnection::open(path);
        QVERIFY(db);
        const auto stored = DayStore::lookup(**db, 1, Day);
        QVERIFY(stored && stored->has_value());
        const QStringList rows = SlotTextList::decode((*stored)->rvous);
        for (int row = 0; row < DayGridShape::SlotCount; ++row) {
            QCOMPARE(rows.at(row), expected.value(row));
        }
        QSqlQuery check((*db)->database());
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")));
        QVERIFY(check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        QVERIFY(check.exec(QStringLiteral("SELECT COUNT(*) FROM RVOUS1")));
        QVERIFY(check.next());
        QCOMPARE(check.value(0).toInt(), 1);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String(WorkerFlag)) {
        return runWorker(args.at(2), args.at(3).toInt());
    }
    TestDayStress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_daystress.moc"
