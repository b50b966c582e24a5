// A workstation killed (SIGKILL) in the middle of its saves loses nothing:
// the file stays sound, every save it reported done is stored, and the next
// start of the main window shows the day. A second process of this program
// saves the day in a loop and is killed three times at whatever point its
// saving has reached.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/Module1.h"

#include <QProcess>

#include <cstdio>

using MainWindowTest::Fixture;

namespace
{
const char* const WorkerFlag = "--saving-worker";

// Save i writes "i" into the post-it and into row i % 53, from the day as
// stored when the worker started, and prints i once the save is done.
int runWorker(const QString& path, qint32 serial)
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(serial));
    const auto found = Module1::dayLookup(1, serial, path);
    if (!found) {
        std::fprintf(stderr, "%s\n", qPrintable(found.error()));
        return 2;
    }
    qint64 next = 0;
    if (found->has_value()) {
        DayLoader::LoadDayRecord(**found, screen);
        next = screen.postit().toLongLong() + 1;
    }
    int failures = 0;
    for (qint64 i = next;;) {
        screen.setSlotText(static_cast<int>(i % DayGridShape::SlotCount), QString::number(i));
        screen.setPostit(QString::number(i));
        const DayRecord record = DayLoader::FillDayRecord(screen);
        const auto saved =
            Module1::daySave(1, serial, path, [&record](const std::optional<DayRecord>&) { return record; });
        if (!saved) {
            if (++failures == 50) {
                std::fprintf(stderr, "save failed for good: %s\n", qPrintable(saved.error()));
                return 3;
            }
            continue;
        }
        failures = 0;
        std::printf("%lld\n", static_cast<long long>(i));
        std::fflush(stdout);
        ++i;
    }
}

// The last number in what the worker printed (complete lines only).
qint64 lastReported(const QByteArray& output)
{
    const QList<QByteArray> lines = output.split('\n');
    // The last element follows the last line end: empty or a line cut short.
    return lines.size() < 2 ? -1 : lines.at(lines.size() - 2).toLongLong();
}

// Row r after the saves 0 .. c: the last save i <= c with i % 53 == r.
QString expectedRow(qint64 c, int r)
{
    if (c < r) {
        return QString();
    }
    return QString::number(c - (c - r) % DayGridShape::SlotCount);
}
} // namespace

class TestKilledSave : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSavingLosesNothing()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        for (const int reportsBeforeKill : {25, 60, 110}) {
            QProcess worker;
            worker.start(QCoreApplication::applicationFilePath(),
                         {QString::fromLatin1(WorkerFlag), fx.dbPath, QString::number(today)});
            QVERIFY(worker.waitForStarted());
            QByteArray output;
            int reports = 0;
            while (reports < reportsBeforeKill) {
                QVERIFY2(worker.waitForReadyRead(60000), worker.readAllStandardError().constData());
                const QByteArray more = worker.readAllStandardOutput();
                reports += static_cast<int>(more.count('\n'));
                output += more;
            }
            worker.kill(); // SIGKILL: no clean-up of any kind
            QVERIFY(worker.waitForFinished(60000));
            QCOMPARE(worker.exitStatus(), QProcess::CrashExit);
            output += worker.readAllStandardOutput();
            const qint64 last = lastReported(output);
            QVERIFY(last >= 0);

            // The next start is the first to open the file after the kill.
            fx.configure();
            Form1& f = fx.load();
            QVERIFY2(Fixture::messages().isEmpty(), qPrintable(Fixture::messages().join(QLatin1Char('\n'))));
            QVERIFY(f.state().DatabaseReady);
            const qint64 shown = f.dayView().postit().toLongLong();
            // Every reported save is there; the one under way when the kill
            // came is there whole or not at all.
            QVERIFY2(shown == last || shown == last + 1, qPrintable(QStringLiteral("%1 / %2").arg(shown).arg(last)));
            for (int r = 0; r < DayGridShape::SlotCount; ++r) {
                QCOMPARE(fx.rowText(r), expectedRow(shown, r));
            }
            fx.form.reset();

            const auto db = DbConnection::open(fx.dbPath);
            QVERIFY(db);
            QSqlQuery check((*db)->database());
            QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")));
            QVERIFY(check.next());
            QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
            QCOMPARE(fx.rowCount(1), 1);
            QCOMPARE(fx.stored(1, today)->postit, QString::number(shown));
        }
    }
};

int main(int argc, char* argv[])
{
    for (int i = 1; i + 2 < argc; ++i) {
        if (qstrcmp(argv[i], WorkerFlag) == 0) {
            QCoreApplication app(argc, argv);
            return runWorker(QString::fromLocal8Bit(argv[i + 1]), QByteArray(argv[i + 2]).toInt());
        }
    }
    QApplication app(argc, argv);
    TestKilledSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedsave.moc"
